// What the cleaning code relies on from its platform, checked the same way on each.
#include "tests/contract/PlatformContract.h"

#include "tests/support/ListingNames.h"

#include <algorithm>
#include <cctype>
#include <vector>

using Strings = std::vector<std::string>;
using DeleteResult = RegistryKey::DeleteResult;
using Hold = ContractMachine::Hold;

namespace {

Strings WithDots(Strings names)
{
    names.insert(names.begin(), {".", ".."});
    return names;
}

bool SameAscii(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The whole of a file read through the platform, in as many reads as it takes.
std::string ReadThrough(OpenedFile& file)
{
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    std::size_t done = 0, read = 1;
    for (; read && done < bytes.size(); done += read)
        EXPECT_TRUE(file.Read(done, &bytes[done], bytes.size() - done, read));
    return bytes.substr(0, done);
}

// Names in UTF-8: a-umlaut, the euro sign, y-diaeresis and s-caron with their capitals,
// a Cyrillic folder and a Polish file name.
const std::string AUmlaut = "\xC3\xA4", CapitalAUmlaut = "\xC3\x84";
const std::string Euro = "\xE2\x82\xAC";
const std::string YDiaeresis = "\xC3\xBF", CapitalYDiaeresis = "\xC5\xB8";
const std::string SCaron = "\xC5\xA1", CapitalSCaron = "\xC5\xA0";
const std::string Folder = "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0", CapitalFolder = "\xD0\x9F\xD0\x90\xD0\x9F\xD0\x9A\xD0\x90";
const std::string Polish = "\xC5\x82\xC3\xB3" "d\xC5\xBA.txt", CapitalPolish = "\xC5\x81\xC3\x93" "D\xC5\xB9.TXT";

} // namespace

TEST_P(PlatformContract, WildcardsFollowWindowsRules)
{
    for (const char* name : {"readme", "a.txt", "ab.txt", "txt", "x.tar.gz"})
        Machine().MakeFile(Root() + name);
    EXPECT_EQ(ListingNames(Platform(), Root() + "*.*"), WithDots({"a.txt", "ab.txt", "readme", "txt", "x.tar.gz"}));
    EXPECT_EQ(ListingNames(Platform(), Root() + "*.TXT"), (Strings{"a.txt", "ab.txt"}));
    EXPECT_EQ(ListingNames(Platform(), Root() + "?.txt"), Strings{"a.txt"});
    EXPECT_EQ(ListingNames(Platform(), Root() + "*.gz"), Strings{"x.tar.gz"});
    EXPECT_EQ(ListingNames(Platform(), Root() + "READ*"), Strings{"readme"});
    bool unreadable = true;
    EXPECT_TRUE(ListingNames(Platform(), Root() + "*.doc", &unreadable).empty());
    EXPECT_FALSE(unreadable) << "a folder with no match";
}

TEST_P(PlatformContract, ListingOrderIsByUpperCasedName)
{
    for (const char* name : {"b", "_x", "A", "a1"})
        Machine().MakeFile(Root() + "d\\" + name);
    // Upper-cased, "_" (0x5F) sorts after the letters; byte order would put it first.
    EXPECT_EQ(ListingNames(Platform(), Root() + "d\\*"), WithDots({"A", "a1", "b", "_x"}));
    // Sorted as UTF-16: the euro sign (U+20AC) comes after a-umlaut (U+00C4 upper-cased).
    for (const std::string& name : {Euro, AUmlaut, std::string("z")})
        Machine().MakeFile(Root() + "e\\" + name);
    EXPECT_EQ(ListingNames(Platform(), Root() + "e\\?"), (Strings{".", "z", AUmlaut, Euro}));
}

TEST_P(PlatformContract, DotEntriesOnlyInSubfolderWildcardListings)
{
    Machine().MakeFile(Root() + "sub\\f.txt", "", FileAttr::Archive | FileAttr::Hidden);
    EXPECT_EQ(ListingNames(Platform(), Root() + "sub\\f.txt"), Strings{"f.txt"});
    EXPECT_EQ(ListingNames(Platform(), Root() + "sub\\*.txt"), Strings{"f.txt"});

    FindEntry entry;
    bool unreadable = true;
    auto listing = Platform().FindFirst(Root() + "sub\\*.*", entry, unreadable);
    ASSERT_TRUE(listing);
    EXPECT_FALSE(unreadable);
    EXPECT_EQ(entry.name, ".");
    EXPECT_EQ(entry.attributes, FileAttr::Directory);
    ASSERT_TRUE(listing->Next(entry));
    EXPECT_EQ(entry.name, "..");
    ASSERT_TRUE(listing->Next(entry));
    EXPECT_EQ(entry.name, "f.txt");
    EXPECT_EQ(entry.attributes, FileAttr::Archive | FileAttr::Hidden);
    EXPECT_FALSE(listing->Next(entry));
    listing.reset();

    // The drive's root lists neither.
    const Strings top = ListingNames(Platform(), "c:\\*");
    EXPECT_EQ(std::count_if(top.begin(), top.end(), [](const std::string& n) { return n == "." || n == ".."; }), 0);
    const std::string scratch = Root().substr(3, Root().size() - 4);
    EXPECT_TRUE(std::any_of(top.begin(), top.end(), [&](const std::string& n) { return SameAscii(n, scratch); }));
}

TEST_P(PlatformContract, NamesAreUtf8AndCompareWithoutRegardToCase)
{
    Machine().MakeFile(Root() + "Dir\\" + AUmlaut + "rger.txt", "x");
    Machine().MakeFile(Root() + "Dir\\" + YDiaeresis + SCaron);
    EXPECT_TRUE(Platform().FileExists(Root() + "DIR\\" + CapitalAUmlaut + "RGER.TXT"));
    EXPECT_EQ(ListingNames(Platform(), Root() + "dir\\" + CapitalYDiaeresis + CapitalSCaron), Strings{YDiaeresis + SCaron});
    EXPECT_EQ(ListingNames(Platform(), Root() + "dir\\" + CapitalAUmlaut + "*"), Strings{AUmlaut + "rger.txt"});
    // Not letters: the division sign and sharp s have no other case.
    Machine().MakeFile(Root() + "\xC3\xB7");
    Machine().MakeFile(Root() + "\xC3\x9F");
    EXPECT_FALSE(Platform().FileExists(Root() + "\xC3\x97"));
    EXPECT_FALSE(Platform().FileExists(Root() + "SS"));

    if (!Machine().ReachesEveryName())
        GTEST_SKIP() << "Windows 95/98/Me name files in the ANSI code page only";
    Machine().MakeFile(Root() + Folder + "\\" + Polish);
    EXPECT_EQ(ListingNames(Platform(), Root() + "*"), WithDots({"Dir", "\xC3\x9F", "\xC3\xB7", Folder}));
    EXPECT_TRUE(Platform().FileExists(Root() + CapitalFolder + "\\" + CapitalPolish));
}

TEST_P(PlatformContract, LookupsTellAnEmptyFolderFromOneThatCannotBeLookedInto)
{
    Machine().MakeFile(Root() + "a.txt");
    Machine().MakeDirectory(Root() + "empty");
    FindEntry entry;
    bool unreadable = true;
    EXPECT_FALSE(Platform().FindFirst(Root() + "empty\\*.txt", entry, unreadable));
    EXPECT_FALSE(unreadable);
    EXPECT_FALSE(Platform().FindFirst(Root() + "b.txt", entry, unreadable));
    EXPECT_FALSE(unreadable);
    for (const char* pattern : {"missing\\*.*", "a.txt\\*.*"}) {
        unreadable = false;
        EXPECT_FALSE(Platform().FindFirst(Root() + pattern, entry, unreadable));
        EXPECT_TRUE(unreadable) << pattern;
    }
}

TEST_P(PlatformContract, ShortNamesAnswerLookupsAndPaths)
{
    Machine().MakeFile(Root() + "pynkicture image.scr", "x");
    Machine().MakeFile(Root() + "b.txt");
    const std::string shortName = Machine().ShortNameOf(Root() + "pynkicture image.scr");
    ASSERT_NE(shortName, "pynkicture image.scr");
    EXPECT_EQ(ListingNames(Platform(), Root() + shortName), Strings{"pynkicture image.scr"});
    FindEntry entry;
    bool unreadable = false;
    ASSERT_TRUE(Platform().FindFirst(Root() + "pynkic*", entry, unreadable));
    EXPECT_EQ(entry.shortName, shortName) << "a listing gives each entry's short name";
    EXPECT_TRUE(Platform().FileExists(Root() + shortName));
    EXPECT_TRUE(Platform().RemoveFile(Root() + shortName));
    EXPECT_FALSE(Machine().Exists(Root() + "pynkicture image.scr"));
}

TEST_P(PlatformContract, PathsResolveAgainstTheCurrentDirectoryAndHaveNoLengthLimit)
{
    Machine().MakeFile(Root() + "work\\systray.exe");
    Machine().MakeFile(Root() + "other\\w.ini", "w");
    Machine().SetCurrentDirectory(Root() + "work");
    EXPECT_TRUE(SameAscii(Platform().CurrentDirectory(), Root() + "work"));
    EXPECT_TRUE(Platform().FileExists("systray.exe"));
    EXPECT_TRUE(Platform().FileExists("..\\other\\w.ini"));
    EXPECT_TRUE(Platform().FileExists(Root().substr(2) + "other\\w.ini"));
    EXPECT_EQ(ListingNames(Platform(), "*.exe"), Strings{"systray.exe"});
    EXPECT_TRUE(SameAscii(Platform().WindowsDirectory(), "c:\\windows"));

    if (!Machine().ReachesEveryName())
        GTEST_SKIP() << "Windows 95/98/Me reach no path past 260 characters";
    std::string dots;
    for (int i = 0; i < 500; ++i)
        dots += ".\\";
    const std::string longPath = Root() + dots + "other\\w.ini";
    EXPECT_TRUE(Platform().FileExists(longPath));
    EXPECT_EQ(ListingNames(Platform(), Root() + dots + "other\\w.in*"), Strings{"w.ini"});
    auto file = Platform().Open(longPath, OpenMode::Read);
    ASSERT_TRUE(file);
    EXPECT_EQ(ReadThrough(*file), "w");
}

TEST_P(PlatformContract, AttributesAreReadAndSetAsWindowsDoes)
{
    Machine().MakeFile(Root() + "plain.txt", "x");
    Machine().MakeFile(Root() + "ro.txt", "", FileAttr::ReadOnly);
    Machine().MakeDirectory(Root() + "dir");
    EXPECT_EQ(Platform().GetAttributes(Root() + "plain.txt"), FileAttr::Archive);
    EXPECT_EQ(Platform().GetAttributes(Root() + "dir"), FileAttr::Directory);
    EXPECT_EQ(Platform().GetAttributes(Root() + "missing.txt"), FileAttr::Invalid);
    EXPECT_TRUE(Platform().FileExists(Root() + "plain.txt"));
    EXPECT_FALSE(Platform().FileExists(Root() + "dir"));
    EXPECT_FALSE(Platform().FileExists(Root() + "missing.txt"));

    // Wine reports the archive bit on every file, whatever was set.
    EXPECT_TRUE(Platform().SetAttributes(Root() + "plain.txt", FileAttr::Hidden | FileAttr::System));
    EXPECT_EQ(Platform().GetAttributes(Root() + "plain.txt") & ~FileAttr::Archive, FileAttr::Hidden | FileAttr::System);
    EXPECT_TRUE(Platform().SetAttributes(Root() + "ro.txt", 0));
    EXPECT_EQ(Platform().GetAttributes(Root() + "ro.txt") & (FileAttr::ReadOnly | FileAttr::Hidden | FileAttr::System), 0u);
    EXPECT_TRUE(Platform().SetAttributes(Root() + "dir", 0));
    EXPECT_EQ(Platform().GetAttributes(Root() + "dir"), FileAttr::Directory) << "the directory bit stays";
    EXPECT_FALSE(Platform().SetAttributes(Root() + "missing.txt", 0));
}

TEST_P(PlatformContract, OnlyFilesNobodyHoldsAndNotReadOnlyAreDeleted)
{
    Machine().MakeFile(Root() + "ro.txt", "", FileAttr::ReadOnly);
    Machine().MakeFile(Root() + "hs.txt", "", FileAttr::Hidden | FileAttr::System);
    Machine().MakeFile(Root() + "read.txt");
    Machine().MakeFile(Root() + "write.txt");
    Machine().MakeDirectory(Root() + "dir");
    EXPECT_FALSE(Platform().RemoveFile(Root() + "ro.txt"));
    EXPECT_FALSE(Platform().RemoveFile(Root() + "dir"));
    EXPECT_FALSE(Platform().RemoveFile(Root() + "missing.txt"));
    EXPECT_TRUE(Platform().RemoveFile(Root() + "hs.txt"));
    const auto reader = Machine().HoldOpen(Root() + "read.txt", Hold::Reading);
    const auto writer = Machine().HoldOpen(Root() + "write.txt", Hold::Writing);
    EXPECT_FALSE(Platform().RemoveFile(Root() + "read.txt"));
    EXPECT_FALSE(Platform().RemoveFile(Root() + "write.txt"));
    for (const char* name : {"ro.txt", "read.txt", "write.txt", "dir"})
        EXPECT_TRUE(Machine().Exists(Root() + name)) << name;
    EXPECT_FALSE(Machine().Exists(Root() + "hs.txt"));
}

// The program's opens share reading only: whoever writes shuts the others out.
TEST_P(PlatformContract, OpensShareReadingOnly)
{
    Machine().MakeFile(Root() + "r.txt", "read");
    Machine().MakeFile(Root() + "w.txt", "write");
    Machine().MakeFile(Root() + "ro.txt", "", FileAttr::ReadOnly);
    Machine().MakeFile(Root() + "free.txt", "free");
    Machine().MakeDirectory(Root() + "dir");
    const auto reader = Machine().HoldOpen(Root() + "r.txt", Hold::Reading);
    const auto writer = Machine().HoldOpen(Root() + "w.txt", Hold::Writing);
    EXPECT_TRUE(Platform().Open(Root() + "r.txt", OpenMode::Rewrite)) << "the reader shares writing";
    EXPECT_TRUE(Platform().Open(Root() + "ro.txt", OpenMode::Read));
    const std::pair<const char*, OpenFailure> refused[] = {
        {"w.txt", OpenFailure::InUse}, {"dir", OpenFailure::Other}, {"none.txt", OpenFailure::Other}};
    for (const auto& [name, why] : refused) {
        OpenFailure failure = OpenFailure::None;
        EXPECT_FALSE(Platform().Open(Root() + name, OpenMode::Read, failure)) << name;
        EXPECT_EQ(failure, why) << name;
    }
    {
        auto rewrite = Platform().Open(Root() + "free.txt", OpenMode::Rewrite);
        ASSERT_TRUE(rewrite);
        EXPECT_FALSE(Platform().Open(Root() + "free.txt", OpenMode::Read));
        EXPECT_FALSE(Platform().RemoveFile(Root() + "free.txt"));
    }
    auto read = Platform().Open(Root() + "free.txt", OpenMode::Read);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Size(), 4u);
    EXPECT_EQ(read->Attributes(), FileAttr::Archive);
    EXPECT_TRUE(Platform().Open(Root() + "free.txt", OpenMode::Read));
    EXPECT_FALSE(Platform().Open(Root() + "free.txt", OpenMode::Rewrite));
    char buffer[8];
    std::size_t got = 0;
    EXPECT_TRUE(read->Read(1, buffer, sizeof buffer, got));
    EXPECT_EQ(std::string(buffer, got), "ree");
    EXPECT_TRUE(read->Read(4, buffer, sizeof buffer, got));
    EXPECT_EQ(got, 0u) << "the end";
    EXPECT_FALSE(read->Write(0, "x", 1)) << "opened for reading";
    read.reset();
    EXPECT_EQ(Machine().Contents(Root() + "free.txt"), "free");
}

