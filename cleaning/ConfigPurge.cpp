#include "cleaning/ConfigPurge.h"

#include "cleaning/CopyPurge.h"
#include "cleaning/PurgeJournal.h"
#include "cleaning/TreeWalk.h"
#include "cleaning/Windows1252.h"

void PurgeFound(PlatformServices& platform, DataRoot& data, Quarantine& quarantine, Report& report, SharedFlags& flags,
                const std::string& fileName, const std::string& marker, const NameFindings& found,
                RunProgress& progress)
{
    RecoverInterruptedPurges(platform, data);
    LineMarker lineMarker(marker);
    for (const FoundFile& copy : found.files) {
        StopPoint(progress);
        const std::string path = copy.dir + fileName;
        if (!StillAFile(platform, path))
            continue;
        switch (PurgeLinesOfCopy(platform, data, path, lineMarker, flags.InUseWaited, &quarantine)) {
        case CopyOutcome::Clean:
            break;
        case CopyOutcome::Purged:
            flags.InfectionFound = true;
            ++flags.Items.removed;
            break;
        case CopyOutcome::NotPurged:
            report.Append("No se pudo desinfectar el archivo " + Utf8ToWindows1252BestFit(path));
            flags.RemovalFailed = true;
            ++flags.Items.failed;
            break;
        }
    }
}
