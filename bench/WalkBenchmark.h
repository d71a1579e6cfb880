#pragma once
// Whole disinfection runs over drive C: with a real tree of a given number of files on
// it, each timed against one bare FindFirstFileW/FindNextFileW enumeration of the same
// drive in alternating rounds, with the walk's peak heap (Win32 build only).
#include <cstddef>

void WalkBenchmark(std::size_t files);
