// Times the walk of the drive and whole disinfection runs over a synthetic tree, per
// directory entry and next to a bare enumeration of the same tree: over the in-memory
// machine, and in the Win32 build also over real trees on drive C:.
#include "bench/HeapMeter.h"
#include "bench/ListingMeter.h"
#include "bench/SyntheticTree.h"
#include "cleaning/RecordingPlatform.h"
#include "cleaning/SystemCleaning.h"
#include "cleaning/TreeWalk.h"
#include "engine/DisinfectionRun.h"
#include "tests/support/LineReport.h"

#include <chrono>
#include <cstdio>

#ifdef _WIN32
#include "bench/FormPaintBenchmark.h"
#include "bench/PaneBenchmark.h"
#include "bench/PurgeBenchmark.h"
#include "bench/RunPaneBenchmark.h"
#include "bench/WalkBenchmark.h"
#endif

#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Lists every directory of the tree and nothing else: the floor the walk is measured
// against.
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
    const FileMaker addFile = [&](const std::string& file, const std::string& contents) { machine.AddFile(file, contents); };
    ForEachTreeEntry(shape, "c:\\", [&](const std::string& dir) { machine.AddDirectory(dir); }, addFile);
    std::printf("In-memory machine: %d files in %d directories (built in %.1f s)\n", shape.Files(),
                shape.Directories(), Seconds(build));

    ListingMeter meter(machine);
    LineReport report;
    SharedFlags flags;
    SystemCleaning ops(meter, report, flags);
    std::vector<const ThreatEntry*> allPlans;
    for (const ThreatEntry& row : ThreatCatalogue())
        allPlans.push_back(&row);
    const Measure bare = Time(meter, [&] { EnumerateAll(meter, "c:\\"); });
    const double floorNs = bare.seconds * 1e9 / static_cast<double>(bare.entries);
    Print("bare enumeration", bare, 0);
    Print("walk for one name", Time(meter, [&] { ops.WalkDrive("c:\\", {"absent.dat"}); }), floorNs);
    const auto run = [&](const char* what, const std::function<void()>& plans) {
        ForEachInfectedFile(shape, "c:\\", addFile);
        Print(what, Time(meter, plans), floorNs);
    };
    run("Netol run", [&] { DisinfectionRun(1, ops, meter, report, flags); });
    run("all five plans", [&] {
        DisinfectionRuns(allPlans, ops, meter, [&](const ThreatEntry&) -> Report& { return report; }, flags);
    });
    std::printf("  calls logged %zu\n", machine.CallCount());
}

} // namespace

// With "walk <files>...": only the whole runs over a tree of each size; with "purge
// <MB>...": only the purge of a real copy of each size; with "paint": only the main
// window's repaints; with "pane": only the report pane's (its changes, and a 5 MB
// description); with "run <copies>...": only real runs of the window deleting that many
// copies each (Win32 build).
int main(int argc, char** argv)
{
#ifdef _WIN32
    const bool walk = argc > 1 && std::strcmp(argv[1], "walk") == 0;
    if (walk || (argc > 1 && std::strcmp(argv[1], "purge") == 0)) {
        for (int i = 2; i < argc; ++i)
            (walk ? WalkBenchmark : PurgeBenchmark)(std::strtoul(argv[i], nullptr, 10));
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
    for (std::size_t files : {10000, 50000, 200000})
        WalkBenchmark(files);
    PaneBenchmark();
    FormPaintBenchmark();
#endif
    return 0;
}
