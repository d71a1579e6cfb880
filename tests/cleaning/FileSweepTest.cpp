// The walk over a recording drive and the deletions that act on what it found: the calls
// they make, in order, and what they delete and report.
#include "cleaning/TreeWalk.h"
#include "tests/cleaning/CleaningFixture.h"

#include <algorithm>

namespace {

bool Logged(const RecordingPlatform& machine, const std::string& call)
{
    const Strings& log = machine.Log();
    return std::find(log.begin(), log.end(), call) != log.end();
}

// Where in the log the first call that begins so stands; the log's size when none does.
std::size_t Position(const RecordingPlatform& machine, const std::string& start)
{
    const Strings& log = machine.Log();
    return std::find_if(log.begin(), log.end(), [&](const std::string& call) { return call.rfind(start, 0) == 0; }) -
           log.begin();
}

TEST_F(CleaningTest, SweepListsEachFolderOnceThenDeletesWhatItMetBelowACopyToo)
{
    machine.AddFile("c:\\dir1\\netol.scr");
    machine.AddFile("c:\\dir1\\sub\\netol.scr");
    machine.AddFile("c:\\file.txt");
    WalkAndDelete(ops, "c:\\", "netol.scr");

    // No lookup of the name and no deletion attempt in a folder that lacks it; the data
    // root is located, to be passed over. Then the copies go, in walk order.
    const Strings expected = {
        "Rights", "DataDirectory common", "FindFirst c:\\*.*",
        "FindFirst c:\\dir1\\*.*", "FindNext", "FindNext", "FindNext",
        "FindFirst c:\\dir1\\sub\\*.*", "FindNext", "FindNext", "FindNext", "FindClose",
        "FindNext", "FindClose",
        "FindNext", "FindNext", "FindClose",
        "GetAttributes c:\\dir1\\netol.scr"};
    EXPECT_EQ(Strings(machine.Log().begin(), machine.Log().begin() + expected.size()), expected);
    EXPECT_LT(Position(machine, "Rename c:\\dir1\\netol.scr"), Position(machine, "Rename c:\\dir1\\sub\\netol.scr"));
    EXPECT_FALSE(machine.Exists("c:\\dir1\\netol.scr"));
    EXPECT_FALSE(machine.Exists("c:\\dir1\\sub\\netol.scr"));
    EXPECT_EQ(report.lines, (Strings{CopyDeleted, CopyDeleted}));
    EXPECT_TRUE(flags.InfectionFound);
    EXPECT_FALSE(flags.RemovalFailed);
    EXPECT_EQ(flags.SearchStatus, SearchDone);
    ExpectNothingOpen();
}

TEST_F(CleaningTest, CopiesAtTheRootAndBelowAreAllDeletedWithoutStatus)
{
    machine.AddFile("c:\\mirc.hst");
    machine.AddFile("c:\\sub\\mirc.hst");
    machine.AddFile("c:\\sub\\sub\\mirc.hst");
    WalkAndDelete(ops, "c:\\", "mirc.hst");
    EXPECT_EQ(DrivePaths(), (Strings{"c:\\sub", "c:\\sub\\sub"}));
    EXPECT_EQ(report.lines, (Strings{CopyDeleted, CopyDeleted, CopyDeleted}));
    EXPECT_EQ(flags.SearchStatus, "");   // every directory listed held a copy
}

TEST_F(CleaningTest, EveryDirectoryIsEnteredExceptLinks)
{
    // Read-only, hidden, system, archive, compressed, offline, not indexed, encrypted;
    // then a junction or symbolic link (0x410) and a hidden one (0x412).
    for (std::uint32_t attributes : {0x11u, 0x12u, 0x14u, 0x30u, 0x810u, 0x1010u, 0x2010u, 0x4010u, 0x410u, 0x412u})
        machine.AddDirectory("c:\\d" + std::to_string(attributes), attributes);
    machine.AddDirectory("c:\\plain");
    for (const char* dir : {"d17", "d18", "d20", "d48", "d2064", "d4112", "d8208", "d16400", "d1040", "d1042",
                            "plain\\inner"})
        machine.AddFile(std::string("c:\\") + dir + "\\acdt.dat");
    WalkAndDelete(ops, "c:\\", "acdt.dat");

    for (const std::string dir : {"d17", "d18", "d20", "d48", "d2064", "d4112", "d8208", "d16400", "plain\\inner"})
        EXPECT_FALSE(machine.Exists("c:\\" + dir + "\\acdt.dat")) << dir;
    for (const std::string dir : {"d1040", "d1042"}) {
        EXPECT_TRUE(machine.Exists("c:\\" + dir + "\\acdt.dat")) << dir;
        EXPECT_FALSE(Logged(machine, "FindFirst c:\\" + dir + "\\*.*")) << dir;
    }
    // "." and ".." lead the listing of c:\plain\ and are not followed.
    EXPECT_FALSE(Logged(machine, "FindFirst c:\\plain\\.\\*.*"));
    EXPECT_FALSE(Logged(machine, "FindFirst c:\\plain\\..\\*.*"));
    EXPECT_EQ(report.lines, Strings(9, CopyDeleted));
}

TEST_F(CleaningTest, UnlistableDirectoriesAreCountedOnceAndTheWalkGoesOn)
{
    machine.AddFile("c:\\a\\deep\\pddt.dat");
    machine.SetUnlistable("c:\\a");
    machine.AddFile("c:\\b\\pddt.dat");
    machine.AddDirectory("c:\\b\\locked");
    machine.SetUnlistable("c:\\b\\locked");
    WalkAndDelete(ops, "c:\\", "pddt.dat");
    WalkAndPurge(ops, "c:\\", "mirc.ini", "mirc.hst");   // the same folders again
    EXPECT_TRUE(machine.Exists("c:\\a\\deep\\pddt.dat"));
    EXPECT_FALSE(machine.Exists("c:\\b\\pddt.dat"));
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
    EXPECT_EQ(flags.UnsearchedFolders, (std::set<std::string>{"c:\\a\\", "c:\\b\\locked\\"}));
    ExpectNothingOpen();
}

TEST_F(CleaningTest, StartWithoutItsBackslashJoinsSubdirectoriesWithOne)
{
    // "c:\top" + "*.*" lists c:\top itself, whose path is then built with a backslash.
    machine.AddFile("c:\\top\\x\\netol.scr");
    WalkAndDelete(ops, "c:\\top", "netol.scr");
    EXPECT_TRUE(Logged(machine, "FindFirst c:\\top*.*"));
    EXPECT_TRUE(Logged(machine, "FindFirst c:\\top\\top\\*.*"));
    EXPECT_TRUE(machine.Exists("c:\\top\\x\\netol.scr"));
}

// Each name's files, as "folder|long name", in the order the walk keeps them.
Strings FilesOf(const NameFindings& found)
{
    Strings files;
    for (const FoundFile& file : found.files)
        files.push_back(file.dir + "|" + file.name);
    return files;
}

TEST_F(CleaningTest, WalkKeepsTheFilesAnsweringToEachNameByLongOrShortNameInWalkOrder)
{
    machine.AddFile("c:\\a\\b\\NETOL.SCR");   // listed before the copy of its parent folder
    machine.AddFile("c:\\a\\netol.scr");
    machine.AddFile("c:\\w\\pynkicture image.scr");
    machine.SetShortName("c:\\w\\pynkicture image.scr", "PYNKIC~1.SCR");
    machine.AddFile("c:\\w\\pynkic~1.scr.txt");
    machine.AddDirectory("c:\\w\\\xC3\xA4");   // a folder named like a target holds no file to act on
    machine.AddFile("c:\\x\\\xC3\xA4");        // "ä" answers to "Ä" as NTFS folds it
    const std::vector<NameFindings> found =
        WalkDrive(machine, "c:\\", {"netol.scr", "pynkic~1.scr", "\xC3\x84", "absent.dat"}, {}, flags);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(FilesOf(found[0]), (Strings{"c:\\a\\|netol.scr", "c:\\a\\b\\|NETOL.SCR"}));
    EXPECT_EQ(FilesOf(found[1]), Strings{"c:\\w\\|pynkicture image.scr"});
    EXPECT_EQ(FilesOf(found[2]), Strings{"c:\\x\\|\xC3\xA4"});
    EXPECT_TRUE(found[3].files.empty());
    ExpectNothingOpen();

    WalkAndDelete(ops, "c:\\", "pynkic~1.scr");
    EXPECT_FALSE(machine.Exists("c:\\w\\pynkicture image.scr"));
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
}

TEST_F(CleaningTest, FileGoneOrReplacedByAFolderBeforeItsStepIsPassedOver)
{
    for (const char* dir : {"a", "b", "c"}) {
        machine.AddFile(std::string("c:\\") + dir + "\\server.ini");
        machine.AddFile(std::string("c:\\") + dir + "\\mirc.ini", "n0=server.ini\r\n");
    }
    const DriveFindings found = ops.WalkDrive("c:\\", {"mirc.ini", "server.ini"});
    machine.RemoveFile("c:\\a\\server.ini");
    machine.RemoveFile("c:\\b\\mirc.ini");
    machine.RemoveFile("c:\\c\\server.ini");
    machine.AddDirectory("c:\\c\\server.ini");
    ops.PurgeFound("mirc.ini", "server.ini", found.at("mirc.ini"));
    ops.DeleteFound("server.ini", found.at("server.ini"));
    EXPECT_EQ(machine.Contents("c:\\a\\mirc.ini"), "");
    EXPECT_FALSE(machine.Exists("c:\\b\\server.ini"));
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
    EXPECT_FALSE(flags.RemovalFailed);
    ExpectNothingOpen();
}

TEST_F(CleaningTest, WalkPassesOverTheProgramsOwnFoldersWithoutCountingThem)
{
    // The data root is named in another case than the drive lists it.
    machine.AddFile("c:\\PROGRAMDATA\\pelkarin\\Cuarentena\\1\\netol.scr");
    machine.SetUnlistable("c:\\PROGRAMDATA\\pelkarin");   // as a standard user meets it
    machine.AddFile("c:\\programdata\\other\\netol.scr");
    WalkAndDelete(ops, "c:\\", "netol.scr");
    EXPECT_EQ(report.lines, Strings{CopyDeleted});
    EXPECT_FALSE(machine.Exists("c:\\programdata\\other\\netol.scr"));
    EXPECT_TRUE(flags.UnsearchedFolders.empty());
    EXPECT_FALSE(Logged(machine, "FindFirst c:\\PROGRAMDATA\\pelkarin\\*.*"));
}

TEST_F(CleaningTest, CopyHeldOpenIsReportedAndMarksTheRemovalFailed)
{
    machine.AddFile("c:\\prog\\systemio.exe");
    machine.HoldOpen("c:\\prog\\systemio.exe", RecordingPlatform::HeldBy::Reader);
    WalkAndDelete(ops, "c:\\", "systemio.exe");
    EXPECT_TRUE(machine.Exists("c:\\prog\\systemio.exe"));
    EXPECT_EQ(report.lines, Strings{CopyKept + "c:\\prog\\systemio.exe"});
    EXPECT_TRUE(flags.InfectionFound);
    EXPECT_TRUE(flags.RemovalFailed);
}

TEST_F(CleaningTest, DirectoryCarryingTheTargetsNameIsUntouchedAndSearched)
{
    const std::uint32_t hiddenSystem = FileAttr::Directory | FileAttr::Hidden | FileAttr::System;
    machine.AddDirectory("c:\\data\\server.ini", hiddenSystem);
    machine.AddFile("c:\\data\\server.ini\\server.ini");
    machine.AddFile("c:\\data\\other\\server.ini");
    machine.AddDirectory("c:\\logs\\mirc.hst", FileAttr::Directory | FileAttr::ReadOnly);
    machine.AddDirectory("c:\\server.ini");   // at the root, beside the folders holding copies
    WalkAndDelete(ops, "c:\\", "server.ini");
    WalkAndDelete(ops, "c:\\", "mirc.hst");
    EXPECT_FALSE(machine.Exists("c:\\data\\server.ini\\server.ini"));
    EXPECT_FALSE(machine.Exists("c:\\data\\other\\server.ini"));
    EXPECT_EQ(machine.Attributes("c:\\data\\server.ini"), hiddenSystem);
    EXPECT_EQ(machine.Attributes("c:\\logs\\mirc.hst"), FileAttr::Directory | FileAttr::ReadOnly);
    EXPECT_TRUE(machine.Exists("c:\\server.ini"));
    for (const std::string& call : machine.Log())
        EXPECT_EQ(call.find("SetAttributes c:\\data\\server.ini "), std::string::npos) << call;
    EXPECT_EQ(report.lines, (Strings{CopyDeleted, CopyDeleted}));
    EXPECT_FALSE(flags.RemovalFailed);
    EXPECT_FALSE(ops.ForceDeleteFile("c:\\data\\server.ini"));
    EXPECT_EQ(machine.Attributes("c:\\data\\server.ini"), hiddenSystem);
}

TEST_F(CleaningTest, NamesBeyondTheCodePageAndPathsOfAnyLengthAreReached)
{
    // Folders named in Cyrillic, Chinese, Greek and with an emoji, then 300 levels: the
    // deepest copy's path is over 900 characters long.
    std::string dir = "c:\\\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0\\\xE6\x96\x87\xE4\xBB\xB6\xE5\xA4\xB9\\\xCE\xA9\\\xF0\x9F\x93\x81" "emoji\\";
    Strings copies;
    for (int level = 0; level < 300; ++level) {
        if (level % 100 == 0)
            copies.push_back(dir + "netol.scr");
        dir += "de\\";
    }
    copies.push_back(dir + "netol.scr");
    for (const std::string& copy : copies)
        machine.AddFile(copy);
    // A copy that stays is shown in the Report in Windows-1252, as near as it goes.
    machine.AddFile("c:\\\xC5\x81\xC3\xB3" "d\xC5\xBA\\netol.scr");
    machine.HoldOpen("c:\\\xC5\x81\xC3\xB3" "d\xC5\xBA\\netol.scr", RecordingPlatform::HeldBy::Reader);
    ASSERT_GT(copies.back().size(), 900u);
    WalkAndDelete(ops, "c:\\", "netol.scr");
    for (const std::string& copy : copies)
        EXPECT_FALSE(machine.Exists(copy)) << copy.size();
    Strings expected(copies.size(), CopyDeleted);
    expected.insert(expected.begin(), CopyKept + "c:\\L\xF3" "dz\\netol.scr");   // listed first
    EXPECT_EQ(report.lines, expected);
    EXPECT_TRUE(flags.UnsearchedFolders.empty());
    ExpectNothingOpen();
}

TEST_F(CleaningTest, LinkNamedLikeTheTargetIsLeftAloneAndReported)
{
    // A symbolic link to a file reads as a reparse point; deleting through it could reach
    // whatever it points to.
    machine.AddFile("c:\\x\\netol.scr", "", FileAttr::Archive | FileAttr::ReparsePoint | FileAttr::Hidden);
    WalkAndDelete(ops, "c:\\", "netol.scr");
    EXPECT_EQ(machine.Attributes("c:\\x\\netol.scr"), FileAttr::Archive | FileAttr::ReparsePoint | FileAttr::Hidden);
    EXPECT_EQ(report.lines, Strings{CopyKept + "c:\\x\\netol.scr"});
    EXPECT_TRUE(flags.RemovalFailed);
    EXPECT_FALSE(ops.ForceDeleteFile("c:\\x\\netol.scr"));
}

TEST_F(CleaningTest, SingleByteC4NameMatchesOnlyItself)
{
    machine.AddFile("c:\\x\\y\\\xC4");
    machine.AddFile("c:\\x\\\xC4\xC4");
    machine.AddFile("c:\\x\\\xC4.txt");
    WalkAndDelete(ops, "c:\\", "\xC4");
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
                              "FileExists c:\\win\\systray.exe", "SystemFolders",
                              "FolderIdentity c:\\windows\\system32"};
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

// Windows keeps a systray.exe of its own in its system folders: however a candidate's
// folder is spelled, a file there is never the infection's.
TEST_F(CleaningTest, FindOnPathPassesOverTheSystemFolders)
{
    machine.SetSystemFolders({"c:\\windows\\system32", "c:\\windows\\syswow64", "c:\\windows\\sysnative"});
    machine.AddFile("c:\\windows\\system32\\systray.exe");
    machine.AddFile("c:\\windows\\syswow64\\systray.exe");
    machine.AddFile("c:\\tools\\systray.exe");
    machine.AddDirectory("c:\\win");
    struct Case {
        const char* current;
        const char* dirList;
        const char* found;
    };
    const Case cases[] = {
        {"c:\\windows\\system32", "c:\\win", ""},   // the bare name, started from the system folder
        {"c:\\WINDOWS\\SysWow64\\", "", ""},
        {"c:\\win", "C:\\Windows\\System32\\;c:\\windows\\syswow64", ""},
        {"c:\\win", "c:\\windows\\system32\\..\\system32;c:\\tools", "c:\\tools\\systray.exe"},
        {"c:\\windows\\system32", "c:\\tools", "c:\\tools\\systray.exe"},
        {"c:\\tools", "c:\\windows\\system32", "systray.exe"},
    };
    for (const Case& c : cases) {
        machine.SetCurrentDir(c.current);
        EXPECT_EQ(ops.FindOnPath("systray.exe", c.dirList), c.found) << c.current << " " << c.dirList;
    }
    // A system folder that cannot be opened hides nothing.
    machine.SetSystemFolders({"c:\\missing"});
    machine.SetCurrentDir("c:\\windows\\system32");
    EXPECT_EQ(ops.FindOnPath("systray.exe", ""), "systray.exe");
}

TEST_F(CleaningTest, FindOnPathKeepsATrailByteWithItsLeadByte)
{
    const LeadByteTest doubleByte = [](unsigned char b) { return b >= 0x81 && b <= 0x9F; };
    // 0x81 0x5C is one character: its trail byte is no separator and no delimiter.
    EXPECT_EQ(FindOnPath(machine, "s.exe", "c:\\\x81\\;c:\\a\x81;b", doubleByte), "");
    const Strings expected = {"FileExists s.exe", "FileExists c:\\\x81\\\\s.exe", "FileExists c:\\a\x81;b\\s.exe"};
    EXPECT_EQ(machine.Log(), expected);

    machine.ClearLog();
    ops.FindOnPath("s.exe", "c:\\\x81\\;c:\\a\x81;b");   // code page 1252: single bytes
    const Strings single = {"FileExists s.exe", "FileExists c:\\\x81\\s.exe", "FileExists c:\\a\x81\\s.exe",
                            "FileExists b\\s.exe"};
    EXPECT_EQ(machine.Log(), single);
}

} // namespace
