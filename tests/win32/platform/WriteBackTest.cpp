// The rewrite of a configuration copy against the real system: each of its steps made to
// fail through the platform's call table, another program writing the copy at the worst
// moment, leftovers of a killed run, and the copy's access rights.
#include "ChildProcess.h"
#include "EngineError.h"
#include "LineReport.h"
#include "ScratchFiles.h"
#include "SystemCleaning.h"
#include "Win32Platform.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const std::string Root = "c:\\pelkarin-writeback-test\\";
const std::string Copy = Root + "mirc.ini";
const std::string Original = "[mirc]\r\nn0=mirc.hst\r\nkeep=1\r\n";
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

// The access rights of a file in the security descriptor language, "" when unreadable.
std::string AccessRightsOf(const std::string& path)
{
    DWORD size = 0;
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<BYTE> descriptor(size ? size : 1);
    char* text = nullptr;
    if (!GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size) ||
        !ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor.data(), SDDL_REVISION_1,
                                                              DACL_SECURITY_INFORMATION, &text, nullptr))
        return {};
    const std::string rights = text;
    LocalFree(text);
    return rights;
}

HANDLE WINAPI NoNewFiles(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                         DWORD flags, HANDLE model)
{
    if (disposition == CREATE_NEW) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileA(path, access, share, security, disposition, flags, model);
}

BOOL WINAPI DiskFull(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED)
{
    *written = 0;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

BOOL WINAPI HalfWritten(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    return WriteFile(file, data, size / 2, written, overlapped);
}

BOOL WINAPI FlushFails(HANDLE)
{
    SetLastError(ERROR_IO_DEVICE);
    return FALSE;
}

BOOL WINAPI RenameDenied(LPCSTR, LPCSTR, DWORD)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// Another program (the test's child) that adds a line to the copy from inside one of the
// rewrite's calls: once, or at every rewrite.
struct OtherWriter {
    static inline int writes = 0;
    static inline bool everyTime = false;

    static void Reset(bool always)
    {
        writes = 0;
        everyTime = always;
    }
    static void WriteIfDue()
    {
        if (everyTime || writes == 0)
            ChildProcess::Appending(Copy, "n" + std::to_string(++writes) + "=mirc.hst");
    }
};

// Just before the new content replaces the copy.
BOOL WINAPI WriterBeforeReplace(LPCSTR from, LPCSTR to, DWORD flags)
{
    if (to == Copy && std::string(from) == Copy + ".pelkarin.tmp")
        OtherWriter::WriteIfDue();
    return MoveFileExA(from, to, flags);
}

// While the new content is being made durable.
BOOL WINAPI WriterDuringFlush(HANDLE file)
{
    OtherWriter::WriteIfDue();
    return FlushFileBuffers(file);
}

class WriteBack : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveScratchTree(Root);
        MakeDirectory(Root);
        MakeFile(Copy, Original);
    }
    void TearDown() override { RemoveScratchTree(Root); }
};

} // namespace

TEST_F(WriteBack, EachFailingStepLeavesTheOriginalAndNoTemporary)
{
    struct Fault {
        const char* step;
        void (*put)(Win32Calls&);
        std::string message;
    };
    const Fault faults[] = {
        {"creating the temporary", [](Win32Calls& calls) { calls.CreateFileA = NoNewFiles; }, "Cannot create file " + Copy},
        {"writing it", [](Win32Calls& calls) { calls.WriteFile = DiskFull; }, "Stream write error"},
        {"writing it short", [](Win32Calls& calls) { calls.WriteFile = HalfWritten; }, "Stream write error"},
        {"flushing it", [](Win32Calls& calls) { calls.FlushFileBuffers = FlushFails; }, "Stream write error"},
        {"replacing the copy", [](Win32Calls& calls) { calls.MoveFileExA = RenameDenied; }, "Cannot create file " + Copy},
    };
    for (const Fault& fault : faults) {
        Win32Calls calls;
        fault.put(calls);
        Win32Platform platform({}, calls);
        try {
            platform.ReplaceFileBytes(Copy, Original, "keep=1\r\n");
            ADD_FAILURE() << fault.step << ": no error";
        } catch (const EngineError& error) {
            EXPECT_EQ(error.what(), fault.message) << fault.step;
        }
        EXPECT_EQ(ReadWhole(Copy), Original) << fault.step;
        EXPECT_EQ(EntriesOf(Root), CopyAlone) << fault.step;
    }
}

