#include "cleaning/Quarantine.h"

#include "cleaning/Sha256.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The civil date of a day counted from 1970-01-01 (Howard Hinnant's algorithm).
void CivilDate(std::int64_t days, int& year, unsigned& month, unsigned& day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = static_cast<int>(yearOfEra + era * 400) + (month <= 2);
}

std::string Hex(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
    return text;
}

// A run folder's counter: 1 for "20261209-063512", n for "20261209-063512-n".
int Counter(const std::string& name)
{
    return name.size() > 16 ? std::atoi(name.c_str() + 16) : 1;
}

bool Older(const std::string& a, const std::string& b)
{
    const std::string dateA = a.substr(0, 15), dateB = b.substr(0, 15);
    return dateA != dateB ? dateA < dateB : Counter(a) < Counter(b);
}

std::string RunPath(const std::string& name)
{
    return std::string(QuarantineFolder) + "\\" + name;
}

} // namespace

std::string IdentityText(const FileIdentity& identity)
{
    return Hex(identity.volume) + ":" + Hex(identity.index);
}

std::string RunFolderName(std::uint64_t time)
{
    const std::uint64_t UnixEpoch = 116444736000000000ull;   // 1970-01-01 in the system's clock
    const std::int64_t seconds = time >= UnixEpoch ? static_cast<std::int64_t>((time - UnixEpoch) / 10000000) : 0;
    int year;
    unsigned month, day;
    CivilDate(seconds / 86400, year, month, day);
    const unsigned inDay = static_cast<unsigned>(seconds % 86400);
    char name[32];
    std::snprintf(name, sizeof name, "%04d%02u%02u-%02u%02u%02u", year, month, day, inDay / 3600, inDay / 60 % 60,
                  inDay % 60);
    return name;
}

std::vector<std::string> RunFolders(PlatformServices& platform, DataRoot& data)
{
    const std::string quarantine = data.Folder(QuarantineFolder);
    std::vector<std::string> runs;
    FindEntry entry;
    bool unreadable = false;
    if (std::unique_ptr<FindListing> listing =
            quarantine.empty() ? nullptr : platform.FindFirst(quarantine + "*", entry, unreadable)) {
        do {
            if ((entry.attributes & FileAttr::Directory) && !(entry.attributes & FileAttr::ReparsePoint) &&
                entry.name.size() >= 15 && entry.name[8] == '-')
                runs.push_back(entry.name);
        } while (listing->Next(entry));
    }
    std::sort(runs.begin(), runs.end(), Older);
    return runs;
}

bool RemoveRun(PlatformServices& platform, DataRoot& data, const std::string& folder)
{
    if (folder.empty())
        return false;
    FindEntry entry;
    bool unreadable = false;
    if (std::unique_ptr<FindListing> listing = platform.FindFirst(folder + "*", entry, unreadable)) {
        do {
            if (entry.attributes & (FileAttr::Directory | FileAttr::ReparsePoint))
                continue;
            // An item keeps the attributes it had in its place: a read-only one would stay.
            if (entry.attributes & FileAttr::ReadOnly)
                platform.SetAttributes(folder + entry.name, FileAttr::Normal);
            platform.RemoveFile(folder + entry.name);
        } while (listing->Next(entry));
    }
    return data.RemoveEmpty(folder);
}

namespace {

const std::size_t Window = 64 * 1024;   // bytes read at once

// Hands each piece of the file's content to take; false when a read failed.
template <typename Take>
bool ReadThrough(OpenedFile& file, std::uint64_t size, Take take)
{
    std::string window(Window, '\0');
    std::size_t read = 0;
    for (std::uint64_t at = 0; at < size; at += read) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(window.size(), size - at));
        if (!file.Read(at, &window[0], want, read) || read == 0)
            return false;
        if (!take(window.data(), read, at))
            return false;
    }
    return true;
}

} // namespace

std::string ContentHash(OpenedFile& file, std::uint64_t size)
{
    Sha256 hash;
    if (!ReadThrough(file, std::min(size, file.Size()), [&](const char* bytes, std::size_t size, std::uint64_t) {
            hash.Add(bytes, size);
            return true;
        }))
        return {};
    std::string hex;
    for (unsigned char byte : hash.Finish())
        hex += Hex(byte >> 4) + Hex(byte & 15);
    return hex;
}

bool CopyContent(OpenedFile& from, OpenedFile& to)
{
    return ReadThrough(from, from.Size(), [&](const char* bytes, std::size_t size, std::uint64_t at) {
               return to.Write(at, bytes, size);
           }) &&
           to.Truncate(from.Size()) && to.Flush();
}

bool LinkOnTheWay(PlatformServices& platform, const std::string& path)
{
    // From the first folder below the root ("c:\a") to the one that holds path.
    for (std::string::size_type end = path.find('\\', 3); end != std::string::npos; end = path.find('\\', end + 1)) {
        const std::uint32_t attributes = platform.GetAttributes(path.substr(0, end));
        if (attributes == FileAttr::Invalid || (attributes & FileAttr::ReparsePoint) ||
            !(attributes & FileAttr::Directory))
            return true;
    }
    return false;
}

Quarantine::Quarantine(PlatformServices& platform, DataRoot& data) : platform_(platform), data_(data) {}

Quarantine::~Quarantine() = default;

void Quarantine::NewRun()
{
    folder_.clear();
    items_ = 0;
}

