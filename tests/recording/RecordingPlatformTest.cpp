// The in-memory machine must behave like Windows where the cleaning code depends on it.
#include "RecordingPlatform.h"

#include "EngineError.h"

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
    EXPECT_EQ(p.ReadFileBytes("c:\\a\\locked\\inner.txt"), "in");
}

TEST(RecordingFiles, HeldOpenFilesResistDeletionAndReplacement)
{
    RecordingPlatform p;
    p.AddFile("c:\\r.txt", "read");
    p.AddFile("c:\\w.txt", "write");
    p.HoldOpen("c:\\r.txt", HeldBy::Reader);
    p.HoldOpen("c:\\w.txt", HeldBy::Writer);
    EXPECT_EQ(p.ReadFileBytes("c:\\r.txt"), "read");
    EXPECT_THROW(p.ReadFileBytes("c:\\w.txt"), EngineError);
    for (const char* path : {"c:\\r.txt", "c:\\w.txt"}) {
        EXPECT_FALSE(p.RemoveFile(path));
        EXPECT_THROW(p.ReplaceFileBytes(path, p.Contents(path), "new"), EngineError);
    }
    EXPECT_EQ(p.Contents("c:\\w.txt"), "write");
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
    EXPECT_THROW(p.ReplaceFileBytes("c:\\hs", "", "x"), EngineError);
    EXPECT_TRUE(p.RemoveFile("c:\\hs"));

    try {
        p.ReplaceFileBytes("c:\\ro", "", "x");
        ADD_FAILURE() << "replaced a read-only file";
    } catch (const EngineError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file c:\\ro");
    }
    EXPECT_THROW(p.ReplaceFileBytes("c:\\dir", "", "x"), EngineError);

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

TEST(RecordingFiles, ReplacementOnlyOfWhatWasReadKeepingAccessAndAttributes)
{
    RecordingPlatform p;
    p.AddFile("c:\\mirc.ini", "old", FileAttr::Archive | 0x2000 | 0x100);
    p.SetAccess("c:\\mirc.ini", "owner only");
    EXPECT_FALSE(p.ReplaceFileBytes("c:\\mirc.ini", "older", "new"));
    EXPECT_EQ(p.Contents("c:\\mirc.ini"), "old");
    EXPECT_FALSE(p.ReplaceFileBytes("c:\\gone.ini", "", "new")) << "removed since it was read";
    EXPECT_FALSE(p.Exists("c:\\gone.ini"));

    p.SetOtherWriter([&](const std::string& path) { p.SetContents(path, p.Contents(path) + "+"); });
    EXPECT_FALSE(p.ReplaceFileBytes("c:\\mirc.ini", "old", "new"));
    EXPECT_EQ(p.Contents("c:\\mirc.ini"), "old+");
    p.SetOtherWriter({});
    EXPECT_TRUE(p.ReplaceFileBytes("c:\\mirc.ini", "old+", "new"));
    EXPECT_EQ(p.Contents("c:\\mirc.ini"), "new");
    EXPECT_EQ(p.Access("c:\\mirc.ini"), "owner only");
    EXPECT_EQ(p.Attributes("c:\\mirc.ini"), FileAttr::Archive | 0x2000 | 0x100);

    p.AddFile("c:\\plain.ini", "a", FileAttr::Normal);
    EXPECT_TRUE(p.ReplaceFileBytes("c:\\plain.ini", "a", "b"));
    EXPECT_EQ(p.Attributes("c:\\plain.ini"), FileAttr::Archive);
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
    EXPECT_EQ(p.ReadFileBytes(longPath), "x");
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
    for (Call call : {Call::FindNext, Call::FindClose, Call::SetAttributes, Call::ReplaceFile, Call::ReadFile,
                      Call::TerminateProcess, Call::DeleteValue, Call::CloseKey, Call::CurrentDirectory})
        p.FailEvery(call);

    EXPECT_EQ(Names(p, "c:\\d\\*.txt"), Strings{"a.txt"});
    EXPECT_EQ(p.OpenListings(), 0);
    EXPECT_FALSE(p.SetAttributes("c:\\d\\a.txt", FileAttr::Hidden));
    EXPECT_THROW(p.ReplaceFileBytes("c:\\d\\a.txt", "a", "x"), EngineError);
    EXPECT_THROW(p.ReadFileBytes("c:\\d\\a.txt"), EngineError);
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
