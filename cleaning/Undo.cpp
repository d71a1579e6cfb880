#include "cleaning/Undo.h"

#include "cleaning/Quarantine.h"
#include "cleaning/Windows1252.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

namespace {

struct Item {
    int number = 0;
    std::string kind;
    std::string path;
    std::string folder;   // IdentityText of the folder it was in
    std::uint64_t size = 0;
    std::uint32_t attributes = 0;
    std::string stored;
    bool done = false;
    bool restored = false;
};

std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (std::string::size_type end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string ReadWhole(PlatformServices& platform, const std::string& path)
{
    const std::unique_ptr<OpenedFile> file = platform.Open(path, OpenMode::Read);
    if (!file)
        return {};
    std::string bytes(static_cast<std::size_t>(file->Size()), '\0');
    std::size_t done = 0, read = 1;
    while (done < bytes.size() && read && file->Read(done, &bytes[done], bytes.size() - done, read))
        done += read;
    bytes.resize(done);
    return bytes;
}

// The manifest's items by number; lines that are not whole (a kill tore the last one) or
// not understood are passed over.
std::map<int, Item> ReadManifest(PlatformServices& platform, const std::string& run)
{
    std::map<int, Item> items;
    const std::vector<std::string> lines = Split(ReadWhole(platform, run + ManifestName), "\r\n");
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {   // the part after the last CR LF is no line
        const std::vector<std::string> fields = Split(lines[i], "\t");
        const int number = fields.size() > 1 ? std::atoi(fields[1].c_str()) : 0;
        if (number <= 0)
            continue;
        if (fields[0] == "item" && fields.size() == 8) {
            Item& item = items[number];
            item.number = number;
            item.kind = fields[2];
            item.path = fields[3];
            item.folder = fields[4];
            item.size = std::strtoull(fields[5].c_str(), nullptr, 10);
            item.attributes = static_cast<std::uint32_t>(std::strtoul(fields[6].c_str(), nullptr, 16));
            item.stored = fields[7];
        } else if (fields[0] == "done" && items.count(number)) {
            items[number].done = true;
        } else if (fields[0] == "restored" && items.count(number)) {
            items[number].restored = true;
        }
    }
    return items;
}

std::string Unhex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
    return bytes;
}

// Whether a recorded value (its name in path, its key in folder) is there now.
bool ValuePresent(PlatformServices& platform, const Item& item)
{
    const OpenedKey key = platform.OpenCurrentUserKey(item.folder);
    std::uint32_t type = 0;
    std::string data;
    return key.key && key.key->ReadValue(item.path, type, data);
}

// Whether the item is still to be put back: it reached the quarantine, as it was.
bool Pending(PlatformServices& platform, const std::string& run, const Item& item)
{
    if (item.restored)
        return false;
    if (item.kind == "value")
        return item.done || !ValuePresent(platform, item);   // killed after its deletion
    if (item.kind != "file")
        return false;
    if (item.done)
        return platform.FileExists(run + item.stored);
    // Killed between its move and its done line: only a whole file came in.
    const std::unique_ptr<OpenedFile> stored = platform.Open(run + item.stored, OpenMode::Read);
    return stored && stored->Size() == item.size;
}

// "20261209-063512-2" sorts after "20261209-063512" and before "20261209-063512-10".
bool Older(const std::string& a, const std::string& b)
{
    const auto counter = [](const std::string& name) {
        return name.size() > 16 ? std::atoi(name.c_str() + 16) : 1;
    };
    const std::string dateA = a.substr(0, 15), dateB = b.substr(0, 15);
    return dateA != dateB ? dateA < dateB : counter(a) < counter(b);
}

// The newest run folder with something to put back, ending with a backslash; empty when none.
std::string LastRun(PlatformServices& platform, DataRoot& data)
{
    const std::string quarantine = data.Folder(QuarantineFolder);
    if (quarantine.empty())
        return {};
    std::vector<std::string> runs;
    FindEntry entry;
    bool unreadable = false;
    if (std::unique_ptr<FindListing> listing = platform.FindFirst(quarantine + "*", entry, unreadable)) {
        do {
            if ((entry.attributes & FileAttr::Directory) && !(entry.attributes & FileAttr::ReparsePoint) &&
                entry.name.size() >= 15 && entry.name[8] == '-')
                runs.push_back(entry.name);
        } while (listing->Next(entry));
    }
    std::sort(runs.begin(), runs.end(), Older);
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        const std::string folder = data.Folder(std::string(QuarantineFolder) + "\\" + *run);
        if (folder.empty())
            continue;
        for (const auto& [number, item] : ReadManifest(platform, folder))
            if (Pending(platform, folder, item))
                return folder;
    }
    return {};
}

enum class Outcome { Restored, Exists, FolderChanged, Failed };

Outcome RestoreFile(PlatformServices& platform, const std::string& run, const Item& item)
{
    const std::string::size_type slash = item.path.rfind('\\');
    FileIdentity folder;
    if (slash == std::string::npos || LinkOnTheWay(platform, item.path) ||
        !platform.FolderIdentity(item.path.substr(0, slash + 1), folder) || IdentityText(folder) != item.folder)
        return Outcome::FolderChanged;
    if (platform.GetAttributes(item.path) != FileAttr::Invalid)
        return Outcome::Exists;
    if (!platform.Rename(run + item.stored, item.path))
        return Outcome::Failed;
    platform.SetAttributes(item.path, item.attributes);
    return Outcome::Restored;
}

Outcome RestoreValue(PlatformServices& platform, const Item& item)
{
    if (ValuePresent(platform, item))
        return Outcome::Exists;
    const OpenedKey key = platform.OpenCurrentUserKey(item.folder);
    return key.key && key.key->WriteValue(item.path, item.attributes, Unhex(item.stored)) ? Outcome::Restored
                                                                                           : Outcome::Failed;
}

} // namespace

bool HasRunToUndo(PlatformServices& platform, DataRoot& data)
{
    return !LastRun(platform, data).empty();
}

bool UndoLastRun(PlatformServices& platform, DataRoot& data, Report& report, RunProgress& progress)
{
    const std::string run = LastRun(platform, data);
    bool refused = false;
    if (!run.empty()) {
        const std::map<int, Item> items = ReadManifest(platform, run);
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            const Item& item = it->second;
            if (!Pending(platform, run, item))
                continue;
            StopPoint(progress);
            const std::string shown = Utf8ToWindows1252BestFit(item.path);
            const bool value = item.kind == "value";
            switch (value ? RestoreValue(platform, item) : RestoreFile(platform, run, item)) {
            case Outcome::Restored:
                AppendManifestLine(platform, run, "restored\t" + std::to_string(item.number));
                report.Append((value ? "Restaurado el valor de inicio " : "Restaurado: ") + shown);
                continue;
            case Outcome::Exists: report.Append("No se restaur\xF3 porque ya existe: " + shown); break;
            case Outcome::FolderChanged: report.Append("No se restaur\xF3 porque la carpeta cambi\xF3: " + shown); break;
            case Outcome::Failed: report.Append("No se pudo restaurar: " + shown); break;
            }
            refused = true;
        }
    }
    report.Append(refused ? "No se pudo deshacer todo" : "Se deshizo la desinfecci\xF3n");
    return refused;
}