bool Quarantine::OpenRun()
{
    if (!folder_.empty())
        return true;
    const std::string date = RunFolderName(platform_.Now());
    const std::vector<std::string> runs = RunFolders(platform_, data_);
    for (std::size_t old = 0; old + KeptRuns <= runs.size(); ++old)
        RemoveRun(platform_, data_, data_.Folder(RunPath(runs[old])));
    if (data_.Folder(QuarantineFolder).empty())
        return false;
    // The new run sorts after every other: after the last of the same second, and past a
    // name taken by anything else.
    const int first = !runs.empty() && runs.back().compare(0, 15, date) == 0 ? Counter(runs.back()) + 1 : 1;
    for (int n = first; n < first + 100; ++n) {
        const std::string name = RunPath(n == 1 ? date : date + "-" + std::to_string(n));
        const std::string path = data_.Path() + name;
        if (platform_.GetAttributes(path) != FileAttr::Invalid)
            continue;
        folder_ = data_.Folder(name);
        if (folder_.empty() || !platform_.Open(folder_ + ManifestName, OpenMode::CreateNew)) {
            folder_.clear();
            return false;
        }
        return true;
    }
    return false;
}

bool AppendManifestLine(PlatformServices& platform, const std::string& runFolder, const std::string& line)
{
    // Opened for each line: nothing of the run's stays open between two items.
    const std::unique_ptr<OpenedFile> manifest = platform.Open(runFolder + ManifestName, OpenMode::Rewrite);
    const std::string bytes = line + "\r\n";
    return manifest && manifest->Write(manifest->Size(), bytes.data(), bytes.size()) && manifest->Flush();
}

bool Quarantine::MoveIn(const std::string& found)
{
    // The manifest names it in full: the resident file may be found as a bare name.
    std::string path = found;
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\') {
        std::string current = platform_.CurrentDirectory();
        if (current.empty())
            return false;
        if (current.back() != '\\')
            current += '\\';
        path = current + (path.size() >= 2 && path[1] == ':' ? path.substr(2) : path);
    }
    const std::string::size_type slash = path.rfind('\\');
    if (slash == std::string::npos || LinkOnTheWay(platform_, path))
        return false;
    FileIdentity folder;
    std::uint64_t size = 0;
    std::uint32_t attributes = 0;
    {
        const std::unique_ptr<OpenedFile> file = platform_.Open(path, OpenMode::Read);
        if (!file || !platform_.FolderIdentity(path.substr(0, slash + 1), folder))
            return false;
        size = file->Size();
        attributes = file->Attributes();
    }
    const int number = AddItem("file", path, IdentityText(folder), size, Hex(attributes), "");
    if (!number || !platform_.Rename(path, folder_ + std::to_string(number) + ".pkq"))
        return false;
    ItemDone(number);
    return true;
}

int Quarantine::AddItem(const std::string& kind, const std::string& path, const std::string& where, std::uint64_t size,
                        const std::string& detail, const std::string& stored)
{
    if (!OpenRun())
        return 0;
    const int number = items_ + 1;
    const std::string name = stored.empty() ? std::to_string(number) + ".pkq" : stored;
    if (!AppendManifestLine(platform_, folder_, "item\t" + std::to_string(number) + "\t" + kind + "\t" + path + "\t" +
                                                    where + "\t" + std::to_string(size) + "\t" + detail + "\t" + name))
        return 0;
    items_ = number;
    return number;
}

void Quarantine::ItemDone(int number)
{
    AppendManifestLine(platform_, folder_, "done\t" + std::to_string(number));
}

int Quarantine::CopyIn(OpenedFile& copy, const std::string& path)
{
    const std::string::size_type slash = path.rfind('\\');
    FileIdentity folder;
    if (slash == std::string::npos || LinkOnTheWay(platform_, path) ||
        !platform_.FolderIdentity(path.substr(0, slash + 1), folder))
        return 0;
    const int number = AddItem("copy", path, IdentityText(folder), copy.Size(), Hex(copy.Attributes()), "");
    const std::unique_ptr<OpenedFile> kept =
        number ? platform_.Open(folder_ + std::to_string(number) + ".pkq", OpenMode::CreateNew) : nullptr;
    return kept && CopyContent(copy, *kept) ? number : 0;
}

bool Quarantine::CopyDone(int number, OpenedFile& copy, std::uint64_t size)
{
    // The copy was opened before its purge: its Size() is still the old one.
    Sha256 hash;
    std::string window(Window, '\0');
    std::size_t read = 0;
    for (std::uint64_t at = 0; at < size; at += read) {
        if (!copy.Read(at, &window[0], static_cast<std::size_t>(std::min<std::uint64_t>(Window, size - at)), read) ||
            read == 0)
            return false;
        hash.Add(window.data(), read);
    }
    std::string hex;
    for (unsigned char byte : hash.Finish())
        hex += Hex(byte >> 4) + Hex(byte & 15);
    return AppendManifestLine(platform_, folder_,
                              "done\t" + std::to_string(number) + "\t" + std::to_string(size) + "\t" + hex);
}

int Quarantine::RecordValue(const std::string& key, const std::string& name, std::uint32_t type,
                            const std::string& data)
{
    std::string bytes;
    for (unsigned char c : data) {
        const char digits[] = "0123456789abcdef";
        bytes += digits[c >> 4];
        bytes += digits[c & 15];
    }
    return AddItem("value", name, key, data.size(), Hex(type), bytes.empty() ? "-" : bytes);
}
