#include "cleaning/PurgeJournal.h"

#include "cleaning/TextLines.h"
#include "cleaning/Windows1252.h"
#include "engine/EngineError.h"
#include "engine/ThreatCatalogue.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

// The header: the magic text, the state ('1' once complete), the offset in the copy the
// saved bytes come from, how many were saved, the length of the copy's path and the path;
// the saved bytes follow.
const std::string Magic = "PELKARIN JOURNAL\r\n";
constexpr std::uint64_t StateAt = 18;
constexpr std::size_t FixedHeader = 39;
constexpr std::uint32_t LongestPath = 32767 * 3;   // the longest Windows path in UTF-8
constexpr int MostJournals = 1000;

const char* const JournalPrefix = "purge-";
const char* const JournalSuffix = ".journal";

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

// The state, where the saved bytes come from and how many: the part written last.
std::string Mark(char state, std::uint64_t from, std::uint64_t saved)
{
    std::string mark(1, state);
    PutNumber(mark, from, 8);
    PutNumber(mark, saved, 8);
    return mark;
}

bool WriteAll(OpenedFile& file, std::uint64_t offset, const std::string& bytes)
{
    return file.Write(offset, bytes.data(), bytes.size());
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

// The program's own folder, ending with a backslash; empty where there is no temporary folder.
std::string JournalFolder(PlatformServices& platform)
{
    const std::string temporary = platform.TemporaryDirectory();
    return temporary.empty() ? temporary : temporary + "Pelkarin\\";
}

bool IsJournalName(const std::string& name)
{
    const std::string prefix = JournalPrefix, suffix = JournalSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end() - suffix.size(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool SameAsciiName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A journal only ever puts back a configuration file the program purges, whatever a
// journal planted by another program may say.
bool NamesAPurgedCopy(const std::string& path)
{
    const std::string name = path.substr(path.find_last_of("\\/") + 1);
    for (const ThreatEntry& row : ThreatCatalogue())
        for (const ConfigPurge& purge : row.configPurges)
            if (SameAsciiName(name, purge.file))
                return true;
    return false;
}

} // namespace

PurgeJournal::PurgeJournal(PlatformServices& platform, const std::string& copyPath)
    : platform_(platform), copyPath_(copyPath)
{
    const std::string folder = JournalFolder(platform);
    if (!folder.empty()) {
        platform.MakeDirectory(folder.substr(0, folder.size() - 1));
        for (int n = 1; n <= MostJournals && !file_; ++n) {
            path_ = folder + JournalPrefix + std::to_string(n) + JournalSuffix;
            file_ = platform.Open(path_, OpenMode::CreateNew);
            if (!file_ && platform.GetAttributes(path_) == FileAttr::Invalid)
                break;   // not a name already taken: no journal can be made there
        }
    }
    if (!file_)
        throw CannotCreateFile(Utf8ToWindows1252BestFit(copyPath));
}

PurgeJournal::PurgeJournal(PlatformServices& platform, std::string path, std::unique_ptr<OpenedFile> file)
    : platform_(platform), path_(std::move(path)), file_(std::move(file))
{
}

PurgeJournal::~PurgeJournal() = default;

void PurgeJournal::Save(OpenedFile& copy, std::uint64_t start, std::uint64_t size)
{
    std::string header = Magic + Mark('0', start, 0);
    PutNumber(header, copyPath_.size(), 4);
    header += copyPath_;
    copyOffset_ = start;
    bodyStart_ = header.size();
    const bool saved = WriteAll(*file_, 0, header) &&
                       CopyFileBytes(copy, start, *file_, bodyStart_, size - start, saved_) && file_->Flush();
    if (!saved || !WriteAll(*file_, StateAt, Mark('1', start, saved_)) || !file_->Flush()) {
        file_.reset();
        platform_.RemoveFile(path_);
        throw StreamWriteError();
    }
}

bool PurgeJournal::Restore(OpenedFile& copy)
{
    std::uint64_t copied = 0;
    return CopyFileBytes(*file_, bodyStart_, copy, copyOffset_, saved_, copied) && copied == saved_ &&
           copy.Truncate(copyOffset_ + saved_) && copy.Flush();
}

void PurgeJournal::Remove()
{
    // Once no longer complete it can never put back a copy, even where it cannot be deleted.
    if (file_->Write(StateAt, "0", 1))
        file_->Flush();
    file_.reset();
    platform_.RemoveFile(path_);
}

PurgeJournal::State PurgeJournal::ReadHeader()
{
    char fixed[FixedHeader];
    std::size_t read = 0;
    if (!ReadUpTo(*file_, 0, fixed, sizeof fixed, read))
        return State::NotOurs;
    const std::size_t magicRead = std::min(read, Magic.size());
    if (Magic.compare(0, magicRead, fixed, magicRead) != 0)
        return State::NotOurs;
    if (read < sizeof fixed || fixed[StateAt] != '1')
        return State::Incomplete;   // made, but killed before it was complete
    copyOffset_ = NumberAt(fixed + 19, 8);
    saved_ = NumberAt(fixed + 27, 8);
    const std::uint64_t pathLength = NumberAt(fixed + 35, 4);
    bodyStart_ = FixedHeader + pathLength;
    if (pathLength == 0 || pathLength > LongestPath || file_->Size() != bodyStart_ + saved_)
        return State::Incomplete;
    copyPath_.assign(static_cast<std::size_t>(pathLength), '\0');
    if (!ReadUpTo(*file_, FixedHeader, &copyPath_[0], copyPath_.size(), read) || read != copyPath_.size())
        return State::Incomplete;
    return State::Complete;
}

void RecoverInterruptedPurges(PlatformServices& platform)
{
    const std::string folder = JournalFolder(platform);
    if (folder.empty())
        return;
    std::vector<std::string> names;
    FindEntry entry;
    bool unreadable = false;
    if (const std::unique_ptr<FindListing> listing =
            platform.FindFirst(folder + JournalPrefix + "*" + JournalSuffix, entry, unreadable))
        do
            if (!(entry.attributes & FileAttr::Directory) && IsJournalName(entry.name))
                names.push_back(entry.name);
        while (listing->Next(entry));

    for (const std::string& name : names) {
        // A purge that is running holds its journal open: then this open fails.
        std::unique_ptr<OpenedFile> file = platform.Open(folder + name, OpenMode::Rewrite);
        if (!file)
            continue;
        PurgeJournal journal(platform, folder + name, std::move(file));
        const PurgeJournal::State state = journal.ReadHeader();
        if (state == PurgeJournal::State::Incomplete) {
            journal.file_.reset();
            platform.RemoveFile(journal.path_);
        }
        if (state != PurgeJournal::State::Complete || !NamesAPurgedCopy(journal.copyPath_))
            continue;
        const std::unique_ptr<OpenedFile> copy = platform.Open(journal.copyPath_, OpenMode::Rewrite);
        if (copy ? journal.Restore(*copy) : platform.GetAttributes(journal.copyPath_) == FileAttr::Invalid)
            journal.Remove();
    }
}
