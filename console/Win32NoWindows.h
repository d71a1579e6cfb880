#pragma once
// What keeps a console run from ever waiting on a window nobody can see: no system error
// box, and a crash that ends the run with its trailer instead of a dialog.
#include <functional>

// Sets the error mode that asks the system for no box (critical errors, missing files,
// faults) and a filter for unhandled exceptions that calls lastWords, then ends the
// process with exitCode.
void KeepWindowsAway(std::function<void()> lastWords, unsigned exitCode);
