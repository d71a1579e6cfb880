#include "cleaning/ConfigPurge.h"

#include "cleaning/CopyPurge.h"
#include "cleaning/PurgeJournal.h"
#include "cleaning/TreeWalk.h"
#include "cleaning/Windows1252.h"

namespace {

class PurgeVisitor : public TreeVisitor {
public:
    PurgeVisitor(PlatformServices& platform, DataRoot& data, Report& report, SharedFlags& flags,
                 const std::string& fileName, const std::string& marker)
        : platform_(platform), data_(data), report_(report), flags_(flags), fileName_(fileName), marker_(marker)
    {
    }

    void Found(const std::string& dir, const FindEntry& entry) override
    {
        if (entry.attributes & FileAttr::Directory)
            return;   // a folder of that name is no copy; the walk goes on into it
        const std::string path = dir + fileName_;
        switch (PurgeLinesOfCopy(platform_, data_, path, marker_, flags_.InUseWaited)) {
        case CopyOutcome::Clean:
            break;
        case CopyOutcome::Purged:
            flags_.InfectionFound = true;
            break;
        case CopyOutcome::NotPurged:
            report_.Append("No se pudo desinfectar el archivo " + Utf8ToWindows1252BestFit(path));
            flags_.RemovalFailed = true;
            break;
        }
    }

    void Unsearched(const std::string& dir) override { flags_.UnsearchedFolders.insert(dir); }

private:
    PlatformServices& platform_;
    DataRoot& data_;
    Report& report_;
    SharedFlags& flags_;
    const std::string& fileName_;
    LineMarker marker_;
};

} // namespace

void PurgeConfigLines(PlatformServices& platform, DataRoot& data, Report& report, SharedFlags& flags,
                      const std::string& dir, const std::string& fileName, const std::string& marker,
                      RunProgress& progress)
{
    RecoverInterruptedPurges(platform, data);
    PurgeVisitor visitor(platform, data, report, flags, fileName, marker);
    WalkTree(platform, dir, fileName, visitor, progress);
}
