// The in-memory machine must behave like Windows where the cleaning code depends on it.
#include "cleaning/RecordingPlatform.h"
#include "tests/support/ListingNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Call = RecordingPlatform::Call;
using HeldBy = RecordingPlatform::HeldBy;
using Strings = std::vector<std::string>;

TEST(RecordingPatternLookup, ShortNameMatchesOnlyTheFileThatCarriesIt)
{
    RecordingPlatform p;
    p.AddFile("c:\\a\\pynkicture image.scr");
    p.AddFile("c:\\a\\pynkicture other.scr");
    p.SetShortName("c:\\a\\pynkicture image.scr", "PYNKIC~1.SCR");
    EXPECT_EQ(ListingNames(p, "c:\\a\\pynkic~1.scr"), Strings{"pynkicture image.scr"}) << p.Dump();
    EXPECT_EQ(ListingNames(p, "c:\\a\\*~1.scr"), Strings{"pynkicture image.scr"});
    EXPECT_TRUE(ListingNames(p, "c:\\a\\pynkic~2.scr").empty());
    // Paths accept the short name too.
    EXPECT_TRUE(p.FileExists("c:\\a\\PYNKIC~1.SCR"));
    EXPECT_TRUE(p.RemoveFile("c:\\a\\pynkic~1.scr"));
    EXPECT_EQ(p.AllPaths(), (Strings{"c:\\a", "c:\\a\\pynkicture other.scr"}));
}

// Older tests name files in 8-bit Windows-1252 text: read as such, folded and sorted.
TEST(RecordingPatternLookup, EightBitNamesAreReadAsWindows1252)
{
    RecordingPlatform p;
    p.AddFile("c:\\Dir\\\xE4rger.txt", "x");
    p.AddFile("c:\\Dir\\\xFF\x9A");
    p.AddFile("c:\\Dir\\\x80");
    EXPECT_TRUE(p.FileExists("C:\\DIR\\\xC4RGER.TXT"));
    EXPECT_EQ(ListingNames(p, "c:\\dir\\\x9F\x8A"), Strings{"\xFF\x9A"});
    EXPECT_EQ(ListingNames(p, "c:\\dir\\?"), (Strings{".", "\x80"}));
    EXPECT_EQ(ListingNames(p, "c:\\dir\\\xC4*"), Strings{"\xE4rger.txt"});
}

// Where Wine, running as root, does otherwise, the machine follows Windows.
TEST(RecordingFiles, WindowsRulesWineDoesNotFollow)
{
    RecordingPlatform p;
    for (const char* name : {"readme", "a.txt"})
        p.AddFile(std::string("c:\\d\\") + name);
    EXPECT_EQ(ListingNames(p, "c:\\d\\*."), (Strings{".", "..", "readme"})) << "names without an extension";
    p.AddFile("c:\\ro", "", FileAttr::ReadOnly);
    EXPECT_FALSE(p.Open("c:\\ro", OpenMode::Rewrite));
    // The attribute word is set as given: no archive bit kept, and no bit at all reads as normal.
    EXPECT_TRUE(p.SetAttributes("c:\\ro", FileAttr::Hidden));
    EXPECT_EQ(p.GetAttributes("c:\\ro"), FileAttr::Hidden);
    EXPECT_TRUE(p.SetAttributes("c:\\ro", 0));
    EXPECT_EQ(p.GetAttributes("c:\\ro"), FileAttr::Normal);
    // An unreadable word written back with a bit cleared is refused.
    EXPECT_FALSE(p.SetAttributes("c:\\ro", FileAttr::Invalid & ~FileAttr::Hidden));
    EXPECT_EQ(p.Attributes("c:\\ro"), FileAttr::Normal);
}

