#include "cleaning/FileSweep.h"

#include "cleaning/TreeWalk.h"
#include "cleaning/Windows1252.h"

bool ForceDeleteFile(PlatformServices& platform, Quarantine& quarantine, const std::string& path)
{
    const std::uint32_t attributes = platform.GetAttributes(path);
    if (attributes == FileAttr::Invalid || (attributes & (FileAttr::Directory | FileAttr::ReparsePoint)))
        return false;   // a directory is none of ours, and a link is never moved through
    return quarantine.MoveIn(path);
}

void DeleteFound(PlatformServices& platform, Quarantine& quarantine, Report& report, SharedFlags& flags, const std::string& name,
                 const NameFindings& found, RunProgress& progress)
{
    if (found.folderWithout)
        flags.SearchStatus = "B\xFAsqueda concluida,siguiente b\xFAsqueda...";
    for (const FoundFile& copy : found.files) {
        StopPoint(progress);
        const std::string path = copy.dir + name;
        if (ForceDeleteFile(platform, quarantine, path)) {
            report.Append("Fichero del Troyano borrado.");
            flags.InfectionFound = true;
            ++flags.Items.removed;
        } else if (StillAFile(platform, path)) {
            // In use, denied to us, or a link.
            report.Append("No se pudo borrar el fichero del Troyano: " + Utf8ToWindows1252BestFit(path));
            flags.InfectionFound = true;
            flags.RemovalFailed = true;
            ++flags.Items.failed;
        }
    }
}
