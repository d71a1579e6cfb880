#pragma once
// The console program from its command line to its exit code: the log opened first, its
// header, the plans, the trailer; usage errors and the usage on the standard streams.
#include "console/ConsoleRun.h"

#include <functional>

// What runs the plans once the log is open: RunPlans, or a test's stand-in.
using PlanRunner = std::function<void(const ConsoleOptions&, PlatformServices&, SystemCleaning&, UserHives&,
                                      ConsoleLines&, SharedFlags&, ConsoleProgress&, RunOutcome&)>;

// argv as main has it; returns the exit code.
int ConsoleProgram(int argc, char** argv, const PlanRunner& runPlans = RunPlans);
