#include "cleaning/FileSweep.h"

#include "cleaning/TreeWalk.h"
#include "cleaning/Windows1252.h"

bool ForceDeleteFile(PlatformServices& platform, const std::string& path)
{
    std::uint32_t attributes = platform.GetAttributes(path);
    if (attributes != FileAttr::Invalid && (attributes & (FileAttr::Directory | FileAttr::ReparsePoint)))
        return false;   // a directory is none of ours, and a link is never deleted through
    for (std::uint32_t bit : {FileAttr::Hidden, FileAttr::ReadOnly, FileAttr::System}) {
        if (attributes & bit) {
            attributes &= ~bit;
            platform.SetAttributes(path, attributes);
        }
    }
    return platform.RemoveFile(path);
}

namespace {

class SweepVisitor : public TreeVisitor {
public:
    SweepVisitor(PlatformServices& platform, Report& report, SharedFlags& flags,
                 const std::string& name)
        : platform_(platform), report_(report), flags_(flags), name_(name)
    {
    }

    void Found(const std::string& dir, const FindEntry& entry) override
    {
        const std::string path = dir + name_;
        if (ForceDeleteFile(platform_, path)) {
            report_.Append("Fichero del Troyano borrado.");
            flags_.InfectionFound = true;
        } else if (!(entry.attributes & FileAttr::Directory)) {
            // A file in use or denied to us; a directory of that name is none of ours.
            report_.Append("No se pudo borrar el fichero del Troyano: " + Utf8ToWindows1252BestFit(path));
            flags_.InfectionFound = true;
            flags_.RemovalFailed = true;
        }
    }

    void AfterFirstEntry(const std::string& dir) override
    {
        if (!platform_.RemoveFile(dir + name_))
            flags_.SearchStatus = "B\xFAsqueda concluida,siguiente b\xFAsqueda...";
    }

    void Unsearched(const std::string& dir) override { flags_.UnsearchedFolders.insert(dir); }

private:
    PlatformServices& platform_;
    Report& report_;
    SharedFlags& flags_;
    const std::string& name_;
};

} // namespace

void SearchAndDeleteFile(PlatformServices& platform, Report& report, SharedFlags& flags,
                         const std::string& dir, const std::string& name, RunProgress& progress)
{
    SweepVisitor visitor(platform, report, flags, name);
    WalkTree(platform, dir, name, visitor, progress);
}
