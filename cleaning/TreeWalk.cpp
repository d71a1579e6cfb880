#include "cleaning/TreeWalk.h"

#include "cleaning/NameFold.h"

#include <cstddef>
#include <set>

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

bool StillAFile(PlatformServices& platform, const std::string& path)
{
    FindEntry entry;
    bool unreadable = false;
    if (platform.FindFirst(path, entry, unreadable))
        return !(entry.attributes & FileAttr::Directory);
    return unreadable;
}

namespace {

class Walk {
public:
    Walk(PlatformServices& platform, const std::vector<std::string>& names, const std::vector<std::string>& passOver,
         SharedFlags& flags, RunProgress& progress)
        : platform_(platform), flags_(flags), progress_(progress), findings_(names.size())
    {
        for (const std::string& name : names)
            names_.push_back(FoldName(name));
        for (const std::string& folder : passOver)
            passOver_.insert(FoldName(folder));
    }

    void Enter(const std::string& dir)
    {
        progress_.FolderEntered();
        StopPoint(progress_);
        FindEntry entry;
        bool unreadable = false;
        const std::unique_ptr<FindListing> listing = platform_.FindFirst(dir + "*.*", entry, unreadable);
        if (!listing) {
            if (unreadable)
                flags_.UnsearchedFolders.insert(dir);
            return;
        }
        // A folder's own file of a name goes before those below it, which its listing
        // may lead the walk to first.
        std::vector<std::size_t> ownPlace;
        for (const NameFindings& found : findings_)
            ownPlace.push_back(found.files.size());
        std::vector<bool> held(names_.size());
        do {
            Compare(dir, entry, ownPlace, held);
            if (IsEnterableDirectory(entry)) {
                const std::string subdirectory = SubdirectoryPath(dir, entry.name);
                if (passOver_.empty() || !passOver_.count(FoldName(subdirectory)))
                    Enter(subdirectory);
            }
        } while (listing->Next(entry));
        for (std::size_t i = 0; i < names_.size(); ++i)
            findings_[i].folderWithout = findings_[i].folderWithout || !held[i];
    }

    std::vector<NameFindings> Findings() { return std::move(findings_); }

private:
    // Notes every name the entry answers to as held by its folder (a folder of that name
    // too, as a lookup would find it), and keeps the entry when it is a file.
    void Compare(const std::string& dir, const FindEntry& entry, const std::vector<std::size_t>& ownPlace,
                 std::vector<bool>& held)
    {
        const std::u16string name = FoldName(entry.name);
        const std::u16string shortName = entry.shortName.empty() ? std::u16string() : FoldName(entry.shortName);
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] != name && (shortName.empty() || names_[i] != shortName))
                continue;
            held[i] = true;
            std::vector<FoundFile>& files = findings_[i].files;
            if (!(entry.attributes & FileAttr::Directory))
                files.insert(files.begin() + static_cast<std::ptrdiff_t>(ownPlace[i]), FoundFile{dir, entry.name});
        }
    }

    PlatformServices& platform_;
    SharedFlags& flags_;
    RunProgress& progress_;
    std::vector<std::u16string> names_;
    std::set<std::u16string> passOver_;
    std::vector<NameFindings> findings_;
};

} // namespace

std::vector<NameFindings> WalkDrive(PlatformServices& platform, const std::string& dir,
                                    const std::vector<std::string>& names, const std::vector<std::string>& passOver,
                                    SharedFlags& flags, RunProgress& progress)
{
    Walk walk(platform, names, passOver, flags, progress);
    walk.Enter(dir);
    return walk.Findings();
}
