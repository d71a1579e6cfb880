#include "cleaning/TreeWalk.h"

#include "cleaning/NameFold.h"

#include <algorithm>
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
        : platform_(platform), flags_(flags), progress_(progress), matches_(names.size()),
          findings_(names.size())
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
        const std::size_t folder = folders_++;
        FindEntry entry;
        bool unreadable = false;
        const std::unique_ptr<FindListing> listing = platform_.FindFirst(dir + "*.*", entry, unreadable);
        if (!listing) {
            if (unreadable)
                flags_.UnsearchedFolders.insert(dir);
            return;
        }
        std::vector<bool> held(names_.size());
        do {
            Compare(folder, dir, entry, held);
            if (IsEnterableDirectory(entry)) {
                const std::string subdirectory = SubdirectoryPath(dir, entry.name);
                if (passOver_.empty() || !passOver_.count(FoldName(subdirectory)))
                    Enter(subdirectory);
            }
        } while (listing->Next(entry));
        for (std::size_t i = 0; i < names_.size(); ++i)
            findings_[i].folderWithout = findings_[i].folderWithout || !held[i];
    }

    // A folder's own file comes before those below it, which the walk met first when they
    // came earlier in its listing.
    std::vector<NameFindings> Findings()
    {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            std::stable_sort(matches_[i].begin(), matches_[i].end(),
                             [](const Match& a, const Match& b) { return a.folder < b.folder; });
            for (Match& match : matches_[i])
                findings_[i].files.push_back(std::move(match.file));
        }
        return std::move(findings_);
    }

private:
    struct Match {
        std::size_t folder;   // the folder's place in walk order
        FoundFile file;
    };

    // Notes every name the entry answers to as held by its folder (a folder of that name
    // too, as a lookup would find it), and keeps the entry when it is a file.
    void Compare(std::size_t folder, const std::string& dir, const FindEntry& entry, std::vector<bool>& held)
    {
        const std::u16string name = FoldName(entry.name);
        const std::u16string shortName = entry.shortName.empty() ? std::u16string() : FoldName(entry.shortName);
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] != name && (shortName.empty() || names_[i] != shortName))
                continue;
            held[i] = true;
            if (!(entry.attributes & FileAttr::Directory))
                matches_[i].push_back({folder, {dir, entry.name}});
        }
    }

    PlatformServices& platform_;
    SharedFlags& flags_;
    RunProgress& progress_;
    std::vector<std::u16string> names_;
    std::set<std::u16string> passOver_;
    std::vector<std::vector<Match>> matches_;
    std::vector<NameFindings> findings_;
    std::size_t folders_ = 0;
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