TEST(RecordingPatternLookup, UnlistableDirectoryIsSeenFromItsParentOnly)
{
    RecordingPlatform p;
    p.AddFile("c:\\a\\locked\\inner.txt", "in");
    p.SetUnlistable("c:\\a\\locked");
    EXPECT_EQ(ListingNames(p, "c:\\a\\*.*"), (Strings{".", "..", "locked"}));
    EXPECT_EQ(ListingNames(p, "c:\\a\\locked"), Strings{"locked"});
    EXPECT_TRUE(ListingNames(p, "c:\\a\\locked\\*.*").empty());
    EXPECT_TRUE(ListingNames(p, "c:\\a\\locked\\inner.txt").empty());
    EXPECT_TRUE(ListingNames(p, "c:\\missing\\*.*").empty());
    EXPECT_EQ(p.OpenListings(), 0);
    // Paths through it still resolve.
    EXPECT_TRUE(p.Open("c:\\a\\locked\\inner.txt", OpenMode::Read));
}

// Another program appends to a file only while the program has it nowhere open.
TEST(RecordingFiles, OtherProgramsAppendOnlyToFilesNotOpen)
{
    RecordingPlatform p;
    p.AddFile("c:\\free.txt", "free");
    {
        auto rewrite = p.Open("c:\\free.txt", OpenMode::Rewrite);
        EXPECT_FALSE(p.AppendByOtherProgram("c:\\free.txt", "+"));
        auto read = p.Open("c:\\free.txt", OpenMode::Read);
        EXPECT_EQ(p.OpenFiles(), 1) << "the writer shut the reader out";
    }
    {
        auto read = p.Open("c:\\free.txt", OpenMode::Read);
        EXPECT_FALSE(p.AppendByOtherProgram("c:\\free.txt", "+"));
    }
    EXPECT_TRUE(p.AppendByOtherProgram("c:\\free.txt", "+"));
    EXPECT_EQ(p.Contents("c:\\free.txt"), "free+");
    EXPECT_EQ(p.OpenFiles(), 0);
}

TEST(RecordingFiles, KillFreezesTheMachineUntilRestart)
{
    RecordingPlatform p;
    p.AddFile("c:\\a.txt", "abcd");
    p.KillAtCallNumber(1, true);
    {
        auto file = p.Open("c:\\a.txt", OpenMode::Rewrite);
        ASSERT_TRUE(file);
        EXPECT_THROW(file->Write(0, "wxyz", 4), ProgramKilled);
        EXPECT_FALSE(file->Truncate(0));
    }
    EXPECT_EQ(p.Contents("c:\\a.txt"), "wxcd") << "torn halfway";
    EXPECT_FALSE(p.RemoveFile("c:\\a.txt"));
    p.Restart();
    EXPECT_EQ(p.OpenFiles(), 0);
    EXPECT_TRUE(p.RemoveFile("c:\\a.txt"));
}

TEST(RecordingPaths, RelativePathsResolveAgainstTheCurrentDirectory)
{
    RecordingPlatform p;
    p.AddFile("c:\\work\\systray.exe");
    p.AddFile("c:\\windows\\w.ini");
    EXPECT_FALSE(p.FileExists("systray.exe"));
    p.SetCurrentDir("c:\\work");
    EXPECT_TRUE(p.FileExists("systray.exe"));
    EXPECT_TRUE(p.FileExists("..\\windows\\w.ini"));
    EXPECT_TRUE(p.FileExists("\\windows\\w.ini"));
    EXPECT_EQ(ListingNames(p, "*.exe"), Strings{"systray.exe"});
    EXPECT_FALSE(p.FileExists("d:\\work\\systray.exe"));
    EXPECT_EQ(p.CurrentDirectory(), "c:\\work");
    EXPECT_EQ(p.WindowsDirectory(), "c:\\windows");
    EXPECT_EQ(p.Log(), (Strings{"FileExists systray.exe", "FileExists systray.exe", "FileExists ..\\windows\\w.ini",
                                "FileExists \\windows\\w.ini", "FindFirst *.exe", "FindNext", "FindClose",
                                "FileExists d:\\work\\systray.exe", "CurrentDirectory", "WindowsDirectory"}));
}