TEST_F(WriteBack, EachCallOlderWindowsLackCleansTheSameWhenMissing)
{
    const std::pair<const char*, void (*)(Win32Calls&)> missing[] = {
        {"GetFileSecurityA", [](Win32Calls& calls) { calls.GetFileSecurityA = nullptr; }},
        {"CreateHardLinkA", [](Win32Calls& calls) { calls.CreateHardLinkA = nullptr; }},
        {"MoveFileExA", [](Win32Calls& calls) { calls.MoveFileExA = nullptr; }},
    };
    for (const auto& [name, empty] : missing) {
        MakeFile(Copy, Original);
        Win32Calls calls;
        empty(calls);
        Win32Platform platform({}, calls);
        LineReport report;
        SharedFlags flags;
        SystemCleaning(platform, report, flags).PurgeConfigLines(Root, "mirc.ini", "mirc.hst");
        EXPECT_EQ(report.lines, Strings{}) << "without " << name;
        EXPECT_TRUE(flags.InfectionFound) << "without " << name;
        EXPECT_FALSE(flags.RemovalFailed) << "without " << name;
        EXPECT_EQ(ReadWhole(Copy), "[mirc]\r\nkeep=1\r\n") << "without " << name;
        EXPECT_EQ(EntriesOf(Root), CopyAlone) << "without " << name;
    }
}

TEST_F(WriteBack, WithoutMoveFileExTheOriginalGoesOnlyForACompleteTemporary)
{
    // Windows 95/98/Me: no file security, MoveFileEx is a stub there, and there are no
    // hard links.
    Win32Calls calls;
    calls.GetFileSecurityA = nullptr;
    calls.MoveFileExA = nullptr;
    calls.CreateHardLinkA = nullptr;
    EXPECT_TRUE(Win32Platform({}, calls).ReplaceFileBytes(Copy, Original, "keep=1\r\n"));
    EXPECT_EQ(ReadWhole(Copy), "keep=1\r\n");

    calls.WriteFile = DiskFull;
    EXPECT_THROW(Win32Platform({}, calls).ReplaceFileBytes(Copy, "keep=1\r\n", "lost\r\n"), EngineError);
    EXPECT_EQ(ReadWhole(Copy), "keep=1\r\n");
    EXPECT_EQ(EntriesOf(Root), CopyAlone);
}

TEST_F(WriteBack, LeftoversOfAKilledRunAreRemoved)
{
    MakeFile(Copy + ".pelkarin.tmp", std::string(1 << 20, 'x'));
    MakeFile(Copy + ".pelkarin.old", Original);
    EXPECT_TRUE(Win32Platform().ReplaceFileBytes(Copy, Original, "keep=1\r\n"));
    EXPECT_EQ(ReadWhole(Copy), "keep=1\r\n");
    EXPECT_EQ(EntriesOf(Root), CopyAlone);
}

TEST_F(WriteBack, AnotherProgramsLineWrittenJustBeforeTheReplaceIsKept)
{
    for (const bool hardLinks : {true, false}) {
        MakeFile(Copy, Original);
        OtherWriter::Reset(false);
        Win32Calls calls;
        if (hardLinks) {
            calls.MoveFileExA = WriterBeforeReplace;
        } else {
            // Without hard links the copy is compared before the replace: a writer there is seen.
            calls.CreateHardLinkA = nullptr;
            calls.FlushFileBuffers = WriterDuringFlush;
        }
        Win32Platform platform({}, calls);
        LineReport report;
        SharedFlags flags;
        SystemCleaning(platform, report, flags).PurgeConfigLines(Root, "mirc.ini", "keep=");
        EXPECT_EQ(OtherWriter::writes, 1);
        EXPECT_EQ(ReadWhole(Copy), "[mirc]\r\nn0=mirc.hst\r\nn1=mirc.hst\r\n") << "hard links " << hardLinks;
        EXPECT_EQ(EntriesOf(Root), CopyAlone) << "hard links " << hardLinks;
    }
}

TEST_F(WriteBack, CopyThatKeepsChangingRaisesTheCreateErrorAndKeepsEveryLine)
{
    OtherWriter::Reset(true);
    Win32Calls calls;
    calls.MoveFileExA = WriterBeforeReplace;
    Win32Platform platform({}, calls);
    LineReport report;
    SharedFlags flags;
    try {
        SystemCleaning(platform, report, flags).PurgeConfigLines(Root, "mirc.ini", "keep=");
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.what(), "Cannot create file " + Copy);
    }
    EXPECT_EQ(OtherWriter::writes, 3);
    EXPECT_EQ(ReadWhole(Copy), Original + "n1=mirc.hst\r\nn2=mirc.hst\r\nn3=mirc.hst\r\n");
    EXPECT_EQ(EntriesOf(Root), CopyAlone);
}

TEST_F(WriteBack, RewrittenCopyKeepsItsAccessRights)
{
    const int before = UnixMode(Copy, "600");
    if (before != 0600)
        GTEST_SKIP() << "the Unix mode of the copy cannot be set or read here";
    const std::string rights = AccessRightsOf(Copy);
    ASSERT_NE(rights, "");
    EXPECT_TRUE(Win32Platform().ReplaceFileBytes(Copy, Original, "keep=1\r\n"));
    EXPECT_EQ(AccessRightsOf(Copy), rights);
    // Wine turns the rights into a mode of its own (0750 here), but never one that lets
    // others read a file they could not read before.
    EXPECT_EQ(UnixMode(Copy) & 07, 0);
}
