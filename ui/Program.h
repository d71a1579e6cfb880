#pragma once
// The program's run from start to end: the application and its title, the main window
// made from its description, and the message loop.
#include "widgets/form/FormDescription.h"

#include <windows.h>

// Returns the exit code: the message loop's, or 1 when start-up failed, after its error
// has been shown in a box of its own (no window of the program is left by then).
int RunProgram(HINSTANCE instance, const FormDescription& mainForm);
