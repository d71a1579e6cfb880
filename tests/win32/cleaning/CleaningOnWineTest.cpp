// The cleaning operations over the real Win32 services under Wine, in a scratch tree
// c:\pelkarin-ops-test\ that each test makes and removes: attributes, directories that
// are not entered, files held by another process, processes and the Run key.
#include "base/WindowsFamily.h"
#include "cleaning/SystemCleaning.h"
#include "cleaning/Win32Platform.h"
#include "tests/support/LineReport.h"
#include "tests/support/WalkAndAct.h"
#include "tests/win32/support/ChildProcess.h"
#include "tests/win32/support/ScratchFiles.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

const std::string Root = "c:\\pelkarin-ops-test\\";
const std::string Deleted = "Fichero del Troyano borrado.";

class CleaningOnWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveScratchTree(Root);
        MakeDirectory(Root);
    }
    void TearDown() override { RemoveScratchTree(Root); }

    Win32Platform platform;
    LineReport report;
    SharedFlags flags;
    SystemCleaning ops{platform, report, flags};
};

TEST_F(CleaningOnWine, ReadOnlyHiddenAndSystemFilesAreDeleted)
{
    MakeDirectory(Root + "a");
    MakeDirectory(Root + "a\\b");
    MakeFile(Root + "a\\acdt.dat", "x", 0x01);
    MakeFile(Root + "a\\b\\pddt.dat", "x", 0x02 | 0x04);
    MakeFile(Root + "sysdemio.exe", "x", 0x01 | 0x02 | 0x04);
    for (const char* name : {"acdt.dat", "pddt.dat", "sysdemio.exe"})
        WalkAndDelete(ops, Root, name);
    EXPECT_FALSE(PathExists(Root + "a\\acdt.dat"));
    EXPECT_FALSE(PathExists(Root + "a\\b\\pddt.dat"));
    EXPECT_FALSE(PathExists(Root + "sysdemio.exe"));
    EXPECT_EQ(report.lines, Strings(3, Deleted));
    EXPECT_EQ(flags.SearchStatus, "B\xFAsqueda concluida,siguiente b\xFAsqueda...");
}