TEST_P(PlatformContract, FilesAreRewrittenInPlaceAndMadeNew)
{
    std::string big(5 * 1024 * 1024 + 7, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 4096);
    Machine().MakeFile(Root() + "big.ini", big);
    {
        auto file = Platform().Open(Root() + "big.ini", OpenMode::Rewrite);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Size(), big.size());
        EXPECT_EQ(ReadThrough(*file), big);
        EXPECT_TRUE(file->Write(big.size() - 2, "xyz", 3));
        EXPECT_TRUE(file->Flush());
        EXPECT_EQ(Machine().Contents(Root() + "big.ini"), big.substr(0, big.size() - 2) + "xyz");
        EXPECT_TRUE(file->Truncate(4));
    }
    EXPECT_EQ(Machine().Contents(Root() + "big.ini"), big.substr(0, 4));

    EXPECT_FALSE(Platform().Open(Root() + "big.ini", OpenMode::CreateNew)) << "a name already taken";
    EXPECT_FALSE(Platform().Open(Root() + "nodir\\new.ini", OpenMode::CreateNew));
    {
        auto created = Platform().Open(Root() + "new.ini", OpenMode::CreateNew);
        ASSERT_TRUE(created);
        EXPECT_EQ(created->Size(), 0u);
        EXPECT_TRUE(created->Write(3, "ab", 2));
        EXPECT_TRUE(created->Truncate(4));
    }
    EXPECT_EQ(Machine().Contents(Root() + "new.ini"), std::string("\0\0\0a", 4));
}

