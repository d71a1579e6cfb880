// The in-place rewrite of a configuration copy against the real system: each write, flush
// and cut made to fail through the platform's call table, a kill in the middle and the
// start after it, another program appending all the while, the copy staying the same
// file, and a copy at a path longer than MAX_PATH.
#include "base/WindowsFamily.h"
#include "cleaning/CopyPurge.h"
#include "cleaning/PurgeJournal.h"
#include "cleaning/Win32Platform.h"
#include "tests/win32/support/ChildProcess.h"
#include "tests/win32/support/ScratchFiles.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const std::string Root = "c:\\pelkarin-writeback-test\\";
const std::string Copy = Root + "mirc.ini";
const std::string Original = "[mirc]\r\nn0=mirc.hst\r\nkeep=1\r\n";
const std::string Purged = "[mirc]\r\nkeep=1\r\n";
const Strings CopyAlone = {".", "..", "mirc.ini"};

Strings EntriesOf(const std::string& dir)
{
    Strings names;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((dir + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

Strings Journals()
{
    Win32Platform platform;
    Strings journals;
    for (const std::string& name : EntriesOf(DataRoot(platform).Path() + "Diario\\"))
        if (name.rfind("purge-", 0) == 0)
            journals.push_back(name);
    return journals;
}

// One start of the program: it finds its data root anew.
CopyOutcome Purge(Win32Platform& platform, const std::string& path = Copy)
{
    DataRoot data(platform);
    LineMarker marker("mirc.hst");
    std::uint32_t waited = 0;
    return PurgeLinesOfCopy(platform, data, path, marker, waited);
}

// Counts the writes, flushes and cuts, fails the one asked for, and after a kill fails
// them all.
struct Calls {
    enum Kind { Write, Flush, Cut };
    static inline int made[3] = {};
    static inline int failing[3] = {-1, -1, -1};
    static inline bool killedAtCut = false;
    static inline bool dead = false;

    static void Reset()
    {
        made[Write] = made[Flush] = made[Cut] = 0;
        failing[Write] = failing[Flush] = failing[Cut] = -1;
        killedAtCut = dead = false;
    }
    static bool Fails(Kind kind)
    {
        dead = dead || (kind == Cut && killedAtCut);
        if (dead || made[kind]++ == failing[kind]) {
            SetLastError(ERROR_DISK_FULL);
            return true;
        }
        return false;
    }
    static void Put(Win32Calls& calls);
};

BOOL WINAPI CountedWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    return !Calls::Fails(Calls::Write) && WriteFile(file, data, size, written, overlapped);
}

BOOL WINAPI CountedFlush(HANDLE file)
{
    return !Calls::Fails(Calls::Flush) && FlushFileBuffers(file);
}

BOOL WINAPI CountedCut(HANDLE file)
{
    return !Calls::Fails(Calls::Cut) && SetEndOfFile(file);
}

void Calls::Put(Win32Calls& calls)
{
    calls.WriteFile = CountedWrite;
    calls.FlushFileBuffers = CountedFlush;
    calls.SetEndOfFile = CountedCut;
}

// CreateFileW or CreateFileA refusing to make a file.
template <typename Char, HANDLE(WINAPI* Create)(const Char*, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)>
HANDLE WINAPI NoNewFiles(const Char* path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                         DWORD flags, HANDLE model)
{
    if (disposition == CREATE_NEW) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return Create(path, access, share, security, disposition, flags, model);
}

class WriteBack : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveScratchTree(Root);
        MakeDirectory(Root);
        MakeFile(Copy, Original);
        ASSERT_EQ(Journals(), Strings{});
    }
    void TearDown() override { RemoveScratchTree(Root); }
};

} // namespace

TEST_F(WriteBack, EachWideCallOlderWindowsLackPurgesTheSameWhenMissing)
{
    const std::pair<const char*, void (*)(Win32Calls&)> missing[] = {
        {"CreateFileW", [](Win32Calls& calls) { calls.CreateFileW = nullptr; }},
        {"SHGetFolderPathW", [](Win32Calls& calls) { calls.SHGetFolderPathW = nullptr; }},
        {"CreateDirectoryW", [](Win32Calls& calls) { calls.CreateDirectoryW = nullptr; }},
    };
    for (const auto& [name, empty] : missing) {
        MakeFile(Copy, Original);
        Win32Calls calls;
        empty(calls);
        Win32Platform platform({}, calls);
        EXPECT_EQ(Purge(platform), CopyOutcome::Purged) << "without " << name;
        EXPECT_EQ(ReadWhole(Copy), Purged) << "without " << name;
        EXPECT_EQ(Journals(), Strings{}) << "without " << name;
        EXPECT_EQ(EntriesOf(Root), CopyAlone) << "without " << name;
    }
}

TEST_F(WriteBack, EachFailingWriteFlushOrCutLeavesTheOriginalAndNoJournal)
{
    Calls::Reset();
    Win32Calls calls;
    Calls::Put(calls);
    Win32Platform platform({}, calls);
    ASSERT_EQ(Purge(platform), CopyOutcome::Purged);
    const int clean[3] = {Calls::made[Calls::Write], Calls::made[Calls::Flush], Calls::made[Calls::Cut]};
    ASSERT_GE(clean[Calls::Write], 4);

    for (const Calls::Kind kind : {Calls::Write, Calls::Flush, Calls::Cut}) {
        for (int failing = 0; failing < clean[kind]; ++failing) {
            const std::string context = "kind " + std::to_string(kind) + " failing " + std::to_string(failing);
            MakeFile(Copy, Original);
            Calls::Reset();
            Calls::failing[kind] = failing;
            // Only marking the finished journal void may fail unseen.
            const bool purged = Purge(platform) == CopyOutcome::Purged;
            EXPECT_EQ(ReadWhole(Copy), purged ? Purged : Original) << context;
            EXPECT_EQ(Journals(), Strings{}) << context;
            EXPECT_EQ(EntriesOf(Root), CopyAlone) << context;
        }
    }

    Win32Calls noJournal;
    noJournal.CreateFileW = NoNewFiles<wchar_t, CreateFileW>;
    noJournal.CreateFileA = NoNewFiles<char, CreateFileA>;
    MakeFile(Copy, Original);
    Win32Platform withoutJournals({}, noJournal);
    EXPECT_EQ(Purge(withoutJournals), CopyOutcome::NotPurged) << "never purged without a journal";
    EXPECT_EQ(ReadWhole(Copy), Original);
}

