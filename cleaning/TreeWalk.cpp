#include "cleaning/TreeWalk.h"

bool IsEnterableDirectory(const FindEntry& entry)
{
    return (entry.attributes & FileAttr::Directory) && !(entry.attributes & FileAttr::ReparsePoint) &&
           entry.name != "." && entry.name != "..";
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
    bool unreadable = false;
    // The lookup's listing is closed at the end of this statement, before anything else.
    const bool holdsTarget = platform.FindFirst(dir + name, target, unreadable) != nullptr;
    if (holdsTarget) {
        visitor.Found(dir, target);
    } else if (unreadable) {
        visitor.Unsearched(dir);
        return;
    }

    FindEntry entry;
    const std::unique_ptr<FindListing> listing = platform.FindFirst(dir + "*.*", entry, unreadable);
    if (!listing) {
        if (unreadable)
            visitor.Unsearched(dir);
        return;
    }
    bool first = !holdsTarget;
    do {
        if (IsEnterableDirectory(entry))
            WalkTree(platform, SubdirectoryPath(dir, entry.name), name, visitor, progress);
        if (first) {
            first = false;
            visitor.AfterFirstEntry(dir);
        }
    } while (listing->Next(entry));
}
