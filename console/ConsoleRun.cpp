#include "console/ConsoleRun.h"

#include "console/ScanRun.h"
#include "engine/DisinfectionRun.h"

#include <stdexcept>

void RunPlans(const ConsoleOptions& options, PlatformServices& platform, SystemCleaning& cleaning, UserHives& hives,
              ConsoleLines& lines, SharedFlags& flags, ConsoleProgress& progress, RunOutcome& outcome)
{
    flags.Items = {};
    if (options.mode == ConsoleMode::Restore)
        throw std::runtime_error("Esta versi\xF3n no sabe deshacer una desinfecci\xF3n");
    if (options.mode == ConsoleMode::Scan) {
        outcome.found =
            ScanRuns(options.plans, platform, cleaning, hives, lines, flags, progress, outcome.hivesUnsearched);
    } else if (options.mode == ConsoleMode::Clean) {
        // One run or undo at a time on the machine, in the window or here; a scan changes
        // nothing and needs none.
        const std::unique_ptr<RunLock> lock = platform.TakeRunLock();
        if (!lock) {
            lines.Append(AnotherRunLine);
            outcome.busy = true;
            return;
        }
        // Every resident plan sweeps its start-up value from every hive, whether or not
        // its resident file was found: deployment tools start it from the system folder,
        // which the walk passes over.
        StartupValueSweep values(hives);
        const auto afterPlan = [&](const ThreatEntry& row, Report& report) {
            if (row.kind == PlanKind::ResidentBackdoor)
                values.Sweep(row.startupValue, report, flags);
        };
        DisinfectionRuns(options.plans, cleaning, platform,
                         [&](const ThreatEntry& row) -> Report& { return lines.OfPlan(row); }, flags, progress,
                         afterPlan);
        outcome.hivesUnsearched = values.hivesUnsearched;
        outcome.removed = flags.Items.removed;
        outcome.failed = flags.Items.failed;
        outcome.found = outcome.removed + outcome.failed;
    }
    outcome.unsearched = static_cast<unsigned>(flags.UnsearchedFolders.size());
    outcome.stopped = progress.Stopped();
}
