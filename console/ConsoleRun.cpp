#include "console/ConsoleRun.h"

#include "console/ScanRun.h"
#include "engine/DisinfectionRun.h"

void RunPlans(const ConsoleOptions& options, PlatformServices& platform, SystemCleaning& cleaning,
              ConsoleLines& lines, SharedFlags& flags, ConsoleProgress& progress, RunOutcome& outcome)
{
    flags.Items = {};
    if (options.mode == ConsoleMode::Scan) {
        outcome.found = ScanRuns(options.plans, platform, cleaning, lines, flags, progress);
    } else if (options.mode == ConsoleMode::Clean) {
        DisinfectionRuns(options.plans, cleaning, platform,
                         [&](const ThreatEntry& row) -> Report& { return lines.OfPlan(row); }, flags, progress);
        outcome.removed = flags.Items.removed;
        outcome.failed = flags.Items.failed;
        outcome.found = outcome.removed + outcome.failed;
    }
    outcome.unsearched = static_cast<unsigned>(flags.UnsearchedFolders.size());
    outcome.stopped = progress.Stopped();
}