TEST_P(PlatformContract, DirectoriesAreMadeOnceRemovedWhenEmptyAndHeldOnlyWhenTheyAreDirectories)
{
    EXPECT_TRUE(Platform().MakeDirectory(Root() + "sub", DirectoryAccess::Inherited));
    EXPECT_TRUE(Platform().MakeDirectory(Root() + "sub", DirectoryAccess::Inherited)) << "already there";
    EXPECT_EQ(Platform().GetAttributes(Root() + "sub"), FileAttr::Directory);
    Machine().MakeFile(Root() + "taken");
    EXPECT_TRUE(Platform().MakeDirectory(Root() + "taken", DirectoryAccess::Inherited)) << "a name taken by a file";
    EXPECT_FALSE(Platform().MakeDirectory(Root() + "taken\\sub", DirectoryAccess::Inherited));
    EXPECT_TRUE(Platform().HoldFolder(Root() + "sub"));
    EXPECT_FALSE(Platform().HoldFolder(Root() + "taken"));
    EXPECT_FALSE(Platform().HoldFolder(Root() + "missing"));

    Machine().MakeFile(Root() + "full\\in.txt");
    EXPECT_FALSE(Platform().RemoveEmptyFolder(Root() + "full"));
    EXPECT_FALSE(Platform().RemoveEmptyFolder(Root() + "taken")) << "a file";
    EXPECT_FALSE(Platform().RemoveEmptyFolder(Root() + "missing"));
    EXPECT_TRUE(Platform().RemoveEmptyFolder(Root() + "sub"));
    EXPECT_FALSE(Machine().Exists(Root() + "sub"));
    EXPECT_TRUE(Machine().Exists(Root() + "full\\in.txt"));
}

