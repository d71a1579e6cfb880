// The Win32 platform services against Wine's real file system, registry and processes.
#include "base/WindowsFamily.h"
#include "cleaning/Win32Platform.h"
#include "cleaning/Win32Redirection.h"
#include "tests/support/ListingNames.h"
#include "tests/win32/support/ChildProcess.h"
#include "tests/win32/support/ChosenSecurity.h"
#include "tests/win32/support/RemoveTree.h"
#include "tests/win32/support/ScratchFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

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

template <typename Char>
BOOL WINAPI DeletionClaimedOnly(const Char*)
{
    return TRUE;
}

// Every file call a platform made through a table of recorded entries, by name.
std::vector<std::string> recorded;

template <typename Function, Function Real, const char* Name>
struct Recorded;
template <typename Result, typename... Args, Result(WINAPI* Real)(Args...), const char* Name>
struct Recorded<Result(WINAPI*)(Args...), Real, Name> {
    static Result WINAPI Call(Args... args)
    {
        recorded.push_back(Name);
        return Real(args...);
    }
};

// The entries of both the ANSI and the wide function, recorded.
#define RECORD_BOTH(calls, function)                                                                    \
    do {                                                                                                \
        static constexpr char ansi[] = #function "A", wide[] = #function "W";                           \
        (calls).function##A = &Recorded<decltype(&::function##A), &::function##A, ansi>::Call;          \
        (calls).function##W = &Recorded<decltype(&::function##W), &::function##W, wide>::Call;          \
    } while (false)

DWORD WINAPI Windows98Version()
{
    return 0xC0000A04;
}

// Windows 98 told by GetVersion, every file function recorded.
Win32Calls OnWindows98()
{
    Win32Calls calls;
    calls.GetVersion = Windows98Version;
    RECORD_BOTH(calls, FindFirstFile);
    RECORD_BOTH(calls, FindNextFile);
    RECORD_BOTH(calls, GetFileAttributes);
    RECORD_BOTH(calls, SetFileAttributes);
    RECORD_BOTH(calls, DeleteFile);
    RECORD_BOTH(calls, GetCurrentDirectory);
    RECORD_BOTH(calls, GetWindowsDirectory);
    RECORD_BOTH(calls, CreateFile);
    RECORD_BOTH(calls, CreateDirectory);
    return calls;
}

// A Windows of the NT family without the wide file functions: emptied entries fail as
// not implemented.
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
    claiming.DeleteFileW = DeletionClaimedOnly<wchar_t>;   // as Wine does for an immutable file
    claiming.DeleteFileA = DeletionClaimedOnly<char>;
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

