// The Win32 platform services against Wine's real file system, registry and processes.
#include "cleaning/Win32Platform.h"
#include "tests/win32/support/ChildProcess.h"
#include "tests/win32/support/RemoveTree.h"
#include "tests/win32/support/ScratchFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string Root = "c:\\pelkarin-platform-test\\";

void Write(const std::string& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    SetFileAttributesA(path.c_str(), attributes);
}

std::string Read(const std::string& path)
{
    return ReadWhole(path);
}

std::vector<std::string> Listing(Win32Platform& platform, const std::string& pattern)
{
    std::vector<std::string> names;
    FindEntry entry;
    bool unreadable = false;
    if (auto listing = platform.FindFirst(pattern, entry, unreadable))
        do
            names.push_back(entry.name);
        while (listing->Next(entry));
    return names;
}

BOOL WINAPI DeletionClaimedOnly(LPCWSTR)
{
    return TRUE;
}

// Windows 95/98/Me: the wide file functions fail as not implemented, as emptied entries do.
Win32Calls WithoutWideFunctions()
{
    Win32Calls calls;
    calls.FindFirstFileW = nullptr;
    calls.GetFileAttributesW = nullptr;
    calls.SetFileAttributesW = nullptr;
    calls.DeleteFileW = nullptr;
    calls.GetCurrentDirectoryW = nullptr;
    calls.GetWindowsDirectoryW = nullptr;
    return calls;
}

// A folder named in Cyrillic, in UTF-8 and in UTF-16.
const std::string Cyrillic = "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0";
const std::wstring CyrillicFolder = L"\\\\?\\C:\\pelkarin-platform-test\\\u041F\u0430\u043F\u043A\u0430";

class Win32PlatformTest : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveTree(Root);
        ASSERT_TRUE(CreateDirectoryA(Root.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(Root); }

    Win32Platform platform;
};

} // namespace

