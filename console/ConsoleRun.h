#pragma once
// A console run's plans, scanned or run, and what they came to.
#include "cleaning/SystemCleaning.h"
#include "console/CommandLine.h"
#include "console/ConsoleLines.h"
#include "console/ConsoleProgress.h"
#include "console/RunOutcome.h"

// Scans or cleans (options.mode) with options.plans over one walk of the drive, writing
// their lines to lines, and fills outcome's counts and stop. cleaning reports to lines
// and shares flags and progress.
void RunPlans(const ConsoleOptions& options, PlatformServices& platform, SystemCleaning& cleaning,
              ConsoleLines& lines, SharedFlags& flags, ConsoleProgress& progress, RunOutcome& outcome);
