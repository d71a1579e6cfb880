#include "bench/RealTreeBenchmark.h"

#include "bench/HeapMeter.h"
#include "bench/ListingMeter.h"
#include "bench/ScratchTree.h"
#include "cleaning/SystemCleaning.h"
#include "cleaning/Win32Platform.h"
#include "tests/support/LineReport.h"
#include "tests/win32/support/RemoveTree.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

const std::string Root = "c:\\pelkarin-bench\\";
// Creating files under Wine costs far more than listing them: a fifth of the in-memory tree.
const TreeShape Shape = {10, 10, 20, 10};
constexpr int Rounds = 9;

template <typename Action>
double Seconds(Action action)
{
    const Clock::time_point start = Clock::now();
    action();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Heap bytes above what was live before, at the most, while action ran.
template <typename Action>
std::size_t PeakHeapGrowth(Action action)
{
    HeapMeter::ResetPeak();
    const std::size_t before = HeapMeter::Live();
    action();
    return HeapMeter::Peak() - before;
}

} // namespace

void RealTreeBenchmark()
{
    RemoveTree(Root);
    double created = 0;
    const bool made = [&] {
        bool ok = false;
        created = Seconds([&] { ok = CreateScratchTree(Shape, Root) && CreateDirectoryChain(Root + "deep\\", 40); });
        return ok;
    }();
    if (!made) {
        std::printf("Real tree: could not be created under %s\n", Root.c_str());
        RemoveTree(Root);
        return;
    }
    std::printf("Real tree under %s: %d files in %d directories, plus a chain 40 deep (created in %.1f s)\n",
                Root.c_str(), Shape.Files(), Shape.Directories(), created);

    Win32Platform platform;
    ListingMeter meter(platform);
    LineReport report;
    SharedFlags flags;
    SystemCleaning ops(meter, report, flags);

    // Interleave the three so that all meet the same cache state and load; keep the best
    // of each (other programs on the machine make single rounds vary widely).
    double bare = 1e9, probed = 1e9, sweep = 1e9;
    std::size_t bareEntries = 0;
    for (int round = 0; round < Rounds; ++round) {
        bare = std::min(bare, Seconds([&] { bareEntries = EnumerateWithFind(Root); }));
        probed = std::min(probed, Seconds([&] { EnumerateWithFind(Root, "absent.dat"); }));
        meter.Reset();
        sweep = std::min(sweep, Seconds([&] { ops.SearchAndDeleteFile(Root, "absent.dat"); }));
    }
    const double entries = static_cast<double>(bareEntries);
    std::printf("  bare FindFirstFile/FindNextFile   %8.1f ms %8zu entries %8.1f ns/entry\n", bare * 1e3,
                bareEntries, bare * 1e9 / entries);
    std::printf("  the same with lookup + delete     %8.1f ms                  %8.1f ns/entry  ratio %.3f\n",
                probed * 1e3, probed * 1e9 / entries, probed / bare);
    std::printf("  SearchAndDeleteFile sweep         %8.1f ms %8zu entries %8.1f ns/entry  ratio %.3f"
                " (%.3f against the same calls)\n",
                sweep * 1e3, meter.Entries(), sweep * 1e9 / entries, sweep / bare, sweep / probed);

    const std::string branch = Root + "top000\\mid000\\";
    const std::string chain = Root + "deep\\";
    meter.Reset();
    const std::size_t wholeTree = PeakHeapGrowth([&] { ops.SearchAndDeleteFile(Root, "absent.dat"); });
    const int wholeDepth = meter.PeakOpen();
    meter.Reset();
    const std::size_t oneBranch = PeakHeapGrowth([&] { ops.SearchAndDeleteFile(branch, "absent.dat"); });
    const int branchDepth = meter.PeakOpen();
    meter.Reset();
    const std::size_t deepChain = PeakHeapGrowth([&] { ops.SearchAndDeleteFile(chain, "absent.dat"); });
    std::printf("  peak heap growth of a sweep: whole tree %zu bytes (%d listings open at most), one branch "
                "of %d files %zu bytes (%d), chain 40 deep %zu bytes (%d)\n",
                wholeTree, wholeDepth, Shape.leaves * Shape.filesPerLeaf, oneBranch, branchDepth, deepChain,
                meter.PeakOpen());

    const double deleting = Seconds([&] { ops.SearchAndDeleteFile(Root, TargetName); });
    const double purging = Seconds([&] { ops.PurgeConfigLines(Root, ConfigName, ConfigMarker); });
    std::printf("  sweep deleting %zu copies %.1f ms, purge of the config copies %.1f ms\n", report.lines.size(),
                deleting * 1e3, purging * 1e3);
    RemoveTree(Root);
}
