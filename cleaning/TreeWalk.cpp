#include "TreeWalk.h"

bool IsPlainDirectory(const FindEntry& entry)
{
    return (entry.attributes & FileAttr::Directory) == entry.attributes && entry.name != "."
           && entry.name != "..";
}

std::string SubdirectoryPath(const std::string& dir, const std::string& entryName)
{
    if (!dir.empty() && dir.back() == '\\')
        return dir + entryName + "\\";
    return dir + "\\" + entryName + "\\";
}

void WalkTree(PlatformServices& platform, const std::string& dir, const std::string& name,
              TreeVisitor& visitor, RunProgress& progress)
{
    progress.FolderEntered();
    StopPoint(progress);
    FindEntry target;
    // The lookup's listing is closed at the end of this statement, before anything else.
    const bool holdsTarget = platform.FindFirst(dir + name, target) != nullptr;
    if (holdsTarget) {
        visitor.Found(dir, target);
        return;
    }

    FindEntry entry;
    const std::unique_ptr<FindListing> listing = platform.FindFirst(dir + "*.*", entry);
    if (!listing)
        return;
    bool first = true;
    do {
        if (IsPlainDirectory(entry))
            WalkTree(platform, SubdirectoryPath(dir, entry.name), name, visitor, progress);
        if (first) {
            first = false;
            visitor.AfterFirstEntry(dir);
        }
    } while (listing->Next(entry));
}
