// The in-memory machine must behave like Windows where the cleaning code depends on it.
#include "cleaning/RecordingPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Call = RecordingPlatform::Call;
using HeldBy = RecordingPlatform::HeldBy;
using Strings = std::vector<std::string>;

namespace {

// Every name a pattern lookup yields, the listing closed again.
Strings Names(RecordingPlatform& platform, const std::string& pattern)
{
    Strings names;
    FindEntry entry;
    bool unreadable = false;
    auto listing = platform.FindFirst(pattern, entry, unreadable);
    if (!listing) return names;
    do names.push_back(entry.name);
    while (listing->Next(entry));
    return names;
}

}   // namespace

TEST(RecordingPatternLookup, ShortNameMatchesOnlyTheFileThatCarriesIt)
{
    RecordingPlatform p;
    p.AddFile("c:\\a\\pynkicture image.scr");
    p.AddFile("c:\\a\\pynkicture other.scr");
    p.SetShortName("c:\\a\\pynkicture image.scr", "PYNKIC~1.SCR");
    EXPECT_EQ(Names(p, "c:\\a\\pynkic~1.scr"), Strings{"pynkicture image.scr"}) << p.Dump();
    EXPECT_EQ(Names(p, "c:\\a\\*~1.scr"), Strings{"pynkicture image.scr"});
    EXPECT_TRUE(Names(p, "c:\\a\\pynkic~2.scr").empty());
    // Paths accept the short name too.
    EXPECT_TRUE(p.FileExists("c:\\a\\PYNKIC~1.SCR"));
    EXPECT_TRUE(p.RemoveFile("c:\\a\\pynkic~1.scr"));
    EXPECT_EQ(p.AllPaths(), (Strings{"c:\\a", "c:\\a\\pynkicture other.scr"}));
}

TEST(RecordingPatternLookup, WildcardsFollowWindowsRules)
{
    RecordingPlatform p;
    for (const char* name : {"readme", "a.txt", "ab.txt", "txt", "x.tar.gz"}) p.AddFile(std::string("c:\\") + name);
    EXPECT_EQ(Names(p, "c:\\*.*"), (Strings{"a.txt", "ab.txt", "readme", "txt", "x.tar.gz"}));
    EXPECT_EQ(Names(p, "c:\\*.TXT"), (Strings{"a.txt", "ab.txt"}));
    EXPECT_EQ(Names(p, "c:\\?.txt"), Strings{"a.txt"});
    EXPECT_EQ(Names(p, "c:\\*."), (Strings{"readme", "txt"}));
    EXPECT_EQ(Names(p, "c:\\*.gz"), Strings{"x.tar.gz"});
    EXPECT_EQ(Names(p, "c:\\READ*"), Strings{"readme"});
    EXPECT_TRUE(Names(p, "c:\\*.doc").empty());
}

TEST(RecordingPatternLookup, ListingOrderIsByUpperCasedName)
{
    RecordingPlatform p;
    for (const char* name : {"b", "_x", "A", "a1"}) p.AddFile(std::string("c:\\d\\") + name);
    // Upper-cased, "_" (0x5F) sorts after the letters; byte order would put it first.
    EXPECT_EQ(Names(p, "c:\\d\\*"), (Strings{".", "..", "A", "a1", "b", "_x"}));
    // Sorted as UTF-16: the euro sign (U+20AC) comes after a-umlaut (U+00C4 upper-cased).
    p.AddFile("c:\\e\\\x80");
    p.AddFile("c:\\e\\\xE4");
    p.AddFile("c:\\e\\z");
    EXPECT_EQ(Names(p, "c:\\e\\?"), (Strings{".", "z", "\xE4", "\x80"}));
}

