#pragma once
// The rollback journal that makes the in-place rewrite of a configuration copy safe
// against a crash or a kill: before the first byte of the copy changes, the copy's bytes
// from there to its end are saved in a journal and made durable; the journal is removed
// once the copy's new content is complete. A complete journal found later means the
// rewrite never finished, and the copy is put back as it was.
//
// Journals live in the program's own folder under the user's temporary folder, each
// made new under a name nothing had, and each records the path of the copy it protects.
#include "cleaning/PlatformServices.h"

#include <cstdint>
#include <memory>
#include <string>

class PurgeJournal {
public:
    // A new, empty journal for the copy at copyPath. Throws "Cannot create file <copyPath>".
    PurgeJournal(PlatformServices& platform, const std::string& copyPath);
    PurgeJournal(const PurgeJournal&) = delete;
    PurgeJournal& operator=(const PurgeJournal&) = delete;
    ~PurgeJournal();

    // Saves the copy's bytes from start to size (fewer where it ends sooner) and marks the
    // journal complete, durable at each step. Throws "Stream write error", after removing
    // the journal again.
    void Save(OpenedFile& copy, std::uint64_t start, std::uint64_t size);

    // The saved bytes, for reading the copy's old content back.
    OpenedFile& File() { return *file_; }
    std::uint64_t SavedFrom() const { return copyOffset_; }         // in the copy
    std::uint64_t BodyStart() const { return bodyStart_; }           // in the journal
    std::uint64_t BodyEnd() const { return bodyStart_ + saved_; }

    // Puts the saved bytes back into the copy and cuts it where it ended; false when that
    // failed and the journal must stay for a later recovery.
    bool Restore(OpenedFile& copy);
    // Marks the journal no longer complete, then deletes it.
    void Remove();

private:
    friend void RecoverInterruptedPurges(PlatformServices& platform);
    PurgeJournal(PlatformServices& platform, std::string path, std::unique_ptr<OpenedFile> file);
    enum class State { NotOurs, Incomplete, Complete };
    State ReadHeader();

    PlatformServices& platform_;
    std::string path_;
    std::unique_ptr<OpenedFile> file_;
    std::string copyPath_;
    std::uint64_t copyOffset_ = 0;
    std::uint64_t bodyStart_ = 0;
    std::uint64_t saved_ = 0;
};

// Puts back every copy whose journal is complete and removes the journals that never
// completed. A journal that another running purge holds open, or whose copy another
// program holds open, is left for a later recovery; a copy that is gone is not made again.
void RecoverInterruptedPurges(PlatformServices& platform);
