#pragma once
// The Win32 functions the platform services call, gathered in one table. Win32Platform
// reaches the system only through the table it is given, so a test can replace any one
// entry (to make that call fail, or to act between two steps) and keep the others real.
#include <windows.h>
#include <tlhelp32.h>

// Functions looked up in kernel32 at their first call, failing with
// ERROR_CALL_NOT_IMPLEMENTED where this Windows lacks them: Tool Help (not in Windows NT
// 4.0), hard links (not in Windows 95/98/Me nor NT 4.0) and the wide file functions
// (Windows 95/98/Me export some only as stubs that fail the same way).
namespace Kernel32AtFirstUse {
HANDLE WINAPI CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
BOOL WINAPI Process32First(HANDLE snapshot, PROCESSENTRY32* entry);
BOOL WINAPI Process32Next(HANDLE snapshot, PROCESSENTRY32* entry);
BOOL WINAPI CreateHardLinkA(LPCSTR link, LPCSTR existing, LPSECURITY_ATTRIBUTES security);
HANDLE WINAPI FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data);
BOOL WINAPI FindNextFileW(HANDLE listing, LPWIN32_FIND_DATAW data);
DWORD WINAPI GetFileAttributesW(LPCWSTR path);
BOOL WINAPI SetFileAttributesW(LPCWSTR path, DWORD attributes);
BOOL WINAPI DeleteFileW(LPCWSTR path);
DWORD WINAPI GetCurrentDirectoryW(DWORD size, LPWSTR buffer);
UINT WINAPI GetWindowsDirectoryW(LPWSTR buffer, UINT size);
DWORD WINAPI GetFullPathNameW(LPCWSTR path, DWORD size, LPWSTR buffer, LPWSTR* filePart);
}

struct Win32Calls {
    // Find listings, attributes, deletion: the wide functions on \\?\ paths, and the ANSI
    // ones where the wide ones are missing
    decltype(&::FindFirstFileW) FindFirstFileW = Kernel32AtFirstUse::FindFirstFileW;
    decltype(&::FindNextFileW) FindNextFileW = Kernel32AtFirstUse::FindNextFileW;
    decltype(&::GetFileAttributesW) GetFileAttributesW = Kernel32AtFirstUse::GetFileAttributesW;
    decltype(&::SetFileAttributesW) SetFileAttributesW = Kernel32AtFirstUse::SetFileAttributesW;
    decltype(&::DeleteFileW) DeleteFileW = Kernel32AtFirstUse::DeleteFileW;
    decltype(&::GetCurrentDirectoryW) GetCurrentDirectoryW = Kernel32AtFirstUse::GetCurrentDirectoryW;
    decltype(&::GetWindowsDirectoryW) GetWindowsDirectoryW = Kernel32AtFirstUse::GetWindowsDirectoryW;
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
    decltype(&::GetFileSecurityA) GetFileSecurityA = ::GetFileSecurityA;
    decltype(&::CreateHardLinkA) CreateHardLinkA = Kernel32AtFirstUse::CreateHardLinkA;
    decltype(&::MoveFileExA) MoveFileExA = ::MoveFileExA;
    decltype(&::MoveFileA) MoveFileA = ::MoveFileA;
    decltype(&::CloseHandle) CloseHandle = ::CloseHandle;

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
