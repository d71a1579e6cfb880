#pragma once
// The sweep over a real scratch tree under c:\pelkarin-bench\, timed next to a bare
// FindFirstFile/FindNextFile enumeration of the same tree, with its peak heap use.
void RealTreeBenchmark();