TEST_P(PlatformContract, RenamingNeverCopiesNorReplacesAndKeepsTheFilesIdentity)
{
    Machine().MakeFile(Root() + "a.ini", "a");
    Machine().MakeFile(Root() + "b.ini", "b");
    Machine().MakeFile(Root() + "dir\\in.ini", "in");
    FileIdentity a, b;
    {
        auto first = Platform().Open(Root() + "a.ini", OpenMode::Read), second = Platform().Open(Root() + "b.ini", OpenMode::Read);
        ASSERT_TRUE(first && second);
        a = first->Identity();
        b = second->Identity();
        EXPECT_NE(a, b);
        EXPECT_EQ(Platform().Open(Root() + "A.INI", OpenMode::Read)->Identity(), a) << "the same file by another name";
    }
    EXPECT_FALSE(Platform().Rename(Root() + "a.ini", Root() + "b.ini")) << "a name taken";
    EXPECT_FALSE(Platform().Rename(Root() + "none.ini", Root() + "c.ini"));
    EXPECT_TRUE(Platform().Rename(Root() + "a.ini", Root() + "c.ini"));
    EXPECT_TRUE(Platform().Rename(Root() + "dir", Root() + "moved"));
    EXPECT_EQ(Machine().Contents(Root() + "b.ini"), "b");
    EXPECT_EQ(Machine().Contents(Root() + "moved\\in.ini"), "in");
    EXPECT_FALSE(Machine().Exists(Root() + "a.ini"));
    EXPECT_EQ(Platform().Open(Root() + "c.ini", OpenMode::Read)->Identity(), a);
}

