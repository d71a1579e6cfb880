// Terminating processes by image name and removing the start-up value.
#include "tests/cleaning/CleaningFixture.h"

namespace {

std::vector<std::string> RunningExes(const RecordingPlatform& machine)
{
    std::vector<std::string> exes;
    for (const ProcessEntry& process : machine.Running())
        exes.push_back(process.exe);
    return exes;
}

TEST_F(CleaningTest, KillMatchesTheFileNamePartOrTheWholeTextAfterAsciiUpperCasing)
{
    machine.AddProcess("C:\\WINDOWS\\SysTray.EXE");
    machine.AddProcess("xsystray.exe");
    machine.AddProcess("systray.exe");
    machine.AddProcess("c:systray.exe");
    machine.AddProcess("SYSTRAY.EXE");
    machine.AddProcess("c:\\systray.exe\\other.exe");
    machine.AddProcess("systray.exe.bak");
    ops.KillProcessByName("systray.exe");
    EXPECT_EQ(RunningExes(machine), Strings({"xsystray.exe", "c:\\systray.exe\\other.exe", "systray.exe.bak"}));
    EXPECT_TRUE(report.lines.empty());

    machine.AddProcess("dir\\a.exe");
    ops.KillProcessByName("DIR\\A.exe");   // no file-name part match, but the whole text
    EXPECT_EQ(RunningExes(machine).size(), 3u);
}

TEST_F(CleaningTest, KillLeavesAccentedLettersAsTheyAre)
{
    machine.AddProcess("\xC9X.EXE");
    machine.AddProcess("\xE9X.EXE");
    ops.KillProcessByName("\xE9x.exe");
    EXPECT_EQ(RunningExes(machine), Strings({"\xC9X.EXE"}));
}

TEST_F(CleaningTest, KillPassesOverAProcessThatCannotBeOpened)
{
    machine.AddProcess("systray.exe", false);
    machine.AddProcess("c:\\w\\systray.exe");
    ops.KillProcessByName("systray.exe");
    EXPECT_EQ(RunningExes(machine), Strings({"systray.exe"}));
}

const Strings RegistryLines = {"Comprobaci\xF3n de registro finalizada", "Se elimin\xF3 la clave del troyano",
                               "Desinfecci\xF3n concluida :)"};

TEST_F(CleaningTest, StartupValueIsRemovedAndOtherValuesKept)
{
    machine.SetValue(RunKey, "keep", "c:\\ok.exe");
    machine.SetValue(RunKey, "systemtray", "c:\\windows\\systray.exe");
    ops.RemoveStartupValue("systemtray");
    EXPECT_EQ(machine.ValueNames(RunKey), Strings{"keep"});
    EXPECT_EQ(report.lines, RegistryLines);
    ExpectNothingOpen();

    report.lines.clear();
    ops.RemoveStartupValue("systemtray");   // absent now: the same lines
    EXPECT_EQ(report.lines, RegistryLines);
    EXPECT_EQ(machine.ValueNames(RunKey), Strings{"keep"});
    EXPECT_TRUE(machine.InformationBoxes().empty());
}

TEST_F(CleaningTest, UndeletableStartupValueIsReported)
{
    machine.SetValue(RunKey, "systemtray", "x");
    machine.SetValueUndeletable(RunKey, "systemtray");
    ops.RemoveStartupValue("systemtray");
    EXPECT_EQ(report.lines, Strings({RegistryLines[0], "No se pudo eliminar la clave del troyano", RegistryLines[2]}));
    EXPECT_TRUE(machine.HasValue(RunKey, "systemtray"));
    EXPECT_TRUE(flags.RemovalFailed);
    ExpectNothingOpen();
}

TEST_F(CleaningTest, MissingRunKeyShowsTheBoxAndHoldsNothingToRemove)
{
    ops.RemoveStartupValue("systemtray");
    EXPECT_EQ(machine.InformationBoxes(), Strings{"Error abriendo valor del registro"});
    EXPECT_TRUE(report.lines.empty());
    EXPECT_FALSE(flags.RemovalFailed);
}

TEST_F(CleaningTest, DeniedRunKeyShowsTheBoxAndMarksTheRemovalFailed)
{
    machine.AddKey("Software\\Microsoft\\Windows\\CurrentVersion\\Run", false);
    machine.SetValue(RunKey, "systemtray", "x");
    ops.RemoveStartupValue("systemtray");
    EXPECT_EQ(machine.InformationBoxes(), Strings{"Error abriendo valor del registro"});
    EXPECT_TRUE(report.lines.empty());
    EXPECT_TRUE(machine.HasValue(RunKey, "systemtray"));
    EXPECT_TRUE(flags.RemovalFailed);
    ExpectNothingOpen();
}

} // namespace
