// The safe write-back of a configuration copy when the system calls it makes really fail:
// each fault, put in through the platform's call table, leaves the original byte for byte
// and no temporary beside it.
#include "EngineError.h"
#include "ScratchFiles.h"
#include "Win32Platform.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::string Root = "c:\\pelkarin-writeback-test\\";
const std::string Copy = Root + "mirc.ini";
const std::string Original = "[mirc]\r\nn0=mirc.hst\r\nkeep=1\r\n";

std::vector<std::string> EntriesOf(const std::string& dir)
{
    std::vector<std::string> names;
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

BOOL WINAPI NoMoveFileEx(LPCSTR, LPCSTR, DWORD)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

class WriteBackFaults : public testing::Test {
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

TEST_F(WriteBackFaults, EachFailingStepLeavesTheOriginalAndNoTemporary)
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
            platform.ReplaceFileBytes(Copy, "keep=1\r\n");
            ADD_FAILURE() << fault.step << ": no error";
        } catch (const EngineError& error) {
            EXPECT_EQ(error.what(), fault.message) << fault.step;
        }
        EXPECT_EQ(ReadWhole(Copy), Original) << fault.step;
        EXPECT_EQ(EntriesOf(Root), (std::vector<std::string>{".", "..", "mirc.ini"})) << fault.step;
    }
}

TEST_F(WriteBackFaults, WithoutMoveFileExTheOriginalGoesOnlyForACompleteTemporary)
{
    // Windows 95/98/Me: MoveFileEx is a stub there.
    Win32Calls calls;
    calls.MoveFileExA = NoMoveFileEx;
    Win32Platform({}, calls).ReplaceFileBytes(Copy, "keep=1\r\n");
    EXPECT_EQ(ReadWhole(Copy), "keep=1\r\n");

    calls.WriteFile = DiskFull;
    EXPECT_THROW(Win32Platform({}, calls).ReplaceFileBytes(Copy, "lost\r\n"), EngineError);
    EXPECT_EQ(ReadWhole(Copy), "keep=1\r\n");
    EXPECT_EQ(EntriesOf(Root), (std::vector<std::string>{".", "..", "mirc.ini"}));
}
