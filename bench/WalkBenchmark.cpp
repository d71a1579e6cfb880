#include "bench/WalkBenchmark.h"

#include "bench/HeapMeter.h"
#include "bench/ScratchTree.h"
#include "bench/WindowBenchmark.h"
#include "cleaning/SystemCleaning.h"
#include "cleaning/Win32Platform.h"
#include "engine/DisinfectionRun.h"
#include "tests/support/LineReport.h"
#include "tests/win32/support/RemoveTree.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const std::string Root = "c:\\pelkarin-bench\\";
constexpr int Rounds = 11;

// Seconds taken by action.
double Seconds(const std::function<void()>& action)
{
    const double start = Now();
    action();
    return Now() - start;
}

// Heap bytes above what was live before, at the most, while action ran.
std::size_t PeakHeapGrowth(const std::function<void()>& action)
{
    HeapMeter::ResetPeak();
    const std::size_t before = HeapMeter::Live();
    action();
    return HeapMeter::Peak() - before;
}

// The median and the extremes of a set of measures.
struct Spread {
    explicit Spread(std::vector<double> values)
    {
        std::sort(values.begin(), values.end());
        median = values[values.size() / 2];
        low = values.front();
        high = values.back();
    }
    double median, low, high;
};

struct Plans {
    const char* what;
    std::function<void()> run;
    std::vector<double> seconds;
    std::vector<double> ratios;   // to the bare enumerations beside each run
    std::vector<double> extras;   // seconds above them
};

} // namespace

void WalkBenchmark(std::size_t files)
{
    const TreeShape shape = {std::max(1, static_cast<int>(files / 1000)), 10, 10, 10};
    RemoveTree(Root);
    bool made = false;
    const double created =
        Seconds([&] { made = CreateScratchTree(shape, Root) && CreateDirectoryChain(Root + "deep\\", 40); });
    if (!made) {
        std::printf("Runs: the tree could not be made under %s\n", Root.c_str());
        RemoveTree(Root);
        return;
    }
    const auto seed = [&] {
        ForEachInfectedFile(shape, Root, [](const std::string& path, const std::string& contents) {
            MakeScratchFile(path, contents);
        });
    };

    Win32Platform platform;
    LineReport report;
    SharedFlags flags;
    SystemCleaning ops(platform, report, flags);
    std::vector<const ThreatEntry*> allRows;
    std::vector<std::string> allNames;
    for (const ThreatEntry& row : ThreatCatalogue()) {
        allRows.push_back(&row);
        for (const ConfigPurge& purge : row.configPurges)
            allNames.push_back(purge.file);
        allNames.insert(allNames.end(), row.filesToDelete.begin(), row.filesToDelete.end());
    }
    std::vector<Plans> plans = {
        {"Netol run", [&] { DisinfectionRun(1, ops, platform, report, flags); }, {}, {}, {}},
        {"Backdoor 2.03 run", [&] { DisinfectionRun(0, ops, platform, report, flags); }, {}, {}, {}},
        {"all five plans, one walk",
         [&] { DisinfectionRuns(allRows, ops, platform, [&](const ThreatEntry&) -> Report& { return report; }, flags); },
         {}, {}, {}}};

    // Each run between two bare enumerations, its ratio to their mean: the load of the
    // machine drifts less within one round.
    std::vector<double> bare;
    std::size_t entries = 0;
    const auto enumerate = [&] {
        bare.push_back(Seconds([&] { entries = EnumerateWithFind("c:\\"); }));
        return bare.back();
    };
    for (int round = 0; round < Rounds; ++round) {
        double before = enumerate();
        for (Plans& each : plans) {
            seed();
            const double seconds = Seconds(each.run);
            const double after = enumerate();
            each.seconds.push_back(seconds);
            each.ratios.push_back(2 * seconds / (before + after));
            each.extras.push_back(seconds - (before + after) / 2);
            before = after;
        }
    }

    const Spread floor(bare);
    std::printf("Drive C: with %d files in %d folders under %s (made in %.0f s): %zu entries, %d rounds\n",
                shape.Files(), shape.Directories() + 40, Root.c_str(), created, entries, Rounds);
    std::printf("  %-26s %8.0f ms (%.0f-%.0f) %6.2f us/entry\n", "bare enumeration", floor.median * 1e3,
                floor.low * 1e3, floor.high * 1e3, floor.median * 1e6 / static_cast<double>(entries));
    for (const Plans& each : plans) {
        const Spread time(each.seconds), ratio(each.ratios), extra(each.extras);
        std::printf("  %-26s %8.0f ms (%.0f-%.0f) %6.2f us/entry  x%.3f (%.3f-%.3f)  %+.0f ms\n", each.what,
                    time.median * 1e3, time.low * 1e3, time.high * 1e3,
                    time.median * 1e6 / static_cast<double>(entries), ratio.median, ratio.low, ratio.high,
                    extra.median * 1e3);
    }

    // The walk keeps the files it matched and the listings of one branch: its heap grows
    // with those, not with the drive. After the runs only the purged copies match; then
    // the tree's own copies, then one more in every leaf.
    std::printf("  walk for every plan's names, peak heap:");
    for (int step = 0; step < 3; ++step) {
        if (step == 1)
            seed();
        if (step == 2)
            ForEachLeafDirectory(shape, Root, [](const std::string& leaf) { MakeScratchFile(leaf + "acdt.dat", ""); });
        std::size_t matches = 0;
        const std::size_t heap = PeakHeapGrowth([&] {
            for (const auto& [name, found] : ops.WalkDrive("c:\\", allNames))
                matches += found.files.size();
        });
        std::printf("%s %zu bytes with %zu matches", step ? "," : "", heap, matches);
    }
    std::printf("\n");
    RemoveTree(Root);
}
