#include "cleaning/ConfigPurge.h"

#include "cleaning/CopyPurge.h"
#include "cleaning/PurgeJournal.h"
#include "cleaning/TreeWalk.h"

void PurgeFound(PlatformServices& platform, SharedFlags& flags, const std::string& fileName,
                const std::string& marker, const NameFindings& found, RunProgress& progress)
{
    RecoverInterruptedPurges(platform);
    LineMarker lineMarker(marker);
    for (const FoundFile& copy : found.files) {
        StopPoint(progress);
        const std::string path = copy.dir + fileName;
        if (StillAFile(platform, path) && PurgeLinesOfCopy(platform, path, lineMarker))
            flags.InfectionFound = true;
    }
}
