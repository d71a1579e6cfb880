#include "cleaning/PurgeJournal.h"

#include "cleaning/MovedAside.h"
#include "cleaning/TextLines.h"
#include "cleaning/Windows1252.h"
#include "engine/EngineError.h"

#include <algorithm>
#include <vector>

namespace {

// The layout: the magic text; the state ('1' once complete); the journal's hash (SHA-256
// of the saved bytes, then of the record); then the record: where the saved bytes come
// from in the copy, how many were saved, the copy's volume serial number, file index and
// size, the hash of its bytes before the saved ones, the length of its path and the
// path; the saved bytes follow. Numbers are little-endian.
const std::string Magic = "PELKARIN JOURNAL 2\r\n";
constexpr std::uint64_t StateAt = 20;
constexpr std::uint64_t HashAt = 21;
constexpr std::uint64_t RecordAt = 53;
constexpr std::size_t FixedHeader = 125;
constexpr std::uint32_t LongestPath = 32767 * 3;   // the longest Windows path in UTF-8
constexpr int MostJournals = 1000;
constexpr std::uint64_t KeptRejected = 30ull * 24 * 3600 * 10000000;   // 30 days in 100 ns steps

const char* const JournalFolder = "Diario";
const char* const JournalPrefix = "purge-";
const char* const JournalSuffix = ".journal";
const char* const RejectedPrefix = "rejected-";

void PutNumber(std::string& bytes, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t NumberAt(const char* bytes, int size)
{
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// Reads up to size bytes at offset; fewer at the end.
bool ReadUpTo(OpenedFile& file, std::uint64_t offset, char* buffer, std::size_t size, std::size_t& read)
{
    read = 0;
    while (read < size) {
        std::size_t part = 0;
        if (!file.Read(offset + read, buffer + read, size - read, part))
            return false;
        if (!part)
            break;
        read += part;
    }
    return true;
}

// Adds length bytes of file from offset to hash; false when they cannot all be read.
bool HashBytes(OpenedFile& file, std::uint64_t offset, std::uint64_t length, Sha256& hash)
{
    std::vector<char> window(static_cast<std::size_t>(std::min<std::uint64_t>(length, FileWindow)));
    for (std::uint64_t done = 0; done < length;) {
        std::size_t read = 0;
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(window.size(), length - done));
        if (!ReadUpTo(file, offset + done, window.data(), wanted, read) || read != wanted)
            return false;
        hash.Add(window.data(), read);
        done += read;
    }
    return true;
}

std::string DigestBytes(const Sha256Digest& digest) { return std::string(digest.begin(), digest.end()); }

bool IsJournalName(const std::string& name)
{
    const std::string prefix = JournalPrefix, suffix = JournalSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end() - suffix.size(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// The names in folder that match pattern and are not folders.
std::vector<FindEntry> FilesMatching(PlatformServices& platform, const std::string& folder, const std::string& pattern)
{
    std::vector<FindEntry> files;
    FindEntry entry;
    bool unreadable = false;
    if (const auto listing = platform.FindFirst(folder + pattern, entry, unreadable))
        do
            if (!(entry.attributes & FileAttr::Directory))
                files.push_back(entry);
        while (listing->Next(entry));
    return files;
}

} // namespace

JournalRecord RecordOf(OpenedFile& copy, const std::string& path, std::uint64_t offset)
{
    Sha256 prefix;
    if (!HashBytes(copy, 0, offset, prefix))
        throw CannotOpenFile(Utf8ToWindows1252BestFit(path));
    return {path, copy.Identity(), copy.Size(), offset, prefix.Finish()};
}

PurgeJournal::PurgeJournal(PlatformServices& platform, DataRoot& data, const std::string& copyPath)
    : platform_(platform)
{
    const std::string folder = data.Folder(JournalFolder);
    for (int n = 1; !folder.empty() && n <= MostJournals && !file_; ++n) {
        path_ = folder + JournalPrefix + std::to_string(n) + JournalSuffix;
        file_ = platform.Open(path_, OpenMode::CreateNew);
        if (!file_ && platform.GetAttributes(path_) == FileAttr::Invalid)
            break;   // not a name already taken: no journal can be made there
    }
    if (!file_)
        throw CannotCreateFile(Utf8ToWindows1252BestFit(copyPath));
}

PurgeJournal::PurgeJournal(PlatformServices& platform, std::string path, std::unique_ptr<OpenedFile> file)
    : platform_(platform), path_(std::move(path)), file_(std::move(file))
{
}

PurgeJournal::~PurgeJournal() = default;

void PurgeJournal::Save(OpenedFile& copy, const JournalRecord& record)
{
    record_ = record;
    std::string fields;
    PutNumber(fields, record.copy.volume, 4);
    PutNumber(fields, record.copy.index, 8);
    PutNumber(fields, record.copySize, 8);
    fields += DigestBytes(record.prefixHash);
    PutNumber(fields, record.copyPath.size(), 4);
    fields += record.copyPath;
    std::string where;   // where the saved bytes come from, and how many: known once saved
    PutNumber(where, record.offset, 8);
    const std::string header = Magic + '0' + std::string(32, '\0') + where + std::string(8, '\0') + fields;
    bodyStart_ = header.size();
    const std::uint64_t length = copy.Size() > record.offset ? copy.Size() - record.offset : 0;

    // The hash and the count first, then the state alone: a write torn by a kill leaves
    // the journal incomplete, never complete with a bad hash.
    Sha256 hash;
    const bool saved = file_->Write(0, header.data(), header.size()) &&
                       CopyFileBytes(copy, record.offset, *file_, bodyStart_, length, saved_, &hash) && file_->Flush();
    PutNumber(where, saved_, 8);
    hash.Add(where + fields);
    const std::string mark = DigestBytes(hash.Finish()) + where;
    if (!saved || !file_->Write(HashAt, mark.data(), mark.size()) || !file_->Flush() || !file_->Write(StateAt, "1", 1) ||
        !file_->Flush()) {
        file_.reset();
        platform_.RemoveFile(path_);
        throw StreamWriteError();
    }
}

bool PurgeJournal::Restore(OpenedFile& copy)
{
    std::uint64_t copied = 0;
    return CopyFileBytes(*file_, bodyStart_, copy, record_.offset, saved_, copied) && copied == saved_ &&
           copy.Truncate(record_.offset + saved_) && copy.Flush();
}

void PurgeJournal::Remove()
{
    // Once no longer complete it can never put back a copy, even where it cannot be deleted.
    if (file_->Write(StateAt, "0", 1))
        file_->Flush();
    file_.reset();
    platform_.RemoveFile(path_);
}

// The start's look at the journals a crash or a kill left.
class JournalRecovery {
public:
    JournalRecovery(PlatformServices& platform, std::string folder) : platform_(platform), folder_(std::move(folder)) {}

    void Recover(const std::string& name)
    {
        // A purge that is running holds its journal open: then this open fails.
        std::unique_ptr<OpenedFile> file = platform_.Open(folder_ + name, OpenMode::Rewrite);
        if (!file)
            return;
        PurgeJournal journal(platform_, folder_ + name, std::move(file));
        switch (Read(journal)) {
        case State::Unreadable:
            return;
        case State::Incomplete:
            journal.file_.reset();
            platform_.RemoveFile(journal.path_);
            return;
        case State::Rejected:
            Reject(journal);
            return;
        case State::Complete:
            PutBack(journal);
            return;
        }
    }

    // Rejected journals older than the time they are kept.
    void DeleteExpired()
    {
        const std::uint64_t now = platform_.Now();
        for (const FindEntry& entry : FilesMatching(platform_, folder_, std::string(RejectedPrefix) + "*"))
            if (entry.written && entry.written + KeptRejected < now)
                platform_.RemoveFile(folder_ + entry.name);
    }

private:
    enum class State { Unreadable, Incomplete, Rejected, Complete };

    State Read(PurgeJournal& journal)
    {
        OpenedFile& file = *journal.file_;
        char fixed[FixedHeader];
        std::size_t read = 0;
        if (!ReadUpTo(file, 0, fixed, sizeof fixed, read))
            return State::Unreadable;
        const std::size_t magicRead = std::min(read, Magic.size());
        if (Magic.compare(0, magicRead, fixed, magicRead) != 0)
            return State::Rejected;
        if (read < sizeof fixed || fixed[StateAt] == '0')
            return State::Incomplete;   // made, but killed before it was complete
        if (fixed[StateAt] != '1')
            return State::Rejected;
        JournalRecord& record = journal.record_;
        record.offset = NumberAt(fixed + RecordAt, 8);
        journal.saved_ = NumberAt(fixed + RecordAt + 8, 8);
        record.copy = {static_cast<std::uint32_t>(NumberAt(fixed + RecordAt + 16, 4)), NumberAt(fixed + RecordAt + 20, 8)};
        record.copySize = NumberAt(fixed + RecordAt + 28, 8);
        std::copy(fixed + RecordAt + 36, fixed + RecordAt + 68, record.prefixHash.begin());
        const std::uint64_t pathLength = NumberAt(fixed + RecordAt + 68, 4);
        journal.bodyStart_ = FixedHeader + pathLength;
        const std::uint64_t saved = journal.saved_;
        // Bounded by what the record itself says, before anything else is read.
        if (pathLength == 0 || pathLength > LongestPath || saved > record.copySize ||
            record.offset > record.copySize - saved || saved > file.Size() || file.Size() - saved != journal.bodyStart_)
            return State::Rejected;
        record.copyPath.assign(static_cast<std::size_t>(pathLength), '\0');
        Sha256 hash;
        if (!ReadUpTo(file, FixedHeader, &record.copyPath[0], record.copyPath.size(), read) ||
            read != record.copyPath.size() || !HashBytes(file, journal.bodyStart_, saved, hash))
            return State::Unreadable;
        hash.Add(std::string(fixed + RecordAt, FixedHeader - RecordAt) + record.copyPath);
        return hash.Finish() == Sha256DigestAt(fixed + HashAt) ? State::Complete : State::Rejected;
    }

    static Sha256Digest Sha256DigestAt(const char* bytes)
    {
        Sha256Digest digest;
        std::copy(bytes, bytes + digest.size(), digest.begin());
        return digest;
    }

    void PutBack(PurgeJournal& journal)
    {
        const JournalRecord& record = journal.record_;
        OpenFailure failure;
        std::unique_ptr<OpenedFile> copy = platform_.Open(record.copyPath, OpenMode::Rewrite, failure);
        if (!copy) {
            if (failure == OpenFailure::ReparsePoint)
                Reject(journal);
            else if (failure != OpenFailure::InUse && platform_.GetAttributes(record.copyPath) == FileAttr::Invalid)
                journal.Remove();   // the copy is gone
            return;
        }
        // The copy the journal was made for, in a state the purge could have left it in:
        // its start as it was, its size between the saved bytes' start and the most the
        // rewrite can write (a lone CR or LF comes back as CR LF, a last line gets one).
        const std::uint64_t size = copy->Size();
        const bool fits = copy->Identity() == record.copy && size >= record.offset &&
                          size <= std::max(record.copySize, record.offset + 2 * journal.saved_ + 2);
        Sha256 prefix;
        if (fits && !HashBytes(*copy, 0, record.offset, prefix))
            return;   // unreadable now: left for a later recovery
        if (!fits || prefix.Finish() != record.prefixHash) {
            copy.reset();
            Reject(journal);
            return;
        }
        if (journal.Restore(*copy))
            journal.Remove();
    }

    // Moved aside and kept for inspection, stamped with the time of its rejection.
    void Reject(PurgeJournal& journal)
    {
        journal.file_->Touch();
        journal.file_.reset();
        MoveAside(platform_, journal.path_, folder_ + RejectedPrefix);
    }

    PlatformServices& platform_;
    const std::string folder_;
};

void RecoverInterruptedPurges(PlatformServices& platform, DataRoot& data)
{
    const std::string folder = data.Folder(JournalFolder);
    if (folder.empty())
        return;
    JournalRecovery recovery(platform, folder);
    for (const FindEntry& entry : FilesMatching(platform, folder, std::string(JournalPrefix) + "*" + JournalSuffix))
        if (IsJournalName(entry.name))
            recovery.Recover(entry.name);
    recovery.DeleteExpired();
}