TEST_F(Win32PlatformTest, AnsiFunctionsAloneOnWindows9xAndWhereTheWideOnesAreMissing)
{
    ASSERT_TRUE(CreateDirectoryW(CyrillicFolder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((Root + "Canci\xF3n").c_str(), nullptr));
    const std::string folder = Root + "Canci\xC3\xB3n\\";
    for (const Win32Calls& calls : {WithoutWideFunctions(), OnWindows98()}) {
        recorded.clear();
        Write(Root + "Canci\xF3n\\a.txt", "x");
        Win32Platform old({}, calls);
        const std::vector<std::string> names = ListingNames(old, Root + "*.*");
        ASSERT_EQ(names.size(), 4u);
        EXPECT_EQ(names[2], "Canci\xC3\xB3n");
        EXPECT_TRUE(old.FileExists(folder + "a.txt"));
        EXPECT_TRUE(old.SetAttributes(folder + "a.txt", FILE_ATTRIBUTE_HIDDEN));
        EXPECT_EQ(old.GetAttributes(folder + "a.txt") & ~FileAttr::Archive, FileAttr::Hidden);
        EXPECT_TRUE(old.Open(folder + "a.txt", OpenMode::Read));
        EXPECT_TRUE(old.RemoveFile(folder + "a.txt"));
        EXPECT_TRUE(old.MakeDirectory(folder + "sub", DirectoryAccess::Inherited));
        EXPECT_TRUE(old.Open(folder + "sub\\b.txt", OpenMode::CreateNew));
        EXPECT_TRUE(old.Rename(folder + "sub\\b.txt", folder + "sub\\c.txt"));
        EXPECT_EQ(_stricmp(old.WindowsDirectory().c_str(), "C:\\windows"), 0);
        EXPECT_FALSE(old.CurrentDirectory().empty());

        // A name the code page cannot spell cannot be opened: the folder cannot be looked into.
        FindEntry entry;
        bool unreadable = false;
        EXPECT_FALSE(old.FindFirst(Root + Cyrillic + "\\*.*", entry, unreadable));
        EXPECT_TRUE(unreadable);
        EXPECT_EQ(old.GetAttributes(Root + Cyrillic), FileAttr::Invalid);
        RemoveTree(Root + "Canci\xF3n\\sub");
    }
    // Told it is on Windows 98, the platform made every file call by an ANSI function.
    EXPECT_EQ(std::set<std::string>(recorded.begin(), recorded.end()),
              (std::set<std::string>{"CreateDirectoryA", "CreateFileA", "DeleteFileA", "FindFirstFileA", "FindNextFileA",
                                     "GetCurrentDirectoryA", "GetFileAttributesA",
                                     "GetWindowsDirectoryA", "SetFileAttributesA"}));
}

namespace {

std::wstring madeWith;   // the descriptor of the last folder made through CreateDirectoryNoting

BOOL WINAPI CreateDirectoryNoting(LPCWSTR path, LPSECURITY_ATTRIBUTES security)
{
    LPWSTR text = nullptr;
    ConvertSecurityDescriptorToStringSecurityDescriptorW(security->lpSecurityDescriptor, SDDL_REVISION_1,
                                                         OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text,
                                                         nullptr);
    madeWith = text ? text : L"";
    LocalFree(text);
    return CreateDirectoryW(path, nullptr);
}

BOOL WINAPI Fat32(LPCWSTR, LPWSTR, DWORD, LPDWORD, LPDWORD, LPDWORD flags, LPWSTR, DWORD)
{
    *flags = FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK;
    return TRUE;
}
const char* __cdecl Wine() { return "8.0"; }

} // namespace

// Wine keeps no owner nor protected access list: the folder's security is answered with
// chosen descriptors, and the folder the platform makes is answered with its own.
TEST_F(Win32PlatformTest, OnlyAFolderOwnedAndWritableByAdministratorsAloneIsTrusted)
{
    if (IsWindows9x(GetVersion()))
        GTEST_SKIP() << "Wine told it is Windows 98 refuses the security functions, as Windows 95/98/Me lack them";
    const std::pair<const wchar_t*, bool> descriptors[] = {
        {L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", true},
        {L"O:SYD:P(A;;FA;;;SY)(A;;0x1200a9;;;BU)(D;;FA;;;WD)", true},   // others may read; denials
        {L"O:BUD:P(A;;FA;;;BA)", false},                                // another owner
        {L"O:S-1-5-21-1-2-3-1001D:P(A;;FA;;;BA)", false},
        {L"O:BAD:(A;;FA;;;BA)", false},                                 // inheriting its parent's list
        {L"O:BAD:P(A;;FA;;;BA)(A;;FW;;;BU)", false},
        {L"O:BAD:P(A;;FA;;;BA)(A;OICI;0x40;;;WD)", false},              // deleting what it holds
        {L"O:BAD:P(A;;FA;;;BA)(A;;WD;;;AU)", false},                    // changing the list
        {L"O:BAD:P(A;;FA;;;BA)(A;;WO;;;S-1-5-21-1-2-3-1001)", false},   // taking it over
        {L"O:BAD:P(A;;FA;;;BA)(A;OICIIO;GA;;;CO)", false},              // passed on to what is made in it
    };
    Win32Platform administrator({}, ChosenSecurity::AdministratorOn(L"c:\\windows"));
    for (const auto& [descriptor, trusted] : descriptors) {
        ChosenSecurity::always = descriptor;
        const auto folder = administrator.HoldFolder(Root);
        ASSERT_TRUE(folder);
        EXPECT_EQ(folder->AdministratorsOnly(), trusted) << std::string(descriptor, descriptor + wcslen(descriptor));
    }
    Win32Calls fat = ChosenSecurity::AdministratorOn(L"c:\\windows");
    fat.GetVolumeInformationW = Fat32;
    ChosenSecurity::always = L"O:BUD:(A;;FA;;;WD)";
    EXPECT_TRUE(Win32Platform({}, fat).HoldFolder(Root)->AdministratorsOnly()) << "a volume that keeps no rights";

    Win32Calls calls = ChosenSecurity::AdministratorOn(L"c:\\windows");
    calls.CreateDirectoryW = CreateDirectoryNoting;
    Win32Platform making({}, calls);
    ASSERT_TRUE(making.MakeDirectory(Root + "made", DirectoryAccess::AdministratorsOnly));
    ChosenSecurity::always = madeWith;
    EXPECT_TRUE(making.HoldFolder(Root + "made")->AdministratorsOnly()) << "the folder as it was made";
    ChosenSecurity::always = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
}

TEST(Win32Rights, TheSystemsFamilyWineAndTheTokenDecide)
{
    struct Case {
        const char* what;
        void (*change)(Win32Calls&);
        ProgramRights rights;
    };
    const Case cases[] = {
        {"an administrator", [](Win32Calls&) {}, ProgramRights::Administrator},
        {"Windows 95/98/Me", [](Win32Calls& c) { c.GetVersion = Windows98Version; }, ProgramRights::Windows9x},
        {"Wine", [](Win32Calls& c) { c.wine_get_version = Wine; }, ProgramRights::StandardUser},
        {"a standard user", [](Win32Calls& c) { c.CheckTokenMembership = nullptr; }, ProgramRights::StandardUser},
    };
    for (const Case& c : cases) {
        Win32Calls calls = ChosenSecurity::AdministratorOn(L"c:\\windows");
        c.change(calls);
        EXPECT_EQ(Win32Platform({}, calls).Rights(), c.rights) << c.what;
    }
    Win32Calls withoutShell = ChosenSecurity::AdministratorOn(L"c:\\windows");
    withoutShell.SHGetFolderPathW = nullptr;
    const std::string common = Win32Platform().DataDirectory(DataFolder::Common);
    EXPECT_FALSE(common.empty());
    EXPECT_EQ(Win32Platform({}, withoutShell).DataDirectory(DataFolder::Common), common) << "shfolder.dll stands in";
}

namespace {

std::vector<std::string> redirection;   // what the stand-ins below were asked, in order

BOOL WINAPI RedirectionTurnedOff(PVOID* saved)
{
    redirection.push_back("off");
    *saved = &redirection;
    return TRUE;
}

BOOL WINAPI RedirectionRestored(PVOID saved)
{
    redirection.push_back(saved == &redirection ? "back" : "back to another");
    return TRUE;
}

HRESULT WINAPI DataFolderLookedUp(HWND, int, HANDLE, DWORD, LPWSTR path)
{
    redirection.push_back("data folder");
    wcscpy(path, L"c:\\ProgramData");
    return S_OK;
}

} // namespace

TEST(RedirectionOff, TheDataRootIsPlacedBeforeRedirectionGoesOffAndItComesBackAfter)
{
    Win32Calls calls;
    calls.Wow64DisableWow64FsRedirection = RedirectionTurnedOff;
    calls.Wow64RevertWow64FsRedirection = RedirectionRestored;
    calls.SHGetFolderPathW = DataFolderLookedUp;
    Win32Platform platform({}, calls);
    DataRoot data(platform);
    redirection.clear();
    {
        const RedirectionOff off(platform.Calls(), data);
        EXPECT_EQ(redirection.back(), "off");
        // Windows 95/98/Me place the data root in the Windows folder, with no lookup.
        if (!IsWindows9x(GetVersion())) {
            EXPECT_EQ(redirection, (std::vector<std::string>{"data folder", "off"}));
        }
    }
    EXPECT_EQ(redirection.back(), "back");

    calls.Wow64DisableWow64FsRedirection = nullptr;   // a Windows without it
    redirection.clear();
    {
        Win32Platform older({}, calls);
        DataRoot olderData(older);
        const RedirectionOff off(older.Calls(), olderData);
    }
    EXPECT_EQ(std::count(redirection.begin(), redirection.end(), "back"), 0);
}