TEST_P(PlatformContract, AFolderIsKnownByWhatItIsNotByHowItIsSpelled)
{
    Machine().MakeDirectory(Root() + "sys\\inner");
    Machine().MakeFile(Root() + "other\\f.txt");
    Machine().SetCurrentDirectory(Root() + "other");
    FileIdentity sys, same, other;
    ASSERT_TRUE(Platform().FolderIdentity(Root() + "sys", sys));
    for (const std::string& spelling : {Root() + "SYS\\", Root() + "sys\\inner\\..", std::string("..\\sys")}) {
        EXPECT_TRUE(Platform().FolderIdentity(spelling, same) && same == sys) << spelling;
    }
    ASSERT_TRUE(Platform().FolderIdentity(Root() + "other", other));
    EXPECT_NE(other, sys);
    EXPECT_FALSE(Platform().FolderIdentity(Root() + "other\\f.txt", same)) << "a file is no folder";
    EXPECT_FALSE(Platform().FolderIdentity(Root() + "missing", same));

    const std::vector<std::string> system = Platform().SystemFolders();
    ASSERT_FALSE(system.empty());
    EXPECT_TRUE(Platform().FolderIdentity(system.front(), same)) << system.front();
}

TEST_P(PlatformContract, TheRunLockIsHeldByOneAtATime)
{
    EXPECT_TRUE(Machine().RunLockFreeElsewhere());
    {
        const std::unique_ptr<RunLock> lock = Platform().TakeRunLock();
        ASSERT_TRUE(lock);
        EXPECT_FALSE(Machine().RunLockFreeElsewhere());
    }
    EXPECT_TRUE(Machine().RunLockFreeElsewhere()) << "let go";
}

