#include "console/ConsoleRun.h"
#include "cleaning/StartupValue.h"
#include "console/RunLog.h"
#include "tests/cleaning/InfectedMachine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace {

using Strings = std::vector<std::string>;

class ConsoleRunTest : public ::testing::Test {
protected:
    ConsoleRunTest() { BuildInfectedMachine(machine); }

    // Runs the command line over the machine; the lines printed.
    Strings Run(const Strings& args)
    {
        const ConsoleOptions options = ParseCommandLine(args);
        Strings printed;
        ConsoleLines lines([&printed](const std::string& line) { printed.push_back(line); });
        SharedFlags flags;
        ConsoleProgress progress(machine, 0, stop);
        SystemCleaning cleaning(machine, lines, flags, progress);
        CurrentUserHive hives(machine);
        RunPlans(options, machine, cleaning, hives, lines, flags, progress, outcome);
        return printed;
    }

    RecordingPlatform machine;
    std::atomic<bool> stop{false};
    RunOutcome outcome;
};

bool Has(const Strings& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

TEST_F(ConsoleRunTest, AScanListsEveryItemOnceAndChangesNothing)
{
    const std::string before = machine.Dump();
    const Strings lines = Run({"/scan"});
    EXPECT_EQ(machine.Dump(), before);
    for (const std::string& call : machine.Log())
        EXPECT_TRUE(call.rfind("MakeDirectory", 0) && call.rfind("TerminateProcess", 0) &&
                    call.rfind("Rename", 0) && call.rfind("DeleteValue", 0))
            << call;

    EXPECT_EQ(lines.front(), "Backdoor 2.03 ");
    for (const char* line : {"Encontrado: c:\\windows\\system\\acdt.dat", "Encontrado: c:\\progs\\app\\systray.exe",
                             "Proceso que se terminar\xED" "a: systray.exe", "Proceso que se terminar\xED" "a: xcvbnm.exe",
                             "Valor de inicio systemtray: HKEY_CURRENT_USER", "L\xEDneas infectadas (1): c:\\mirc\\mirc.ini",
                             "Encontrado: c:\\windows\\pynkicture image.scr", "Se encontr\xF3 rastro de la infecci\xF3n"})
        EXPECT_TRUE(Has(lines, line)) << line;
    // 20 files and copies (the purges of Netol, Cadena and Cadena 2 share 3 mirc.ini
    // copies, counted once), the resident file, 3 processes (never systray.exe), the value.
    EXPECT_EQ(outcome.found, 25u);
    EXPECT_EQ(ExitCodeOf(outcome), ExitCode::Found);
}

TEST_F(ConsoleRunTest, ACleanCountsWhatItRemovedAndWhatStayed)
{
    machine.SetValueUndeletable(RunKeyPath, "systemtray");
    const Strings lines = Run({"/clean", "/plan:backdoor,netol"});
    EXPECT_EQ(lines.front(), "Backdoor 2.03 ");
    EXPECT_TRUE(Has(lines, "Netol "));
    EXPECT_TRUE(Has(lines, "No se pudo eliminar la clave del troyano"));
    EXPECT_TRUE(Has(lines, "No se pudo eliminar el valor de inicio systemtray: HKEY_CURRENT_USER"));
    // Backdoor: 4 files, the resident file, 2 processes; Netol: 5 copies, 6 files.
    EXPECT_EQ(outcome.removed, 18u);
    // The plan's own registry step and the sweep of every hive each count the value.
    EXPECT_EQ(outcome.failed, 2u);
    EXPECT_EQ(ExitCodeOf(outcome), ExitCode::Partial);

    // The resident file is gone now: the sweep still finds the value.
    machine.SetValue(RunKeyPath, "systemtray", "c:\\windows\\system32\\systray.exe");
    outcome = {};
    const Strings again = Run({"/clean", "/plan:deepthroat"});
    EXPECT_TRUE(Has(again, "No se pudo eliminar el valor de inicio systemtray: HKEY_CURRENT_USER"));
    EXPECT_EQ(outcome.failed, 1u);
}

TEST_F(ConsoleRunTest, AStopEndsThePlanUnderWayWithTheInterruptedLine)
{
    stop = true;
    const Strings lines = Run({"/clean", "/plan:netol"});
    EXPECT_EQ(lines, (Strings{"Netol ", "Desinfecci\xF3n interrumpida: el sistema puede seguir infectado"}));
    EXPECT_EQ(ExitCodeOf(outcome), ExitCode::Stopped);
    EXPECT_TRUE(machine.Exists("c:\\a\\mirc.hst"));
}

TEST_F(ConsoleRunTest, ACleanWaitsForNoOtherRunAndAScanNeedsNoLock)
{
    machine.SetRunLockHeldElsewhere(true);
    const std::string before = machine.Dump();
    EXPECT_EQ(Run({"/clean", "/plan:all"}), (Strings{"Otra desinfecci\xF3n est\xE1 en curso en este equipo"}));
    EXPECT_EQ(ExitCodeOf(outcome), ExitCode::Busy);
    EXPECT_EQ(machine.Dump(), before);
    outcome = {};
    Run({"/scan"});
    EXPECT_EQ(ExitCodeOf(outcome), ExitCode::Found);
    outcome = {};
    Run({"/restore"});
    EXPECT_EQ(ExitCodeOf(outcome), ExitCode::Busy);
}

TEST_F(ConsoleRunTest, ARestorePutsBackWhatTheLastCleanRemoved)
{
    Run({"/clean", "/plan:netol"});
    ASSERT_FALSE(machine.Exists("c:\\a\\mirc.hst"));
    outcome = {};
    const Strings lines = Run({"/restore"});
    EXPECT_TRUE(machine.Exists("c:\\a\\mirc.hst"));
    EXPECT_EQ(lines.back(), "Se deshizo la desinfecci\xF3n");
    EXPECT_EQ(ExitCodeOf(outcome), ExitCode::Clean);
}

TEST(RunLog, AppendsAfterRenamingALogPastItsSizeAndSaysWhenItCannotOpen)
{
    RecordingPlatform machine;
    machine.AddFile("c:\\logs\\pc.log", "old\r\n");
    machine.AddFile("c:\\logs\\big.log", std::string(LogRotationSize + 1, 'x'));
    machine.AddFile("c:\\logs\\big.log.1", "older");
    for (const char* path : {"c:\\logs\\pc.log", "c:\\logs\\big.log", "c:\\logs\\new.log"}) {
        RunLog log(machine, path);
        log.Line("uno");
        EXPECT_TRUE(log.Flush());
    }
    EXPECT_EQ(machine.Contents("c:\\logs\\pc.log"), "old\r\nuno\r\n");
    EXPECT_EQ(machine.Contents("c:\\logs\\big.log"), "uno\r\n");
    EXPECT_EQ(machine.Contents("c:\\logs\\big.log.1").size(), LogRotationSize + 1);
    EXPECT_EQ(machine.Contents("c:\\logs\\new.log"), "uno\r\n");

    EXPECT_THROW(RunLog(machine, "c:\\missing\\pc.log"), std::runtime_error);
    RunLog log(machine, "c:\\logs\\pc.log");
    machine.FailEvery(RecordingPlatform::Call::WriteFile);
    log.Line("dos");
    EXPECT_TRUE(log.Failed());
    EXPECT_FALSE(log.Flush());
}