TEST_F(CleaningOnWine, EveryCopyIsFoundWhateverFolderHoldsIt)
{
    // Copies under a hidden and a read-only folder, below another copy, inside a folder
    // named like the copies, under folders named in Cyrillic and Chinese, and 300 folders
    // down (a path of over 600 characters), made from Linux as a user copying them would.
    MakeDirectory(Root + "hidden", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(Root + "hidden\\netol.scr");
    const std::string cyrillic = "$(printf '\\320\\237\\320\\260\\320\\277\\320\\272\\320\\260')";
    const std::string chinese = "$(printf '\\346\\226\\207\\344\\273\\266\\345\\244\\271')";
    const std::string script =
        "mkdir -p readonly a/b x/netol.scr " + cyrillic + " " + chinese + " && touch readonly/netol.scr a/netol.scr "
        "a/b/netol.scr x/netol.scr/netol.scr " + cyrillic + "/netol.scr " + chinese + "/netol.scr && "
        "chmod a-w readonly && d=deep && i=0 && while [ $i -lt 300 ]; do d=$d/d; i=$((i+1)); done && "
        "mkdir -p $d && touch $d/netol.scr && touch made";
    ASSERT_TRUE(RunUnixShell(Root, script, [] { return PathExists(Root + "made"); }));
    ASSERT_EQ(AttributesOf(Root + "readonly"), 0x11u);

    WalkAndDelete(ops, Root, "netol.scr");
    // Windows 95/98/Me reach neither names outside the code page nor paths past 260
    // characters: the two foreign folders and the chain where it passes 260 are not searched.
    const bool everyName = !IsWindows9x(GetVersion());
    EXPECT_EQ(report.lines, Strings(everyName ? 8 : 5, Deleted));
    for (const char* copy : {"hidden\\netol.scr", "readonly\\netol.scr", "a\\netol.scr", "a\\b\\netol.scr",
                             "x\\netol.scr\\netol.scr"})
        EXPECT_FALSE(PathExists(Root + copy)) << copy;
    EXPECT_EQ(AttributesOf(Root + "x\\netol.scr"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(flags.UnsearchedFolders.size(), everyName ? 0u : 3u);
}

TEST_F(CleaningOnWine, LinksAreNotFollowed)
{
    MakeDirectory(Root + "real");
    MakeFile(Root + "real\\netol.scr");
    const UnixLink folderLink(Root + "folderlink", "real");
    if (!folderLink.Made())
        GTEST_SKIP() << "no symbolic link could be made here";
    ASSERT_EQ(AttributesOf(Root + "folderlink"), 0x410u);
    WalkAndDelete(ops, Root, "netol.scr");
    EXPECT_EQ(report.lines, Strings{Deleted}) << "the copy is met once, in its own folder";

    // Wine shows a link to a file as a plain file (no reparse point), so nothing tells it
    // from one: the prefix's sealing keeps such links off files outside it.
    MakeFile(Root + "target.txt", "kept");
    const UnixLink fileLink(Root + "real\\netol.scr", "../target.txt");
    ASSERT_TRUE(fileLink.Made());
    EXPECT_EQ(AttributesOf(Root + "real\\netol.scr"), static_cast<std::uint32_t>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(CleaningOnWine, DirectoriesNamedLikeATargetKeepTheirAttributes)
{
    MakeDirectory(Root + "a");
    MakeDirectory(Root + "a\\server.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeDirectory(Root + "b");
    MakeDirectory(Root + "b\\mirc.hst");
    ASSERT_TRUE(SetUnixWritable(Root + "b\\mirc.hst", false));
    const std::uint32_t hiddenSystem = AttributesOf(Root + "a\\server.ini");
    ASSERT_EQ(hiddenSystem & 0x16u, 0x16u);
    WalkAndDelete(ops, Root, "server.ini");
    WalkAndDelete(ops, Root, "mirc.hst");
    EXPECT_EQ(AttributesOf(Root + "a\\server.ini"), hiddenSystem);
    EXPECT_EQ(AttributesOf(Root + "b\\mirc.hst"), 0x11u);
    EXPECT_TRUE(report.lines.empty());
    EXPECT_FALSE(flags.InfectionFound);
}

TEST_F(CleaningOnWine, FileHeldOpenByAnotherProcessIsReported)
{
    MakeDirectory(Root + "prog");
    MakeFile(Root + "prog\\systemio.exe", "x");
    ChildProcess holder = ChildProcess::HoldingFileOpen(Root + "prog\\systemio.exe", ChildProcess::Hold::ForReading);
    WalkAndDelete(ops, Root, "systemio.exe");
    EXPECT_TRUE(PathExists(Root + "prog\\systemio.exe"));
    EXPECT_EQ(report.lines, Strings{"No se pudo borrar el fichero del Troyano: " + Root + "prog\\systemio.exe"});
    EXPECT_TRUE(flags.InfectionFound);
    EXPECT_TRUE(flags.RemovalFailed);
}

TEST_F(CleaningOnWine, ImmutableFileIsReportedNotDeleted)
{
    MakeDirectory(Root + "srv");
    MakeFile(Root + "srv\\server.ini", "x", FILE_ATTRIBUTE_HIDDEN);
    const ImmutableFile immutable(Root + "srv\\server.ini");
    if (!immutable.Made())
        GTEST_SKIP() << "chattr +i is not possible here: it needs root and ext2/3/4, XFS or Btrfs";
    WalkAndDelete(ops, Root, "server.ini");
    EXPECT_TRUE(PathExists(Root + "srv\\server.ini"));
    EXPECT_EQ(report.lines, Strings{"No se pudo borrar el fichero del Troyano: " + Root + "srv\\server.ini"});
    EXPECT_TRUE(flags.RemovalFailed);
    EXPECT_FALSE(ops.ForceDeleteFile(Root + "srv\\server.ini"));
    EXPECT_EQ(AttributesOf(Root + "srv\\server.ini") & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
}

// An administrator's prompt and every deployment tool start programs in the system
// folder, which holds Windows' own systray.exe: it is never the resident file.
TEST_F(CleaningOnWine, TheSystemFoldersSystrayIsNeverTheResidentFile)
{
    const std::string system = platform.SystemFolders().front();
    MakeFile(system + "\\systray.exe", "windows");
    MakeFile(Root + "systray.exe", "infection");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(system.c_str());
    const std::string fromSystem = ops.FindOnPath("systray.exe", system + "\\;" + platform.WindowsDirectory());
    const std::string past = ops.FindOnPath("systray.exe", "\\\\?\\" + system + ";" + Root);
    SetCurrentDirectoryA(previous);
    DeleteFileA((system + "\\systray.exe").c_str());
    EXPECT_EQ(fromSystem, "");
    EXPECT_EQ(past, Root + "systray.exe");
}

TEST_F(CleaningOnWine, FolderNamedLikeTheCopyIsPassedOverAndSearched)
{
    MakeDirectory(Root + "a");
    MakeDirectory(Root + "a\\mirc.ini");
    MakeFile(Root + "a\\mirc.ini\\mirc.ini", "n0=mirc.hst\r\n");
    MakeDirectory(Root + "b");
    MakeFile(Root + "b\\mirc.ini", "n0=mirc.hst\r\nkeep\r\n");
    WalkAndPurge(ops, Root, "mirc.ini", "mirc.hst");
    EXPECT_EQ(ReadWhole(Root + "a\\mirc.ini\\mirc.ini"), "");
    EXPECT_EQ(ReadWhole(Root + "b\\mirc.ini"), "keep\r\n");
}

TEST_F(CleaningOnWine, Utf8CopyLosesOnlyTheLinesWithTheMarkerAsItsEncodingSpellsIt)
{
    // A-umlaut in UTF-8 (C3 84) and e-ogonek, whose first byte is the worm's 0xC4.
    MakeFile(Root + "mirc.ini", "\xEF\xBB\xBF[mirc]\r\nnick=\xC3\x84rger\r\nnick3=J\xC4\x99" "drzej\r\nn0=\xC4\r\n");
    WalkAndPurge(ops, Root, "mirc.ini", "\xC4");
    EXPECT_EQ(ReadWhole(Root + "mirc.ini"), "\xEF\xBB\xBF[mirc]\r\nnick3=J\xC4\x99" "drzej\r\n");
    EXPECT_TRUE(flags.InfectionFound);
}

TEST_F(CleaningOnWine, CopyThatIsADeviceIsReadForTheSizeItReports)
{
    MakeDirectory(Root + "dev");
    const UnixLink endless(Root + "dev\\mirc.ini", "/dev/zero");
    if (!endless.Made())
        GTEST_SKIP() << "no link to /dev/zero could be made here";
    WalkAndPurge(ops, Root, "mirc.ini", "\xC4");
    EXPECT_FALSE(flags.InfectionFound);
}

TEST_F(CleaningOnWine, ChildNamedSystrayIsTerminated)
{
    ChildProcess child = ChildProcess::RunningAs(Root + "systray.exe");
    ops.KillProcessByName("systray.exe");
    EXPECT_TRUE(child.WaitForExit(5000));
}

TEST(RunKeyOnWine, StartupValueRemovedAndOtherValuesKept)
{
    std::string saved;
    const bool hadValue = ReadRunValue("systemtray", saved);
    WriteRunValue("systemtray", "c:\\windows\\systray.exe");
    WriteRunValue("pelkarin-ops-test", "kept.exe");

    Win32Platform platform;
    LineReport report;
    SharedFlags flags;
    SystemCleaning(platform, report, flags).RemoveStartupValue("systemtray");
    std::string data;
    EXPECT_FALSE(ReadRunValue("systemtray", data));
    EXPECT_TRUE(ReadRunValue("pelkarin-ops-test", data));
    EXPECT_EQ(data, "kept.exe");
    EXPECT_EQ(report.lines, Strings({"Comprobaci\xF3n de registro finalizada", "Se elimin\xF3 la clave del troyano",
                                     "Desinfecci\xF3n concluida :)"}));

    DeleteRunValue("pelkarin-ops-test");
    if (hadValue)
        WriteRunValue("systemtray", saved);
}

} // namespace
