#pragma once
// A console run's plans, scanned or run, and what they came to.
#include "cleaning/SystemCleaning.h"
#include "console/CommandLine.h"
#include "console/ConsoleLines.h"
#include "console/ConsoleProgress.h"
#include "console/RunOutcome.h"
#include "console/UserHives.h"

// Scans or cleans (options.mode) with options.plans over one walk of the drive, or undoes
// the last run that changed something, writing the lines to lines, and fills outcome's
// counts and stop (an undo that something refused counts one failed item). cleaning reports to lines
// and shares flags and progress; the resident plans' start-up value is looked for in
// every hive of hives.
void RunPlans(const ConsoleOptions& options, PlatformServices& platform, SystemCleaning& cleaning, UserHives& hives,
              ConsoleLines& lines, SharedFlags& flags, ConsoleProgress& progress, RunOutcome& outcome);
