#pragma once
// The report pane's cost per Report line in a run (Win32 build only).
void PaneBenchmark();