TEST(RecordingPatternLookup, DotEntriesOnlyInSubdirectoryWildcardListings)
{
    RecordingPlatform p;
    p.AddFile("c:\\top.txt");
    p.AddFile("c:\\sub\\f.txt", "", FileAttr::Archive | FileAttr::Hidden);
    EXPECT_EQ(Names(p, "c:\\*.*"), (Strings{"sub", "top.txt"}));
    EXPECT_EQ(Names(p, "c:\\sub\\f.txt"), Strings{"f.txt"});
    EXPECT_EQ(Names(p, "c:\\sub\\*.txt"), Strings{"f.txt"});

    FindEntry entry;
    bool unreadable = true;
    auto listing = p.FindFirst("c:\\sub\\*.*", entry, unreadable);
    ASSERT_TRUE(listing);
    EXPECT_EQ(entry.name, ".");
    EXPECT_EQ(entry.attributes, FileAttr::Directory);
    ASSERT_TRUE(listing->Next(entry));
    EXPECT_EQ(entry.name, "..");
    ASSERT_TRUE(listing->Next(entry));
    EXPECT_EQ(entry.name, "f.txt");
    EXPECT_EQ(entry.attributes, FileAttr::Archive | FileAttr::Hidden);
    EXPECT_FALSE(listing->Next(entry));
}

TEST(RecordingPatternLookup, NamesCompareWithWindows1252CaseFolding)
{
    RecordingPlatform p;
    p.AddFile("c:\\Dir\\\xE4rger.txt", "x");
    p.AddFile("c:\\Dir\\\xFF\x9A");
    EXPECT_TRUE(p.FileExists("C:\\DIR\\\xC4RGER.TXT"));
    EXPECT_EQ(Names(p, "c:\\dir\\\x9F\x8A"), Strings{"\xFF\x9A"});
    EXPECT_EQ(Names(p, "c:\\dir\\\xC4*"), Strings{"\xE4rger.txt"});
    // Not letters: the division sign and sharp s have no other case.
    p.AddFile("c:\\\xF7");
    p.AddFile("c:\\\xDF");
    EXPECT_FALSE(p.Exists("c:\\\xD7"));
    EXPECT_FALSE(p.Exists("c:\\SS"));
}

TEST(RecordingPatternLookup, UnlistableDirectoryIsSeenFromItsParentOnly)
{
    RecordingPlatform p;
    p.AddFile("c:\\a\\locked\\inner.txt", "in");
    p.SetUnlistable("c:\\a\\locked");
    EXPECT_EQ(Names(p, "c:\\a\\*.*"), (Strings{".", "..", "locked"}));
    EXPECT_EQ(Names(p, "c:\\a\\locked"), Strings{"locked"});
    EXPECT_TRUE(Names(p, "c:\\a\\locked\\*.*").empty());
    EXPECT_TRUE(Names(p, "c:\\a\\locked\\inner.txt").empty());
    EXPECT_TRUE(Names(p, "c:\\missing\\*.*").empty());
    EXPECT_EQ(p.OpenListings(), 0);
    // Paths through it still resolve.
    EXPECT_TRUE(p.Open("c:\\a\\locked\\inner.txt", OpenMode::Read));
}

