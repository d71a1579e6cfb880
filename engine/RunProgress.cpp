#include "engine/RunProgress.h"

void StopPoint(const RunProgress& progress)
{
    if (progress.StopRequested())
        throw RunStopped();
}

RunProgress& UnwatchedRun()
{
    static RunProgress unwatched;
    return unwatched;
}
