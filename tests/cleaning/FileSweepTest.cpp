// The sweep's walk over a recording drive: the calls it makes, in order, and what it
// deletes and reports.
#include "CleaningFixture.h"

#include <algorithm>

namespace {

bool Logged(const RecordingPlatform& machine, const std::string& call)
{
    const Strings& log = machine.Log();
    return std::find(log.begin(), log.end(), call) != log.end();
}

TEST_F(CleaningTest, SweepCallsInWalkOrderAndStopsBelowAFoundCopy)
{
    machine.AddFile("c:\\dir1\\netol.scr");
    machine.AddFile("c:\\dir1\\sub\\netol.scr");
    machine.AddFile("c:\\file.txt");
    ops.SearchAndDeleteFile("c:\\", "netol.scr");

    const Strings expected = {
        "FindFirst c:\\netol.scr",
        "FindFirst c:\\*.*",
        "FindFirst c:\\dir1\\netol.scr", "FindClose",
        "GetAttributes c:\\dir1\\netol.scr", "DeleteFile c:\\dir1\\netol.scr",
        "DeleteFile c:\\netol.scr",   // once, after the first entry
        "FindNext", "FindNext", "FindClose"};
    EXPECT_EQ(machine.Log(), expected);
    EXPECT_FALSE(machine.Exists("c:\\dir1\\netol.scr"));
    EXPECT_TRUE(machine.Exists("c:\\dir1\\sub\\netol.scr"));
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
    EXPECT_TRUE(flags.InfectionFound);
    EXPECT_FALSE(flags.RemovalFailed);
    EXPECT_EQ(flags.SearchStatus, SearchDone);
    ExpectNothingOpen();
}

TEST_F(CleaningTest, CopyAtTheRootEndsTheSweepThereWithoutStatus)
{
    machine.AddFile("c:\\mirc.hst");
    machine.AddFile("c:\\sub\\mirc.hst");
    ops.SearchAndDeleteFile("c:\\", "mirc.hst");
    const Strings expected = {"FindFirst c:\\mirc.hst", "FindClose", "GetAttributes c:\\mirc.hst",
                              "DeleteFile c:\\mirc.hst"};
    EXPECT_EQ(machine.Log(), expected);
    EXPECT_TRUE(machine.Exists("c:\\sub\\mirc.hst"));
    EXPECT_EQ(flags.SearchStatus, "");
}

TEST_F(CleaningTest, OnlyDirectoriesWithoutOtherAttributeBitsAreEntered)
{
    for (std::uint32_t attributes : {0x11u, 0x12u, 0x14u, 0x30u, 0x810u})
        machine.AddDirectory("c:\\d" + std::to_string(attributes), attributes);
    machine.AddDirectory("c:\\plain");
    for (const char* dir : {"d17", "d18", "d20", "d48", "d2064", "plain\\inner"})
        machine.AddFile(std::string("c:\\") + dir + "\\acdt.dat");
    ops.SearchAndDeleteFile("c:\\", "acdt.dat");

    EXPECT_FALSE(machine.Exists("c:\\plain\\inner\\acdt.dat"));
    for (const std::string dir : {"d17", "d18", "d20", "d48", "d2064"}) {
        EXPECT_TRUE(machine.Exists("c:\\" + dir + "\\acdt.dat")) << dir;
        EXPECT_FALSE(Logged(machine, "FindFirst c:\\" + dir + "\\acdt.dat")) << dir;
    }
    // "." and ".." lead the listing of c:\plain\ and are not followed.
    EXPECT_FALSE(Logged(machine, "FindFirst c:\\plain\\.\\acdt.dat"));
    EXPECT_FALSE(Logged(machine, "FindFirst c:\\plain\\..\\acdt.dat"));
    EXPECT_TRUE(Logged(machine, "DeleteFile c:\\plain\\acdt.dat"));
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
}

TEST_F(CleaningTest, UnlistableDirectoryIsSkippedAndTheWalkGoesOn)
{
    machine.AddFile("c:\\a\\deep\\pddt.dat");
    machine.SetUnlistable("c:\\a");
    machine.AddFile("c:\\b\\pddt.dat");
    ops.SearchAndDeleteFile("c:\\", "pddt.dat");
    EXPECT_TRUE(machine.Exists("c:\\a\\deep\\pddt.dat"));
    EXPECT_FALSE(machine.Exists("c:\\b\\pddt.dat"));
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
    ExpectNothingOpen();
}

TEST_F(CleaningTest, StartWithoutItsBackslashJoinsSubdirectoriesWithOne)
{
    // "c:\top" + "*.*" lists c:\top itself, whose path is then built with a backslash.
    machine.AddFile("c:\\top\\x\\netol.scr");
    ops.SearchAndDeleteFile("c:\\top", "netol.scr");
    EXPECT_TRUE(Logged(machine, "FindFirst c:\\top*.*"));
    EXPECT_TRUE(Logged(machine, "FindFirst c:\\top\\top\\netol.scr"));
    EXPECT_TRUE(machine.Exists("c:\\top\\x\\netol.scr"));
}

TEST_F(CleaningTest, ShortNameFindsTheLongNamedFile)
{
    machine.AddFile("c:\\windows\\pynkicture image.scr");
    machine.SetShortName("c:\\windows\\pynkicture image.scr", "PYNKIC~1.SCR");
    ops.SearchAndDeleteFile("c:\\", "pynkic~1.scr");
    EXPECT_FALSE(machine.Exists("c:\\windows\\pynkicture image.scr"));
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
}

TEST_F(CleaningTest, ForcedDeletionStripsHiddenReadOnlySystemInThatOrder)
{
    machine.AddFile("c:\\w\\sysdemio.exe", "", 0x27);
    machine.ClearLog();
    EXPECT_TRUE(ops.ForceDeleteFile("c:\\w\\sysdemio.exe"));
    const Strings expected = {"GetAttributes c:\\w\\sysdemio.exe", "SetAttributes c:\\w\\sysdemio.exe 0x25",
                              "SetAttributes c:\\w\\sysdemio.exe 0x24", "SetAttributes c:\\w\\sysdemio.exe 0x20",
                              "DeleteFile c:\\w\\sysdemio.exe"};
    EXPECT_EQ(machine.Log(), expected);
    EXPECT_FALSE(machine.Exists("c:\\w\\sysdemio.exe"));
    EXPECT_FALSE(ops.ForceDeleteFile("c:\\w\\sysdemio.exe"));   // gone: nothing to delete
}

TEST_F(CleaningTest, CopyHeldOpenIsReportedAndMarksTheRemovalFailed)
{
    machine.AddFile("c:\\prog\\systemio.exe");
    machine.HoldOpen("c:\\prog\\systemio.exe", RecordingPlatform::HeldBy::Reader);
    ops.SearchAndDeleteFile("c:\\", "systemio.exe");
    EXPECT_TRUE(machine.Exists("c:\\prog\\systemio.exe"));
    EXPECT_EQ(report.lines, Strings{CopyKept + "c:\\prog\\systemio.exe"});
    EXPECT_TRUE(flags.InfectionFound);
    EXPECT_TRUE(flags.RemovalFailed);
}

TEST_F(CleaningTest, DirectoryCarryingTheTargetsNameIsPassedOverSilentlyAndUntouched)
{
    const std::uint32_t hiddenSystem = FileAttr::Directory | FileAttr::Hidden | FileAttr::System;
    machine.AddDirectory("c:\\data\\server.ini", hiddenSystem);
    machine.AddFile("c:\\data\\server.ini\\server.ini");
    machine.AddFile("c:\\data\\other\\server.ini");
    machine.AddDirectory("c:\\logs\\mirc.hst", FileAttr::Directory | FileAttr::ReadOnly);
    ops.SearchAndDeleteFile("c:\\", "server.ini");
    ops.SearchAndDeleteFile("c:\\", "mirc.hst");
    EXPECT_TRUE(machine.Exists("c:\\data\\server.ini\\server.ini"));
    EXPECT_TRUE(machine.Exists("c:\\data\\other\\server.ini"));
    EXPECT_EQ(machine.Attributes("c:\\data\\server.ini"), hiddenSystem);
    EXPECT_EQ(machine.Attributes("c:\\logs\\mirc.hst"), FileAttr::Directory | FileAttr::ReadOnly);
    for (const std::string& call : machine.Log())
        EXPECT_NE(call.rfind("SetAttributes", 0), 0u) << call;
    EXPECT_TRUE(report.lines.empty());
    EXPECT_FALSE(flags.InfectionFound);
    EXPECT_FALSE(flags.RemovalFailed);
    EXPECT_FALSE(ops.ForceDeleteFile("c:\\data\\server.ini"));
    EXPECT_EQ(machine.Attributes("c:\\data\\server.ini"), hiddenSystem);
}

TEST_F(CleaningTest, NestingDownToThePathLengthLimit)
{
    // 27 levels of 8-letter names: the copy's path is 255 characters long.
    std::string dir = "c:\\";
    for (int level = 0; level < 27; ++level)
        dir += "level" + std::string(level < 10 ? "00" : "0") + std::to_string(level) + "\\";
    machine.AddFile(dir + "netol.scr");
    ASSERT_EQ((dir + "netol.scr").size(), 255u);
    ops.SearchAndDeleteFile("c:\\", "netol.scr");
    EXPECT_FALSE(machine.Exists(dir + "netol.scr"));
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
    ExpectNothingOpen();
}

TEST_F(CleaningTest, SingleByteC4NameMatchesOnlyItself)
{
    machine.AddFile("c:\\x\\y\\\xC4");
    machine.AddFile("c:\\x\\\xC4\xC4");
    machine.AddFile("c:\\x\\\xC4.txt");
    ops.SearchAndDeleteFile("c:\\", "\xC4");
    EXPECT_FALSE(machine.Exists("c:\\x\\y\\\xC4"));
    EXPECT_TRUE(machine.Exists("c:\\x\\\xC4\xC4"));
    EXPECT_TRUE(machine.Exists("c:\\x\\\xC4.txt"));
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
}

TEST_F(CleaningTest, FindOnPathTriesBareNameThenEachDirectory)
{
    machine.AddFile("c:\\win\\systray.exe");
    machine.SetCurrentDir("c:\\cur");
    machine.AddDirectory("c:\\cur");
    EXPECT_EQ(ops.FindOnPath("systray.exe", ";c:\\cur;;c:\\win;"), "c:\\win\\systray.exe");
    const Strings expected = {"FileExists systray.exe", "FileExists c:\\cur\\systray.exe",
                              "FileExists c:\\win\\systray.exe"};
    EXPECT_EQ(machine.Log(), expected);

    machine.ClearLog();
    EXPECT_EQ(ops.FindOnPath("systray.exe", "c:;c:\\cur\\"), "");
    const Strings joined = {"FileExists systray.exe", "FileExists c:systray.exe",
                            "FileExists c:\\cur\\systray.exe"};
    EXPECT_EQ(machine.Log(), joined);

    machine.AddFile("c:\\cur\\systray.exe");
    EXPECT_EQ(ops.FindOnPath("systray.exe", "c:\\win"), "systray.exe");   // as composed
    EXPECT_EQ(ops.FindOnPath("systray.exe", ""), "systray.exe");
    machine.AddDirectory("c:\\win\\systray.exe.d");
    EXPECT_EQ(ops.FindOnPath("systray.exe.d", "c:\\win"), "");   // a directory is no file
}

TEST_F(CleaningTest, FindOnPathKeepsATrailByteWithItsLeadByte)
{
    SystemCleaning doubleByte(machine, report, flags, [](unsigned char b) { return b >= 0x81 && b <= 0x9F; });
    // 0x81 0x5C is one character: its trail byte is no separator and no delimiter.
    EXPECT_EQ(doubleByte.FindOnPath("s.exe", "c:\\\x81\\;c:\\a\x81;b"), "");
    const Strings expected = {"FileExists s.exe", "FileExists c:\\\x81\\\\s.exe", "FileExists c:\\a\x81;b\\s.exe"};
    EXPECT_EQ(machine.Log(), expected);

    machine.ClearLog();
    ops.FindOnPath("s.exe", "c:\\\x81\\;c:\\a\x81;b");   // code page 1252: single bytes
    const Strings single = {"FileExists s.exe", "FileExists c:\\\x81\\s.exe", "FileExists c:\\a\x81\\s.exe",
                            "FileExists b\\s.exe"};
    EXPECT_EQ(machine.Log(), single);
}

} // namespace
