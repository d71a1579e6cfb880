#include "cleaning/Undo.h"

#include "cleaning/Quarantine.h"
#include "cleaning/Windows1252.h"

#include <cstdlib>
#include <map>
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
    std::uint64_t leftSize = 0;   // a copy's: what its purge left
    std::string leftHash;
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
            if (fields.size() == 4) {
                items[number].leftSize = std::strtoull(fields[2].c_str(), nullptr, 10);
                items[number].leftHash = fields[3];
            }
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
    if (item.kind != "file" && item.kind != "copy")
        return false;
    if (item.done)
        return platform.FileExists(run + item.stored);
    // Killed between its move and its done line: only a whole file came in.
    const std::unique_ptr<OpenedFile> stored = platform.Open(run + item.stored, OpenMode::Read);
    return stored && stored->Size() == item.size;
}

// The newest run folder with something to put back, ending with a backslash; empty when none.
std::string LastRun(PlatformServices& platform, DataRoot& data)
{
    const std::vector<std::string> runs = RunFolders(platform, data);
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

enum class Outcome { Restored, Exists, FolderChanged, SavedBeside, Failed };

// Whether the item's folder is still the one it was in, reached through no link.
bool SameFolder(PlatformServices& platform, const Item& item)
{
    const std::string::size_type slash = item.path.rfind('\\');
    FileIdentity folder;
    return slash != std::string::npos && !LinkOnTheWay(platform, item.path) &&
           platform.FolderIdentity(item.path.substr(0, slash + 1), folder) && IdentityText(folder) == item.folder;
}

// A copy gets its original bytes back only while it holds exactly what the purge left;
// otherwise (mIRC rewrites its mirc.ini whenever it runs) they are written beside it.
Outcome RestoreCopy(PlatformServices& platform, const std::string& run, const Item& item)
{
    if (!SameFolder(platform, item))
        return Outcome::FolderChanged;
    const std::unique_ptr<OpenedFile> original = platform.Open(run + item.stored, OpenMode::Read);
    if (!original)
        return Outcome::Failed;
    const std::uint32_t attributes = platform.GetAttributes(item.path);
    const std::uint32_t unwritable = FileAttr::ReadOnly | FileAttr::Hidden | FileAttr::System;
    if (attributes != FileAttr::Invalid && (attributes & unwritable))
        platform.SetAttributes(item.path, attributes & ~unwritable);
    std::unique_ptr<OpenedFile> copy = platform.Open(item.path, OpenMode::Rewrite);
    const std::string now = copy ? ContentHash(*copy) : std::string();
    // Without its done line, what the purge left is unknown: only a copy that still holds
    // its original needs nothing, any other gets it beside.
    const bool asItWas = !item.done && !now.empty() && now == ContentHash(*original);
    const bool unchanged = item.done && copy && copy->Size() == item.leftSize && now == item.leftHash;
    const bool restored = asItWas || (unchanged && CopyContent(*original, *copy));
    copy.reset();
    if (restored)
        platform.SetAttributes(item.path, item.attributes);   // as they were before the purge
    else if (attributes != FileAttr::Invalid && (attributes & unwritable))
        platform.SetAttributes(item.path, attributes);
    if (restored)
        return Outcome::Restored;
    if (unchanged)
        return Outcome::Failed;   // it could not be written
    const std::unique_ptr<OpenedFile> beside = platform.Open(item.path + ".restaurado", OpenMode::CreateNew);
    return beside && CopyContent(*original, *beside) ? Outcome::SavedBeside : Outcome::Failed;
}

Outcome RestoreFile(PlatformServices& platform, const std::string& run, const Item& item)
{
    if (!SameFolder(platform, item))
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
            const Outcome outcome = value               ? RestoreValue(platform, item)
                                    : item.kind == "copy" ? RestoreCopy(platform, run, item)
                                                          : RestoreFile(platform, run, item);
            if (outcome == Outcome::Restored || outcome == Outcome::SavedBeside)
                AppendManifestLine(platform, run, "restored\t" + std::to_string(item.number));
            switch (outcome) {
            case Outcome::Restored:
                report.Append((value ? "Restaurado el valor de inicio " : "Restaurado: ") + shown);
                continue;
            case Outcome::SavedBeside:
                report.Append("Guardado como " + shown.substr(shown.rfind('\\') + 1) +
                              ".restaurado porque cambi\xF3 despu\xE9s: " + shown);
                break;
            case Outcome::Exists: report.Append("No se restaur\xF3 porque ya existe: " + shown); break;
            case Outcome::FolderChanged: report.Append("No se restaur\xF3 porque la carpeta cambi\xF3: " + shown); break;
            case Outcome::Failed: report.Append("No se pudo restaurar: " + shown); break;
            }
            refused = true;
        }
        // Everything came back: nothing of the run is left to keep.
        if (!refused)
            RemoveRun(platform, data, run);
    }
    report.Append(refused ? "No se pudo deshacer todo" : "Se deshizo la desinfecci\xF3n");
    return refused;
}
