// Times the file sweep and the configuration purge over a synthetic tree, per directory
// entry and next to a bare enumeration of the same tree: over the in-memory machine,
// and in the Win32 build also over a real scratch tree.
#include "bench/HeapMeter.h"
#include "bench/ListingMeter.h"
#include "bench/SyntheticTree.h"
#include "cleaning/RecordingPlatform.h"
#include "cleaning/SystemCleaning.h"
#include "cleaning/TreeWalk.h"
#include "tests/support/LineReport.h"

#include <chrono>
#include <cstdio>

#ifdef _WIN32
#include "bench/FormPaintBenchmark.h"
#include "bench/PaneBenchmark.h"
#include "bench/PurgeBenchmark.h"
#include "bench/RealTreeBenchmark.h"
#include "bench/RunPaneBenchmark.h"
#endif

#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Lists every directory of the tree, as a sweep that never finds its name would, but
// with nothing else: the floor the sweep is measured against.
void EnumerateAll(PlatformServices& platform, const std::string& dir)
{
    FindEntry entry;
    bool unreadable = false;
    const std::unique_ptr<FindListing> listing = platform.FindFirst(dir + "*.*", entry, unreadable);
    if (!listing)
        return;
    do {
        if (IsEnterableDirectory(entry))
            EnumerateAll(platform, SubdirectoryPath(dir, entry.name));
    } while (listing->Next(entry));
}

struct Measure {
    double seconds;
    std::size_t entries;
    int depth;
};

template <typename Action>
Measure Time(ListingMeter& meter, Action action)
{
    meter.Reset();
    const Clock::time_point start = Clock::now();
    action();
    return {Seconds(start), meter.Entries(), meter.PeakOpen()};
}

void Print(const char* what, const Measure& m, double floorNsPerEntry)
{
    const double ns = m.seconds * 1e9 / static_cast<double>(m.entries ? m.entries : 1);
    std::printf("  %-34s %8.1f ms %8zu entries %8.1f ns/entry", what, m.seconds * 1e3, m.entries, ns);
    if (floorNsPerEntry > 0)
        std::printf("  x%.2f", ns / floorNsPerEntry);
    std::printf("  open listings at most %d\n", m.depth);
}

void RecordingBenchmark(const TreeShape& shape)
{
    RecordingPlatform machine;
    const Clock::time_point build = Clock::now();
    ForEachTreeEntry(
        shape, "c:\\", [&](const std::string& dir) { machine.AddDirectory(dir); },
        [&](const std::string& file, const std::string& contents) { machine.AddFile(file, contents); });
    std::printf("In-memory machine: %d files in %d directories (built in %.1f s)\n", shape.Files(),
                shape.Directories(), Seconds(build));

    ListingMeter meter(machine);
    LineReport report;
    SharedFlags flags;
    SystemCleaning ops(meter, report, flags);
    const Measure bare = Time(meter, [&] { EnumerateAll(meter, "c:\\"); });
    const double floorNs = bare.seconds * 1e9 / static_cast<double>(bare.entries);
    Print("bare enumeration", bare, 0);
    Print("sweep, name absent", Time(meter, [&] { ops.SearchAndDeleteFile("c:\\", "absent.dat"); }), floorNs);
    Print("sweep, deleting copies", Time(meter, [&] { ops.SearchAndDeleteFile("c:\\", TargetName); }), floorNs);
    Print("purge of the copies", Time(meter, [&] { ops.PurgeConfigLines("c:\\", ConfigName, ConfigMarker); }),
          floorNs);
    std::printf("  deleted %zu copies, calls logged %zu\n", report.lines.size(), machine.CallCount());
}

} // namespace

// With "purge <MB>...": only the purge of a real copy of each size; with "paint": only the
// main window's repaints; with "pane": only the report pane's (its changes, and a 5 MB
// description); with "run <copies>...": only real runs of the window deleting that many
// copies each (Win32 build).
int main(int argc, char** argv)
{
#ifdef _WIN32
    if (argc > 1 && std::strcmp(argv[1], "purge") == 0) {
        for (int i = 2; i < argc; ++i)
            PurgeBenchmark(std::strtoul(argv[i], nullptr, 10));
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "paint") == 0) {
        FormPaintBenchmark();
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "pane") == 0) {
        PaneBenchmark();
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "run") == 0) {
        for (int i = 2; i < argc; ++i)
            RunPaneBenchmark(static_cast<int>(std::strtol(argv[i], nullptr, 10)));
        return 0;
    }
#endif
    (void)argc;
    (void)argv;
    RecordingBenchmark({10, 10, 100, 10});
#ifdef _WIN32
    RealTreeBenchmark();
    PaneBenchmark();
    FormPaintBenchmark();
#endif
    return 0;
}
