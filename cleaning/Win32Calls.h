#pragma once
// The Win32 functions the platform services call, gathered in one table. Win32Platform
// reaches the system only through the table it is given, so a test can replace any one
// entry (to make that call fail, or to act between two steps) and keep the others real.
#include <windows.h>
#include <tlhelp32.h>

// Tool Help looked up in kernel32 at the first call: Windows NT 4.0 lacks it, and there
// the snapshot fails with ERROR_CALL_NOT_IMPLEMENTED.
namespace ToolHelpAtFirstUse {
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

    // File contents and their replacement
    decltype(&::CreateFileA) CreateFileA = ::CreateFileA;
    decltype(&::GetFileSize) GetFileSize = ::GetFileSize;
    decltype(&::ReadFile) ReadFile = ::ReadFile;
    decltype(&::WriteFile) WriteFile = ::WriteFile;
    decltype(&::FlushFileBuffers) FlushFileBuffers = ::FlushFileBuffers;
    decltype(&::GetTempFileNameA) GetTempFileNameA = ::GetTempFileNameA;
    decltype(&::GetTickCount) GetTickCount = ::GetTickCount;
    decltype(&::GetCurrentProcessId) GetCurrentProcessId = ::GetCurrentProcessId;
    decltype(&::MoveFileExA) MoveFileExA = ::MoveFileExA;
    decltype(&::MoveFileA) MoveFileA = ::MoveFileA;
    decltype(&::CloseHandle) CloseHandle = ::CloseHandle;

    // Processes
    decltype(&::CreateToolhelp32Snapshot) CreateToolhelp32Snapshot = ToolHelpAtFirstUse::CreateToolhelp32Snapshot;
    decltype(&::Process32First) Process32First = ToolHelpAtFirstUse::Process32First;
    decltype(&::Process32Next) Process32Next = ToolHelpAtFirstUse::Process32Next;
    decltype(&::OpenProcess) OpenProcess = ::OpenProcess;
    decltype(&::TerminateProcess) TerminateProcess = ::TerminateProcess;

    // Registry
    decltype(&::RegOpenKeyExA) RegOpenKeyExA = ::RegOpenKeyExA;
    decltype(&::RegDeleteValueA) RegDeleteValueA = ::RegDeleteValueA;
    decltype(&::RegCloseKey) RegCloseKey = ::RegCloseKey;

    // The plain information box, when the program gives none of its own
    decltype(&::MessageBoxA) MessageBoxA = ::MessageBoxA;
};
