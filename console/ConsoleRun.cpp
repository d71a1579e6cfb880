#include "console/ConsoleRun.h"

#include "cleaning/Undo.h"
#include "console/ScanRun.h"
#include "engine/DisinfectionRun.h"

namespace {

// Cleans with the plans over one walk of the drive. Every resident plan sweeps its
// start-up value from every hive, whether or not its resident file was found: deployment
// tools start it from the system folder, which the walk passes over.
void Clean(const ConsoleOptions& options, PlatformServices& platform, SystemCleaning& cleaning, UserHives& hives,
           ConsoleLines& lines, SharedFlags& flags, RunProgress& progress, RunOutcome& outcome)
{
    StartupValueSweep values(hives);
    const auto afterPlan = [&](const ThreatEntry& row, Report& report) {
        if (row.kind == PlanKind::ResidentBackdoor)
            values.Sweep(row.startupValue, report, flags);
    };
    DisinfectionRuns(options.plans, cleaning, platform,
                     [&](const ThreatEntry& row) -> Report& { return lines.OfPlan(row); }, flags, progress, afterPlan);
    outcome.hivesUnsearched = values.hivesUnsearched;
    outcome.removed = flags.Items.removed;
    outcome.failed = flags.Items.failed;
    outcome.found = outcome.removed + outcome.failed;
}

} // namespace

void RunPlans(const ConsoleOptions& options, PlatformServices& platform, SystemCleaning& cleaning, UserHives& hives,
              ConsoleLines& lines, SharedFlags& flags, ConsoleProgress& progress, RunOutcome& outcome)
{
    flags.Items = {};
    if (options.mode == ConsoleMode::Scan) {
        outcome.found =
            ScanRuns(options.plans, platform, cleaning, hives, lines, flags, progress, outcome.hivesUnsearched);
    } else {
        // One run or undo at a time on the machine, in the window or here; a scan changes
        // nothing and needs none.
        const std::unique_ptr<RunLock> lock = platform.TakeRunLock();
        if (!lock) {
            lines.Append(AnotherRunLine);
            outcome.busy = true;
            return;
        }
        if (options.mode == ConsoleMode::Clean) {
            Clean(options, platform, cleaning, hives, lines, flags, progress, outcome);
        } else {
            try {
                outcome.failed = UndoLastRun(platform, cleaning.Data(), lines, progress) ? 1 : 0;
            } catch (const RunStopped&) {
                lines.Append(InterruptedLine);
            }
        }
    }
    outcome.unsearched = static_cast<unsigned>(flags.UnsearchedFolders.size());
    outcome.stopped = progress.Stopped();
}
