#include "console/CommandLine.h"
#include "console/RunOutcome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

std::string PlanNames(const ConsoleOptions& options)
{
    std::string names;
    for (const ThreatEntry* row : options.plans)
        names += row->infoFile + " ";
    return names;
}

} // namespace

TEST(CommandLine, SwitchesAnyCaseEitherPrefixPlansInCatalogueOrder)
{
    struct Case {
        Args args;
        ConsoleMode mode;
        std::string plans;
    };
    const std::string all = "back.kvd netol.kvd cadena.kvd deep.kvd cadena2.kvd ";
    for (const Case& c : std::vector<Case>{
             {{}, ConsoleMode::Scan, all},
             {{"/SCAN"}, ConsoleMode::Scan, all},
             {{"-clean", "/Plan:Cadena2,backdoor"}, ConsoleMode::Clean, "back.kvd cadena2.kvd "},
             {{"/clean", "/plan:netol,all"}, ConsoleMode::Clean, all},
             {{"/scan", "-plan:deepthroat,deepthroat"}, ConsoleMode::Scan, "deep.kvd "},
             {{"/?"}, ConsoleMode::Help, all},
             {{"/restore", "/quiet"}, ConsoleMode::Restore, all},
         }) {
        const ConsoleOptions options = ParseCommandLine(c.args);
        EXPECT_EQ(options.mode, c.mode) << c.args.size();
        EXPECT_EQ(PlanNames(options), c.plans);
    }
    const ConsoleOptions options = ParseCommandLine({"/log:\\\\lab\\logs\\", "/timeout:600", "/QUIET"});
    EXPECT_EQ(options.timeoutSeconds, 600u);
    EXPECT_TRUE(options.quiet);
    EXPECT_EQ(LogFileName(options.logPath, "PC07"), "\\\\lab\\logs\\PC07.log");
    EXPECT_EQ(LogFileName("c:\\x\\run.log", "PC07"), "c:\\x\\run.log");
}

TEST(CommandLine, WhatItCannotReadIsAUsageError)
{
    for (const Args& args : std::vector<Args>{
             {"/clean"},                      // a clean names what it removes
             {"/bogus"}, {"scan"}, {"/"},     // unknown, no prefix, empty
             {"/plan:netol,"}, {"/plan:virus"}, {"/plan"},
             {"/log:run.log"}, {"/log:c:run.log"}, {"/log:\\run.log"}, {"/log:"},
             {"/timeout:0"}, {"/timeout:-5"}, {"/timeout:1e3"}, {"/timeout:99999999999"},
             {"/scan", "/clean", "/plan:all"}, {"/quiet", "/quiet"}, {"/quiet:yes"},
             {"/restore", "/plan:netol"},
         }) {
        EXPECT_THROW(ParseCommandLine(args), UsageError) << args.front();
    }
}

TEST(RunOutcome, TheFirstOutcomeInPrecedenceDecidesTheExitCode)
{
    struct Case {
        RunOutcome outcome;
        ExitCode code;
    };
    RunOutcome partialStopped;
    partialStopped.found = partialStopped.failed = 1;
    partialStopped.stopped = true;
    RunOutcome foundIo;
    foundIo.found = 3;
    foundIo.logFailed = true;
    RunOutcome errorBusy;
    errorBusy.error = errorBusy.busy = true;
    RunOutcome busyStopped;
    busyStopped.busy = busyStopped.stopped = true;
    RunOutcome partialUnsearched;
    partialUnsearched.found = 2, partialUnsearched.removed = 1, partialUnsearched.failed = 1;
    partialUnsearched.unsearched = 4;
    RunOutcome removedUnsearched;
    removedUnsearched.found = removedUnsearched.removed = 2;
    removedUnsearched.hivesUnsearched = 1;
    RunOutcome scanned;
    scanned.found = 2;
    scanned.unsearched = 1;
    RunOutcome hiveOnly;
    hiveOnly.hivesUnsearched = 1;
    for (const Case& c : std::vector<Case>{
             {partialStopped, ExitCode::Stopped}, {foundIo, ExitCode::Io}, {errorBusy, ExitCode::Error},
             {busyStopped, ExitCode::Busy}, {partialUnsearched, ExitCode::Partial},
             {removedUnsearched, ExitCode::Removed}, {scanned, ExitCode::Found},
             {hiveOnly, ExitCode::Unsearched}, {RunOutcome(), ExitCode::Clean},
         })
        EXPECT_EQ(ExitCodeOf(c.outcome), c.code) << TrailerLine(c.outcome, c.code, 0);
}

TEST(RunOutcome, TrailerAndHeaderLines)
{
    RunOutcome outcome;
    outcome.found = 3, outcome.removed = 2, outcome.failed = 1, outcome.unsearched = 4;
    EXPECT_EQ(TrailerLine(outcome, ExitCode::Partial, 61),
              "pelkarin result=partial exit=3 found=3 removed=2 failed=1 unsearched=4 hives_unsearched=0 seconds=61");
    EXPECT_STREQ(ResultWord(ExitCode::Usage), "usage");
    const std::uint64_t day = 864000000000ull, newYear2026 = 155228 * day;
    EXPECT_EQ(IsoUtc(newYear2026 + 37230 * 10000000ull), "2026-01-01T10:20:30Z");
    EXPECT_EQ(IsoUtc(newYear2026 - 306 * day), "2025-03-01T00:00:00Z");
    EXPECT_EQ(IsoUtc(newYear2026 - 672 * day), "2024-02-29T00:00:00Z");
    EXPECT_EQ(IsoUtc(0), "1601-01-01T00:00:00Z");
    EXPECT_EQ(HeaderLine("1.2", "win32", 0, "PC", "SYSTEM", "PelkarinCmd /scan"),
              "== Pelkarin 1.2 win32 1601-01-01T00:00:00Z PC SYSTEM PelkarinCmd /scan");
}