// The program's opens share reading only: whoever writes shuts the others out.
TEST(RecordingFiles, OpensFollowTheSharingOfWhoHoldsTheFile)
{
    RecordingPlatform p;
    p.AddFile("c:\\r.txt", "read");
    p.AddFile("c:\\w.txt", "write");
    p.AddFile("c:\\ro.txt", "", FileAttr::ReadOnly);
    p.AddFile("c:\\free.txt", "free");
    p.AddDirectory("c:\\dir");
    p.HoldOpen("c:\\r.txt", HeldBy::Reader);
    p.HoldOpen("c:\\w.txt", HeldBy::Writer);
    EXPECT_TRUE(p.Open("c:\\r.txt", OpenMode::Rewrite)) << "the reader shares writing";
    EXPECT_FALSE(p.Open("c:\\w.txt", OpenMode::Read));
    EXPECT_FALSE(p.Open("c:\\ro.txt", OpenMode::Rewrite));
    EXPECT_TRUE(p.Open("c:\\ro.txt", OpenMode::Read));
    EXPECT_FALSE(p.Open("c:\\dir", OpenMode::Read));
    EXPECT_FALSE(p.Open("c:\\none", OpenMode::Read));
    for (const char* path : {"c:\\r.txt", "c:\\w.txt"})
        EXPECT_FALSE(p.RemoveFile(path));
    {
        auto rewrite = p.Open("c:\\free.txt", OpenMode::Rewrite);
        ASSERT_TRUE(rewrite);
        EXPECT_FALSE(p.Open("c:\\free.txt", OpenMode::Read));
        EXPECT_FALSE(p.AppendByOtherProgram("c:\\free.txt", "+"));
        EXPECT_FALSE(p.RemoveFile("c:\\free.txt"));
        EXPECT_EQ(p.OpenFiles(), 1);
    }
    {
        auto read = p.Open("c:\\free.txt", OpenMode::Read);
        EXPECT_TRUE(p.Open("c:\\free.txt", OpenMode::Read));
        EXPECT_FALSE(p.Open("c:\\free.txt", OpenMode::Rewrite));
        char buffer[8];
        std::size_t got = 0;
        EXPECT_TRUE(read->Read(1, buffer, sizeof buffer, got));
        EXPECT_EQ(std::string(buffer, got), "ree");
        EXPECT_FALSE(read->Write(0, "x", 1)) << "opened for reading";
    }
    EXPECT_TRUE(p.AppendByOtherProgram("c:\\free.txt", "+"));
    EXPECT_EQ(p.OpenFiles(), 0);

    EXPECT_FALSE(p.Open("c:\\free.txt", OpenMode::CreateNew)) << "a name already taken";
    EXPECT_FALSE(p.Open("c:\\nodir\\new.txt", OpenMode::CreateNew));
    auto created = p.Open("c:\\dir\\new.txt", OpenMode::CreateNew);
    ASSERT_TRUE(created);
    EXPECT_TRUE(created->Write(3, "ab", 2));
    EXPECT_TRUE(created->Truncate(4));
    EXPECT_EQ(p.Contents("c:\\dir\\new.txt"), std::string("\0\0\0a", 4));
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

TEST(RecordingFiles, DeletionAndReplacementFollowTheAttributes)
{
    RecordingPlatform p;
    p.AddFile("c:\\ro", "", FileAttr::ReadOnly);
    p.AddFile("c:\\hs", "", FileAttr::Hidden | FileAttr::System);
    p.AddDirectory("c:\\dir");
    EXPECT_FALSE(p.RemoveFile("c:\\ro"));
    EXPECT_FALSE(p.RemoveFile("c:\\dir"));
    EXPECT_FALSE(p.RemoveFile("c:\\none"));
    EXPECT_TRUE(p.RemoveFile("c:\\hs"));

    // The directory bit stays; a file stripped of every bit reads as normal.
    EXPECT_TRUE(p.SetAttributes("c:\\dir", 0));
    EXPECT_EQ(p.GetAttributes("c:\\dir"), FileAttr::Directory);
    EXPECT_TRUE(p.SetAttributes("c:\\ro", 0));
    EXPECT_EQ(p.GetAttributes("c:\\ro"), FileAttr::Normal);
    EXPECT_FALSE(p.SetAttributes("c:\\none", 0));
    // An unreadable word written back with a bit cleared is refused.
    EXPECT_FALSE(p.SetAttributes("c:\\ro", FileAttr::Invalid & ~FileAttr::Hidden));
    EXPECT_EQ(p.Attributes("c:\\ro"), FileAttr::Normal);
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
    EXPECT_EQ(Names(p, "*.exe"), Strings{"systray.exe"});
    EXPECT_FALSE(p.FileExists("d:\\work\\systray.exe"));
    EXPECT_EQ(p.CurrentDirectory(), "c:\\work");
    EXPECT_EQ(p.WindowsDirectory(), "c:\\windows");
    EXPECT_EQ(p.Log(), (Strings{"FileExists systray.exe", "FileExists systray.exe", "FileExists ..\\windows\\w.ini",
                                "FileExists \\windows\\w.ini", "FindFirst *.exe", "FindNext", "FindClose",
                                "FileExists d:\\work\\systray.exe", "CurrentDirectory", "WindowsDirectory"}));
}

TEST(RecordingPaths, PathsHaveNoLengthLimitAndNamesFoldBeyondLatin)
{
    RecordingPlatform p;
    p.AddFile("c:\\abc.txt", "x");
    std::string dots;
    for (int i = 0; i < 500; ++i) dots += ".\\";
    const std::string longPath = "c:\\" + dots + "abc.txt";
    EXPECT_TRUE(p.FileExists(longPath));
    EXPECT_EQ(Names(p, "c:\\" + dots + "abc.tx*"), Strings{"abc.txt"});
    EXPECT_NE(p.Open(longPath, OpenMode::Read), nullptr);
    // Cyrillic and Polish letters in UTF-8 compare without regard to case.
    p.AddFile("c:\\\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0\\\xC5\x82\xC3\xB3" "d\xC5\xBA.txt");
    EXPECT_TRUE(p.FileExists("C:\\\xD0\x9F\xD0\x90\xD0\x9F\xD0\x9A\xD0\x90\\\xC5\x81\xC3\x93" "D\xC5\xB9.TXT"));
    bool unreadable = false;
    FindEntry entry;
    EXPECT_FALSE(p.FindFirst("c:\\\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0\\x*", entry, unreadable));
    EXPECT_FALSE(unreadable);   // no match in a folder that could be read
    EXPECT_FALSE(p.FindFirst("c:\\missing\\*.*", entry, unreadable));
    EXPECT_TRUE(unreadable);
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

    EXPECT_EQ(Names(p, "c:\\d\\*.txt"), Strings{"a.txt"});
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

TEST(RecordingRegistry, KeysOpenOnlyWhenPresentAndFullyAccessible)
{
    RecordingPlatform p;
    p.AddKey("software\\microsoft\\windows\\currentversion\\run");
    p.SetValue("software\\microsoft\\windows\\currentversion\\run", "systemtray", "x");
    p.SetValue("software\\microsoft\\windows\\currentversion\\run", "keep", "y");
    p.SetValue("software\\microsoft\\windows\\currentversion\\run", "stuck", "z");
    p.SetValueUndeletable("software\\microsoft\\windows\\currentversion\\run", "stuck");
    p.AddKey("software\\locked", false);
    const OpenedKey locked = p.OpenCurrentUserKey("software\\locked");
    EXPECT_FALSE(locked.key);
    EXPECT_FALSE(locked.missing);
    const OpenedKey absent = p.OpenCurrentUserKey("software\\absent");
    EXPECT_FALSE(absent.key);
    EXPECT_TRUE(absent.missing);
    {
        auto key = p.OpenCurrentUserKey("Software\\Microsoft\\Windows\\CurrentVersion\\Run").key;
        ASSERT_TRUE(key);
        EXPECT_EQ(p.OpenKeys(), 1);
        EXPECT_EQ(key->DeleteValue("SystemTray"), RegistryKey::DeleteResult::Deleted);
        EXPECT_EQ(key->DeleteValue("systemtray"), RegistryKey::DeleteResult::NotFound);
        EXPECT_EQ(key->DeleteValue("stuck"), RegistryKey::DeleteResult::Failed);
    }
    EXPECT_EQ(p.OpenKeys(), 0);
    EXPECT_EQ(p.ValueNames("software\\microsoft\\windows\\currentversion\\run"), (Strings{"keep", "stuck"}));
    EXPECT_TRUE(p.OpenCurrentUserKey("software\\microsoft").key);   // parents exist too
    EXPECT_EQ(p.Log()[3], "DeleteValue SystemTray");
    EXPECT_EQ(p.Log()[6], "CloseKey");

    p.FailEvery(Call::OpenKey);   // a failure is no proof that the key is missing
    const OpenedKey failed = p.OpenCurrentUserKey("software\\microsoft");
    EXPECT_FALSE(failed.key);
    EXPECT_FALSE(failed.missing);
}
