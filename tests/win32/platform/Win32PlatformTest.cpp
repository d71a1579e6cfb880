// The Win32 platform services against Wine's real file system, registry and processes.
#include "cleaning/Win32Platform.h"
#include "tests/support/ListingNames.h"
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
    EXPECT_TRUE(platform.FileExists(Root + "old.exe"));
    EXPECT_TRUE(platform.FileExists(Root + "future.exe"));
}

TEST_F(Win32PlatformTest, ADeviceHasNoSizeAndIsReadNoFurther)
{
    const UnixLink zero(Root + "zero.ini", "/dev/zero");
    if (!zero.Made())
        GTEST_SKIP() << "no link to /dev/zero could be made here";
    auto device = platform.Open(Root + "zero.ini", OpenMode::Read);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Size(), 0u) << "a device reports no size, and is read no further";
}

TEST(Win32Processes, TheWalkGoesOnToTheEndAndWithoutToolHelpFindsNothing)
{
    const auto processes = Win32Platform().Processes();
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
}

TEST_F(Win32PlatformTest, WithoutTheWideFunctionsTheAnsiOnesServeWhatTheCodePageCanName)
{
    ASSERT_TRUE(CreateDirectoryW(CyrillicFolder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((Root + "Canci\xF3n").c_str(), nullptr));
    Write(Root + "Canci\xF3n\\a.txt", "x");
    Win32Platform old({}, WithoutWideFunctions());
    const std::vector<std::string> names = ListingNames(old, Root + "*.*");
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