TEST(RecordingFaults, CallNumberFailsThatCallOnly)
{
    RecordingPlatform p;
    p.AddFile("c:\\a.txt");
    p.FailCallNumber(1);
    EXPECT_EQ(p.GetAttributes("c:\\a.txt"), FileAttr::Archive);
    EXPECT_FALSE(p.RemoveFile("c:\\a.txt"));
    EXPECT_TRUE(p.Exists("c:\\a.txt"));
    EXPECT_TRUE(p.RemoveFile("c:\\a.txt"));
    EXPECT_EQ(p.CallCount(), 3u);
}

TEST(RecordingFaults, FailingEveryCallOfAKindChangesNothing)
{
    RecordingPlatform p;
    p.AddFile("c:\\d\\a.txt", "a");
    p.AddFile("c:\\d\\b.txt", "b");
    p.AddKey("software\\run");
    p.SetValue("software\\run", "systemtray", "c:\\systray.exe");
    const std::uint32_t id = p.AddProcess("systray.exe");
    for (Call call : {Call::FindNext, Call::FindClose, Call::SetAttributes, Call::WriteFile, Call::OpenFile,
                      Call::TerminateProcess, Call::DeleteValue, Call::CloseKey, Call::CurrentDirectory})
        p.FailEvery(call);

    EXPECT_EQ(ListingNames(p, "c:\\d\\*.txt"), Strings{"a.txt"});
    EXPECT_EQ(p.OpenListings(), 0);
    EXPECT_FALSE(p.SetAttributes("c:\\d\\a.txt", FileAttr::Hidden));
    EXPECT_FALSE(p.Open("c:\\d\\a.txt", OpenMode::Read));
    EXPECT_FALSE(p.TerminateProcess(id));
    EXPECT_EQ(p.CurrentDirectory(), "");
    {
        auto key = p.OpenCurrentUserKey("SOFTWARE\\Run").key;
        ASSERT_TRUE(key);
        EXPECT_EQ(key->DeleteValue("systemtray"), RegistryKey::DeleteResult::Failed);
    }
    EXPECT_EQ(p.OpenKeys(), 0);
    EXPECT_EQ(p.Contents("c:\\d\\a.txt"), "a");
    EXPECT_EQ(p.Attributes("c:\\d\\a.txt"), FileAttr::Archive);
    EXPECT_EQ(p.Running().size(), 1u);
    EXPECT_TRUE(p.HasValue("software\\run", "systemtray"));

    p.ShowInformationBox("hola");
    EXPECT_EQ(p.InformationBoxes(), Strings{"hola"});
    EXPECT_EQ(p.Log().back(), "InformationBox hola");
}

TEST(RecordingRegistry, KeysAreCountedLoggedAndCanHoldUndeletableValues)
{
    RecordingPlatform p;
    const std::string run = "software\\microsoft\\windows\\currentversion\\run";
    p.SetValue(run, "systemtray", "x");
    p.SetValue(run, "stuck", "z");
    p.SetValueUndeletable(run, "stuck");
    {
        auto key = p.OpenCurrentUserKey("Software\\Microsoft\\Windows\\CurrentVersion\\Run").key;
        ASSERT_TRUE(key);
        EXPECT_EQ(p.OpenKeys(), 1);
        EXPECT_EQ(key->DeleteValue("SystemTray"), RegistryKey::DeleteResult::Deleted);
        EXPECT_EQ(key->DeleteValue("stuck"), RegistryKey::DeleteResult::Failed);
    }
    EXPECT_EQ(p.OpenKeys(), 0);
    EXPECT_EQ(p.ValueNames(run), Strings{"stuck"});
    EXPECT_EQ(p.Log(), (Strings{"OpenKey Software\\Microsoft\\Windows\\CurrentVersion\\Run", "DeleteValue SystemTray",
                                "DeleteValue stuck", "CloseKey"}));

    p.FailEvery(Call::OpenKey);   // a failure is no proof that the key is missing
    const OpenedKey failed = p.OpenCurrentUserKey(run);
    EXPECT_FALSE(failed.key);
    EXPECT_FALSE(failed.missing);
}