TEST_P(PlatformContract, FilesAreStampedByTheClockAndTouched)
{
    Machine().MakeFile(Root() + "old.txt", "x");
    const std::uint64_t before = Platform().Now();
    Platform().Sleep(50);
    EXPECT_GE(Platform().Now(), before + 300000) << "at least 30 ms later";
    {
        auto file = Platform().Open(Root() + "old.txt", OpenMode::Rewrite);
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->Touch());
    }
    FindEntry entry;
    bool unreadable = false;
    ASSERT_TRUE(Platform().FindFirst(Root() + "old.txt", entry, unreadable));
    EXPECT_GE(entry.written, before + 300000);
    EXPECT_LE(entry.written, Platform().Now());
    EXPECT_EQ(Machine().Contents(Root() + "old.txt"), "x");
}

TEST_P(PlatformContract, RegistryValuesAreDeletedOnceInKeysThatOpen)
{
    const std::string key = Machine().KeyRoot() + "\\Run";
    Machine().SetValue(key, "systemtray", "x");
    Machine().SetValue(key, "keep", "y");
    {
        std::string upper = key;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return std::toupper(c); });
        auto opened = Platform().OpenCurrentUserKey(upper).key;
        ASSERT_TRUE(opened);
        // Read, then written back with another type: as a value was, byte for byte.
        std::uint32_t type = 0;
        std::string data;
        ASSERT_TRUE(opened->ReadValue("systemtray", type, data));
        EXPECT_EQ(type, 1u) << "REG_SZ";
        const std::string expandable("%WINDIR%\\x.exe\0", 16);
        EXPECT_TRUE(opened->WriteValue("later", 2, expandable));
        EXPECT_TRUE(opened->ReadValue("later", type, data));
        EXPECT_EQ(type, 2u);
        EXPECT_EQ(data, expandable);
        EXPECT_FALSE(opened->ReadValue("none", type, data));
        EXPECT_EQ(opened->DeleteValue("later"), DeleteResult::Deleted);
        EXPECT_EQ(opened->DeleteValue("SystemTray"), DeleteResult::Deleted);
        EXPECT_EQ(opened->DeleteValue("systemtray"), DeleteResult::NotFound);
    }
    EXPECT_FALSE(Machine().HasValue(key, "systemtray"));
    EXPECT_TRUE(Machine().HasValue(key, "keep"));
    EXPECT_TRUE(Platform().OpenCurrentUserKey(Machine().KeyRoot()).key) << "its parent is there too";

    for (int twice = 0; twice < 2; ++twice) {
        const OpenedKey missing = Platform().OpenCurrentUserKey(key + "\\missing");
        EXPECT_FALSE(missing.key);
        EXPECT_TRUE(missing.missing) << "opening never creates the key";
    }
    if (Machine().MakeClosedKey(key + "\\closed")) {
        const OpenedKey closed = Platform().OpenCurrentUserKey(key + "\\closed");
        EXPECT_FALSE(closed.key);
        EXPECT_FALSE(closed.missing) << "a key closed to us is there all the same";
    }
}

TEST_P(PlatformContract, AProcessIsListedByItsImageNameAndTerminated)
{
    const std::uint32_t id = Machine().StartProcess("systray.exe");
    const auto listed = [this](std::uint32_t wanted) {
        const std::vector<ProcessEntry> processes = Platform().Processes();
        return std::find_if(processes.begin(), processes.end(),
                            [wanted](const ProcessEntry& p) { return p.id == wanted; }) != processes.end();
    };
    const std::vector<ProcessEntry> processes = Platform().Processes();
    const auto found = std::find_if(processes.begin(), processes.end(), [id](const ProcessEntry& p) { return p.id == id; });
    ASSERT_NE(found, processes.end());
    // A bare name on the NT family, a full path on Windows 95/98/Me.
    const std::string exe = found->exe.substr(found->exe.rfind('\\') + 1);
    EXPECT_TRUE(SameAscii(exe, "systray.exe")) << found->exe;

    EXPECT_TRUE(Platform().TerminateProcess(id));
    EXPECT_TRUE(Machine().WaitForEnd(id));
    EXPECT_FALSE(listed(id));
    EXPECT_FALSE(Platform().TerminateProcess(0xFFFFFFF0u)) << "no such process";
}
