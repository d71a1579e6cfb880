#include "cleaning/ConfigPurge.h"

#include "cleaning/CopyPurge.h"
#include "cleaning/PurgeJournal.h"
#include "cleaning/TreeWalk.h"

namespace {

class PurgeVisitor : public TreeVisitor {
public:
    PurgeVisitor(PlatformServices& platform, SharedFlags& flags, const std::string& fileName,
                 const std::string& marker)
        : platform_(platform), flags_(flags), fileName_(fileName), marker_(marker)
    {
    }

    void Found(const std::string& dir, const FindEntry& entry) override
    {
        if (entry.attributes & FileAttr::Directory)
            return;   // a folder of that name is no copy; the walk goes on into it
        if (PurgeLinesOfCopy(platform_, dir + fileName_, marker_))
            flags_.InfectionFound = true;
    }

    void Unsearched(const std::string& dir) override { flags_.UnsearchedFolders.insert(dir); }

private:
    PlatformServices& platform_;
    SharedFlags& flags_;
    const std::string& fileName_;
    LineMarker marker_;
};

} // namespace

void PurgeConfigLines(PlatformServices& platform, SharedFlags& flags, const std::string& dir,
                      const std::string& fileName, const std::string& marker, RunProgress& progress)
{
    RecoverInterruptedPurges(platform);
    PurgeVisitor visitor(platform, flags, fileName, marker);
    WalkTree(platform, dir, fileName, visitor, progress);
}
