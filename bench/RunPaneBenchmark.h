#pragma once
// The window thread's time per Report line in a real run of the program's window
// (Win32 build only).
void RunPaneBenchmark(int copies);
