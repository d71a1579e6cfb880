#pragma once
// The Win32 functions the platform services call, gathered in one table. Win32Platform
// reaches the system only through the table it is given, so a test can replace any one
// entry (to make that call fail, or to act between two steps) and keep the others real.
#include <windows.h>
#include <tlhelp32.h>

// Functions looked up in kernel32 at their first call, failing with
// ERROR_CALL_NOT_IMPLEMENTED where this Windows lacks them: Tool Help (not in Windows NT
// 4.0).
namespace Kernel32AtFirstUse {
HANDLE WINAPI CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
BOOL WINAPI Process32First(HANDLE snapshot, PROCESSENTRY32* entry);
BOOL WINAPI Process32Next(HANDLE snapshot, PROCESSENTRY32* entry);
}

struct Win32Calls {
    // Find listings, attributes, deletion
    decltype(&::FindFirstFileA) FindFirstFileA = ::FindFirstFileA;
    decltype(&::FindNextFileA) FindNextFileA = ::FindNextFileA;
    decltype(&::FindClose) FindClose = ::FindClose;
    decltype(&::GetFileAttributesA) GetFileAttributesA = ::GetFileAttributesA;
    decltype(&::SetFileAttributesA) SetFileAttributesA = ::SetFileAttributesA;
    decltype(&::DeleteFileA) DeleteFileA = ::DeleteFileA;
    decltype(&::GetCurrentDirectoryA) GetCurrentDirectoryA = ::GetCurrentDirectoryA;
    decltype(&::GetWindowsDirectoryA) GetWindowsDirectoryA = ::GetWindowsDirectoryA;

    // File contents, read and rewritten in place. The wide functions are stubs failing
    // with ERROR_CALL_NOT_IMPLEMENTED on Windows 95/98/Me: the ANSI ones stand in there.
    decltype(&::CreateFileW) CreateFileW = ::CreateFileW;
    decltype(&::CreateFileA) CreateFileA = ::CreateFileA;
    decltype(&::GetFileInformationByHandle) GetFileInformationByHandle = ::GetFileInformationByHandle;
    decltype(&::GetFileSize) GetFileSize = ::GetFileSize;
    decltype(&::SetFilePointer) SetFilePointer = ::SetFilePointer;
    decltype(&::ReadFile) ReadFile = ::ReadFile;
    decltype(&::WriteFile) WriteFile = ::WriteFile;
    decltype(&::SetEndOfFile) SetEndOfFile = ::SetEndOfFile;
    decltype(&::FlushFileBuffers) FlushFileBuffers = ::FlushFileBuffers;
    decltype(&::CloseHandle) CloseHandle = ::CloseHandle;
    decltype(&::GetTempPathW) GetTempPathW = ::GetTempPathW;
    decltype(&::GetTempPathA) GetTempPathA = ::GetTempPathA;
    decltype(&::CreateDirectoryW) CreateDirectoryW = ::CreateDirectoryW;
    decltype(&::CreateDirectoryA) CreateDirectoryA = ::CreateDirectoryA;

    // Processes
    decltype(&::CreateToolhelp32Snapshot) CreateToolhelp32Snapshot = Kernel32AtFirstUse::CreateToolhelp32Snapshot;
    decltype(&::Process32First) Process32First = Kernel32AtFirstUse::Process32First;
    decltype(&::Process32Next) Process32Next = Kernel32AtFirstUse::Process32Next;
    decltype(&::OpenProcess) OpenProcess = ::OpenProcess;
    decltype(&::TerminateProcess) TerminateProcess = ::TerminateProcess;

    // Registry
    decltype(&::RegOpenKeyExA) RegOpenKeyExA = ::RegOpenKeyExA;
    decltype(&::RegDeleteValueA) RegDeleteValueA = ::RegDeleteValueA;
    decltype(&::RegCloseKey) RegCloseKey = ::RegCloseKey;

    // The plain information box, when the program gives none of its own
    decltype(&::MessageBoxA) MessageBoxA = ::MessageBoxA;
};
