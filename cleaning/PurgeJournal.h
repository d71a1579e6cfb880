#pragma once
// The rollback journal that makes the in-place rewrite of a configuration copy safe
// against a crash or a kill: before the first byte of the copy changes, the copy's bytes
// from there to its end are saved in a journal and made durable; the journal is removed
// once the copy's new content is complete. A complete journal found later means the
// rewrite never finished, and the copy is put back as it was.
//
// Journals live in the data root's folder "Diario" (DataRoot.h), each made new under a
// name nothing had. A journal is bound to the copy it was made for: it records the copy's
// path, identity and size, and a hash of the bytes before the saved ones, which the
// purge never changes; a hash of the journal itself guards against a torn or altered
// record. A journal puts back only that copy, in a state the purge could have left it in.
#include "cleaning/DataRoot.h"
#include "cleaning/PlatformServices.h"
#include "cleaning/Sha256.h"

#include <cstdint>
#include <memory>
#include <string>

// What a journal says about the copy it protects.
struct JournalRecord {
    std::string copyPath;
    FileIdentity copy;
    std::uint64_t copySize = 0;   // before the purge
    std::uint64_t offset = 0;     // where the saved bytes come from in the copy
    Sha256Digest prefixHash{};    // of the copy's bytes before offset
};

// The record of the copy open as copy at path, whose bytes from offset on a purge will
// change. Throws "Cannot open file <path>" when the copy cannot be read.
JournalRecord RecordOf(OpenedFile& copy, const std::string& path, std::uint64_t offset);

class PurgeJournal {
public:
    // A new, empty journal in the data root. Throws "Cannot create file <copyPath>".
    PurgeJournal(PlatformServices& platform, DataRoot& data, const std::string& copyPath);
    PurgeJournal(const PurgeJournal&) = delete;
    PurgeJournal& operator=(const PurgeJournal&) = delete;
    ~PurgeJournal();

    // Saves record and the copy's bytes from record.offset to its end, then marks the
    // journal complete, durable at each step. Throws "Stream write error", after removing
    // the journal again.
    void Save(OpenedFile& copy, const JournalRecord& record);

    // The saved bytes, for reading the copy's old content back.
    OpenedFile& File() { return *file_; }
    std::uint64_t SavedFrom() const { return record_.offset; }   // in the copy
    std::uint64_t BodyStart() const { return bodyStart_; }        // in the journal
    std::uint64_t BodyEnd() const { return bodyStart_ + saved_; }

    // Puts the saved bytes back into the copy and cuts it where it ended; false when that
    // failed and the journal must stay for a later recovery.
    bool Restore(OpenedFile& copy);
    // Marks the journal no longer complete, then deletes it.
    void Remove();

private:
    friend class JournalRecovery;
    PurgeJournal(PlatformServices& platform, std::string path, std::unique_ptr<OpenedFile> file);

    PlatformServices& platform_;
    std::string path_;
    std::unique_ptr<OpenedFile> file_;
    JournalRecord record_;
    std::uint64_t bodyStart_ = 0;
    std::uint64_t saved_ = 0;
};

// Puts back every copy whose journal is complete and still fits it, and removes the
// journals that never completed. A journal that fails a check (not a journal, a bad
// hash or length, bounds past the copy's size, a copy that is another file, or changed
// where the purge never writes, or a link) restores nothing: it is renamed
// "rejected-<n>" beside the others and kept for 30 days. A journal that another running
// purge holds open, or whose copy another program holds open, is left for a later
// recovery; a copy that is gone is not made again.
void RecoverInterruptedPurges(PlatformServices& platform, DataRoot& data);