TEST_F(Win32PlatformTest, AttributesAndDeletion)
{
    Write(Root + "plain.txt", "x");
    EXPECT_EQ(platform.GetAttributes(Root + "plain.txt"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(platform.GetAttributes(Root + "missing.txt"), FileAttr::Invalid);
    EXPECT_TRUE(platform.SetAttributes(Root + "plain.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(platform.GetAttributes(Root + "plain.txt") & ~FileAttr::Archive, FileAttr::Hidden | FileAttr::System);
    EXPECT_TRUE(platform.RemoveFile(Root + "plain.txt")) << "hidden and system files delete";

    Write(Root + "readonly.txt", "x", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(platform.RemoveFile(Root + "readonly.txt"));
    EXPECT_FALSE(platform.RemoveFile(Root + "missing.txt"));
    CreateDirectoryA((Root + "dir").c_str(), nullptr);
    EXPECT_FALSE(platform.RemoveFile(Root + "dir"));

    Write(Root + "locked.txt", "x");
    for (auto hold : {ChildProcess::Hold::ForWriting, ChildProcess::Hold::ForReading}) {
        ChildProcess holder = ChildProcess::HoldingFileOpen(Root + "locked.txt", hold);
        EXPECT_FALSE(platform.RemoveFile(Root + "locked.txt"));
    }
    EXPECT_TRUE(platform.RemoveFile(Root + "locked.txt"));
}

TEST_F(Win32PlatformTest, DeletedMeansTheFileIsGone)
{
    Write(Root + "stays.exe", "x");
    Win32Calls claiming;
    claiming.DeleteFileW = DeletionClaimedOnly;   // as Wine does for an immutable file
    EXPECT_FALSE(Win32Platform({}, claiming).RemoveFile(Root + "stays.exe"));
    {
        // The deletion succeeds but is pending while another program holds the file.
        ChildProcess holder = ChildProcess::HoldingFileOpen(Root + "stays.exe", ChildProcess::Hold::SharingDeletion);
        EXPECT_FALSE(platform.RemoveFile(Root + "stays.exe"));
        EXPECT_NE(GetFileAttributesA((Root + "stays.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(GetFileAttributesA((Root + "stays.exe").c_str()), INVALID_FILE_ATTRIBUTES) << "gone with its holder";
    Write(Root + "goes.exe", "x");
    EXPECT_TRUE(platform.RemoveFile(Root + "goes.exe"));
}

TEST_F(Win32PlatformTest, ExistsMeansAFileWhateverItsDate)
{
    Write(Root + "old.exe", "x");
    Write(Root + "future.exe", "x");
    auto setYear = [](const std::string& path, WORD year) {
        SYSTEMTIME time = {year, 1, 0, 1, 0, 0, 0, 0};
        FILETIME stamp;
        SystemTimeToFileTime(&time, &stamp);
        HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, nullptr, nullptr, &stamp);
        CloseHandle(file);
    };
    setYear(Root + "old.exe", 1970);
    setYear(Root + "future.exe", 2110);
    CreateDirectoryA((Root + "sub").c_str(), nullptr);
    EXPECT_TRUE(platform.FileExists(Root + "old.exe"));
    EXPECT_TRUE(platform.FileExists(Root + "future.exe"));
    EXPECT_FALSE(platform.FileExists(Root + "sub"));
    EXPECT_FALSE(platform.FileExists(Root + "missing.exe"));
}

TEST_F(Win32PlatformTest, PatternLookupListsDotsAndMatchesShortNames)
{
    CreateDirectoryA((Root + "sub").c_str(), nullptr);
    Write(Root + "sub\\pynkicture image.scr", "x");
    Write(Root + "sub\\b.txt", "x");
    EXPECT_EQ(Listing(platform, Root + "sub\\*.*"),
              (std::vector<std::string>{".", "..", "b.txt", "pynkicture image.scr"}));

    char shortPath[MAX_PATH];
    ASSERT_TRUE(GetShortPathNameA((Root + "sub\\pynkicture image.scr").c_str(), shortPath, MAX_PATH));
    const std::string shortName = std::string(shortPath).substr(std::string(shortPath).rfind('\\') + 1);
    ASSERT_NE(shortName, "pynkicture image.scr");
    EXPECT_EQ(Listing(platform, Root + "sub\\" + shortName), std::vector<std::string>{"pynkicture image.scr"});
    EXPECT_TRUE(Listing(platform, Root + "sub\\nothing.scr").empty());
}

TEST_F(Win32PlatformTest, CurrentAndWindowsDirectories)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(platform.WindowsDirectory(), windows);
    EXPECT_EQ(_stricmp(platform.WindowsDirectory().c_str(), "C:\\windows"), 0);

    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryA(Root.c_str()));
    EXPECT_EQ(_stricmp(platform.CurrentDirectory().c_str(), "c:\\pelkarin-platform-test"), 0);
    Write(Root + "systray.exe", "x");
    EXPECT_TRUE(platform.FileExists("systray.exe")) << "a bare name is resolved in the current directory";
    SetCurrentDirectoryA(before);
}

// The whole of a file read through the platform's handle.
static std::string ReadThrough(OpenedFile& file)
{
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    std::size_t done = 0, read = 1;
    for (; read && done < bytes.size(); done += read)
        EXPECT_TRUE(file.Read(done, &bytes[done], bytes.size() - done, read));
    return bytes.substr(0, done);
}

TEST_F(Win32PlatformTest, OpeningFilesSharesThemWithReadersOnly)
{
    std::string big(5 * 1024 * 1024 + 7, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 4096);
    Write(Root + "big.ini", big);
    {
        auto file = platform.Open(Root + "big.ini", OpenMode::Rewrite);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Size(), big.size());
        EXPECT_EQ(ReadThrough(*file), big);
        EXPECT_TRUE(platform.Open(Root + "big.ini", OpenMode::Read) == nullptr) << "a writer shuts readers out";
        EXPECT_TRUE(file->Write(big.size() - 2, "xyz", 3));
        EXPECT_TRUE(file->Truncate(4));
        EXPECT_TRUE(file->Flush());
    }
    EXPECT_EQ(Read(Root + "big.ini"), big.substr(0, 4));
    EXPECT_FALSE(platform.Open(Root + "missing.ini", OpenMode::Read));
    EXPECT_FALSE(platform.Open(Root + "big.ini", OpenMode::CreateNew));
    EXPECT_TRUE(platform.Open(Root + "new.ini", OpenMode::CreateNew));
    EXPECT_TRUE(platform.MakeDirectory(Root + "sub"));
    EXPECT_TRUE(platform.MakeDirectory(Root + "sub")) << "already there";
    EXPECT_EQ(platform.TemporaryDirectory().back(), '\\');

    Write(Root + "held.ini", "a\r\n");
    {
        ChildProcess reader = ChildProcess::HoldingFileOpen(Root + "held.ini", ChildProcess::Hold::ForReading);
        EXPECT_TRUE(platform.Open(Root + "held.ini", OpenMode::Rewrite)) << "the reader shares writing";
    }
    ChildProcess writer = ChildProcess::HoldingFileOpen(Root + "held.ini");
    EXPECT_FALSE(platform.Open(Root + "held.ini", OpenMode::Read));

    const UnixLink zero(Root + "zero.ini", "/dev/zero");
    if (!zero.Made())
        GTEST_SKIP() << "no link to /dev/zero could be made here";
    auto device = platform.Open(Root + "zero.ini", OpenMode::Read);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Size(), 0u) << "a device reports no size, and is read no further";
}

TEST(Win32Registry, OpenDeleteAndMissingKeys)
{
    const char* const scratch = "Software\\PelkarinTest";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, scratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "systemtray", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegSetValueExA(key, "other", 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2);

    Win32Platform platform;
    {
        auto opened = platform.OpenCurrentUserKey("software\\pelkarintest").key;
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->DeleteValue("systemtray"), RegistryKey::DeleteResult::Deleted);
        EXPECT_EQ(opened->DeleteValue("systemtray"), RegistryKey::DeleteResult::NotFound);
    }
    EXPECT_EQ(RegQueryValueExA(key, "other", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    const OpenedKey missing = platform.OpenCurrentUserKey("software\\pelkarintest\\missing");
    EXPECT_FALSE(missing.key);
    EXPECT_TRUE(missing.missing);
    HKEY probe;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\pelkarintest\\missing", 0, KEY_READ, &probe), ERROR_SUCCESS)
        << "opening never creates the key";

    // A key the user may not open with full access.
    HKEY denied;
    ASSERT_EQ(RegCreateKeyExA(key, "denied", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &denied, nullptr), ERROR_SUCCESS);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    // An empty DACL grants nothing to anybody.
    ACL acl;
    InitializeAcl(&acl, sizeof acl, ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(denied, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    RegCloseKey(denied);
    const OpenedKey closed = platform.OpenCurrentUserKey("software\\pelkarintest\\denied");
    // Windows 95/98/Me keep no access rights on keys: there it opens all the same.
    const bool keysHaveRights = !(GetVersion() & 0x80000000);
    EXPECT_EQ(closed.key == nullptr, keysHaveRights);
    EXPECT_FALSE(closed.missing) << "a key closed to us is there all the same";

    RegCloseKey(key);
    // Restore access so the scratch key can go.
    HKEY restore;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "software\\pelkarintest\\denied", 0, WRITE_DAC, &restore) == ERROR_SUCCESS) {
        SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
        RegSetKeySecurity(restore, DACL_SECURITY_INFORMATION, &descriptor);
        RegCloseKey(restore);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, "software\\pelkarintest\\denied");
    RegDeleteKeyA(HKEY_CURRENT_USER, scratch);
}

TEST(Win32Processes, AChildIsFoundByItsImageNameAndTerminated)
{
    const std::string dir = "c:\\pelkarin-platform-proc\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    {
        ChildProcess child = ChildProcess::RunningAs(dir + "systray.exe");
        Win32Platform platform;
        const auto processes = platform.Processes();
        const auto found = std::find_if(processes.begin(), processes.end(),
                                        [&](const ProcessEntry& p) { return p.id == child.Id(); });
        ASSERT_NE(found, processes.end());
        EXPECT_EQ(_stricmp(found->exe.c_str(), "systray.exe"), 0) << found->exe;
        EXPECT_TRUE(std::any_of(processes.begin(), processes.end(), [](const ProcessEntry& p) {
            return p.id == GetCurrentProcessId() && _stricmp(p.exe.c_str(), "win32_platform_test.exe") == 0;
        })) << "the walk goes on past the first entry";
        // Windows NT 4.0 has no Tool Help: no process is listed there, and nothing fails.
        for (auto empty : {+[](Win32Calls& calls) { calls.CreateToolhelp32Snapshot = nullptr; },
                           +[](Win32Calls& calls) { calls.Process32First = nullptr; }}) {
            Win32Calls withoutToolHelp;
            empty(withoutToolHelp);
            EXPECT_TRUE(Win32Platform({}, withoutToolHelp).Processes().empty());
        }
        EXPECT_TRUE(platform.TerminateProcess(child.Id()));
        EXPECT_TRUE(child.WaitForExit(5000));
    }
    DeleteFileA((dir + "systray.exe").c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST_F(Win32PlatformTest, NamesInUtf8AndLookupsThatCannotLookIn)
{
    ASSERT_TRUE(CreateDirectoryW(CyrillicFolder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((Root + "Canci\xF3n").c_str(), nullptr));
    Write(Root + "Canci\xF3n\\a.txt", "x");
    EXPECT_EQ(Listing(platform, Root + "*.*"), (std::vector<std::string>{".", "..", "Canci\xC3\xB3n", Cyrillic}));
    EXPECT_TRUE(platform.FileExists(Root + "Canci\xC3\xB3n\\a.txt"));

    FindEntry entry;
    bool unreadable = true;
    EXPECT_FALSE(platform.FindFirst(Root + Cyrillic + "\\*.txt", entry, unreadable));
    EXPECT_FALSE(unreadable) << "a folder with no match";
    EXPECT_FALSE(platform.FindFirst(Root + "Canci\xC3\xB3n\\a.txt\\*.*", entry, unreadable));
    EXPECT_TRUE(unreadable) << "no folder to look into";
}

TEST_F(Win32PlatformTest, WithoutTheWideFunctionsTheAnsiOnesServeWhatTheCodePageCanName)
{
    ASSERT_TRUE(CreateDirectoryW(CyrillicFolder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((Root + "Canci\xF3n").c_str(), nullptr));
    Write(Root + "Canci\xF3n\\a.txt", "x");
    Win32Platform old({}, WithoutWideFunctions());
    const std::vector<std::string> names = Listing(old, Root + "*.*");
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[2], "Canci\xC3\xB3n");
    const std::string path = Root + "Canci\xC3\xB3n\\a.txt";
    EXPECT_TRUE(old.FileExists(path));
    EXPECT_TRUE(old.SetAttributes(path, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(old.GetAttributes(path) & ~FileAttr::Archive, FileAttr::Hidden);
    EXPECT_TRUE(old.RemoveFile(path));
    EXPECT_EQ(_stricmp(old.WindowsDirectory().c_str(), "C:\\windows"), 0);
    EXPECT_FALSE(old.CurrentDirectory().empty());

    // A name the code page cannot spell cannot be opened: the folder cannot be looked into.
    FindEntry entry;
    bool unreadable = false;
    EXPECT_FALSE(old.FindFirst(Root + Cyrillic + "\\*.*", entry, unreadable));
    EXPECT_TRUE(unreadable);
    EXPECT_EQ(old.GetAttributes(Root + Cyrillic), FileAttr::Invalid);
}