TEST_F(WriteBack, CopyKilledHalfRewrittenIsPutBackAtTheNextStart)
{
    std::string original;
    for (int i = 0; i < 20000; ++i)
        original += "n" + std::to_string(i) + (i == 3 ? "=mirc.hst\r\n" : "=keep\r\n");
    MakeFile(Copy, original);
    Calls::Reset();
    Calls::killedAtCut = true;
    Win32Calls calls;
    Calls::Put(calls);
    Win32Platform killed({}, calls);
    EXPECT_EQ(Purge(killed), CopyOutcome::NotPurged);
    EXPECT_NE(ReadWhole(Copy), original) << "rewritten up to the cut";
    ASSERT_EQ(Journals().size(), 1u);

    Win32Platform nextStart;
    DataRoot data(nextStart);
    RecoverInterruptedPurges(nextStart, data);
    EXPECT_EQ(ReadWhole(Copy), original);
    EXPECT_EQ(Journals(), Strings{});
}

TEST_F(WriteBack, AnotherProgramAppendingAllTheWhileLosesNoLine)
{
    std::string content = "[mirc]\r\nn0=mirc.hst\r\n", purged = "[mirc]\r\n";
    for (int i = 0; content.size() < 30 * 1024 * 1024; ++i) {
        const std::string line = "line" + std::to_string(i) + "=a setting of the user's\r\n";
        content += line;
        purged += line;
    }
    MakeFile(Copy, content);
    const int lines = 300;
    ChildProcess appender = ChildProcess::AppendingLines(Copy, lines);
    // Met while the appender has it open for its line, the copy is tried again; where the
    // appender kept it for the whole wait, the user presses again.
    Win32Platform platform;
    int opensRefused = 0;
    while (Purge(platform) != CopyOutcome::Purged && opensRefused < 20)
        ++opensRefused;
    EXPECT_LT(opensRefused, 20);
    ASSERT_TRUE(appender.WaitForExit(120000));
    for (int line = 1; line <= lines; ++line)
        purged += "appended" + std::to_string(line) + "\r\n";
    EXPECT_TRUE(ReadWhole(Copy) == purged);
    std::printf("the appender was refused %lu times, the purge's open %d times\n", appender.ExitCode(), opensRefused);
}

TEST_F(WriteBack, CopyStaysTheSameFileAndTheUsersFilesBesideItStay)
{
    ASSERT_TRUE(CreateHardLinkA((Root + "link.ini").c_str(), Copy.c_str(), nullptr));
    MakeFile(Copy + ".pelkarin.old", "the user's");
    MakeDirectory(Copy + ".pelkarin.tmp");
    for (const char* mode : {"600", "644"}) {
        MakeFile(Copy, Original);
        const int before = UnixMode(Copy, mode);
        Win32Platform platform;
        EXPECT_EQ(Purge(platform), CopyOutcome::Purged);
        EXPECT_EQ(UnixMode(Copy), before) << mode;
        EXPECT_EQ(ReadWhole(Root + "link.ini"), Purged) << "a hard link is the same file";
    }
    EXPECT_EQ(ReadWhole(Copy + ".pelkarin.old"), "the user's");
    EXPECT_EQ(AttributesOf(Copy + ".pelkarin.tmp") & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(WriteBack, CopyAtAPathLongerThanMaxPathIsPurged)
{
    if (IsWindows9x(GetVersion()))
        GTEST_SKIP() << "Windows 95/98/Me reach no path past 260 characters";
    // Removed again however the test ends: the scratch tree's removal cannot reach it.
    struct LongTree {
        std::vector<std::wstring> dirs;
        std::wstring copy;
        ~LongTree()
        {
            DeleteFileW(copy.c_str());
            for (auto it = dirs.rbegin(); it != dirs.rend(); ++it)
                RemoveDirectoryW(it->c_str());
        }
    } tree;
    std::wstring dir = L"\\\\?\\c:\\pelkarin-writeback-test";
    while (dir.size() < 300) {
        dir += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
        tree.dirs.push_back(dir);
    }
    const std::wstring copy = tree.copy = dir + L"\\mirc.ini";
    HANDLE file = CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, Original.data(), static_cast<DWORD>(Original.size()), &written, nullptr);
    CloseHandle(file);

    Win32Platform platform;
    const std::string path(copy.begin() + 4, copy.end());   // plain ASCII, as the walk gives it
    ASSERT_GT(path.size(), 300u);
    EXPECT_EQ(Purge(platform, path), CopyOutcome::Purged);
    auto purged = platform.Open(path, OpenMode::Read);
    ASSERT_TRUE(purged);
    std::string bytes(static_cast<std::size_t>(purged->Size()), '\0');
    std::size_t read = 0;
    EXPECT_TRUE(purged->Read(0, &bytes[0], bytes.size(), read));
    EXPECT_EQ(bytes.substr(0, read), Purged);
}
