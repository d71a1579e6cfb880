#pragma once
// The Win32 functions the platform services call, gathered in one table. Win32Platform
// reaches the system only through the table it is given, so a test can replace any one
// entry (to make that call fail, or to act between two steps) and keep the others real.
// Functions that some supported Windows lack are looked up at first use (LateBound):
// Tool Help (not in Windows NT 4.0), file security and MoveFileEx (stubs in Windows
// 95/98/Me), hard links (not before Windows 2000), the wide file functions (stubs or
// missing in Windows 95/98/Me).
#include "LateBound.h"

#include <windows.h>
#include <tlhelp32.h>

struct Win32Calls {
    // Find listings, attributes, deletion: the wide functions on \\?\ paths, and the ANSI
    // ones where the wide ones are missing
    LateBound<HANDLE(WINAPI*)(LPCWSTR, LPWIN32_FIND_DATAW)> FindFirstFileW{"kernel32.dll", "FindFirstFileW"};
    LateBound<BOOL(WINAPI*)(HANDLE, LPWIN32_FIND_DATAW)> FindNextFileW{"kernel32.dll", "FindNextFileW"};
    LateBound<DWORD(WINAPI*)(LPCWSTR)> GetFileAttributesW{"kernel32.dll", "GetFileAttributesW"};
    LateBound<BOOL(WINAPI*)(LPCWSTR, DWORD)> SetFileAttributesW{"kernel32.dll", "SetFileAttributesW"};
    LateBound<BOOL(WINAPI*)(LPCWSTR)> DeleteFileW{"kernel32.dll", "DeleteFileW"};
    LateBound<DWORD(WINAPI*)(DWORD, LPWSTR)> GetCurrentDirectoryW{"kernel32.dll", "GetCurrentDirectoryW"};
    LateBound<UINT(WINAPI*)(LPWSTR, UINT)> GetWindowsDirectoryW{"kernel32.dll", "GetWindowsDirectoryW"};
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
    LateBound<BOOL(WINAPI*)(LPCSTR, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, DWORD, LPDWORD)> GetFileSecurityA{
        "advapi32.dll", "GetFileSecurityA"};
    LateBound<BOOL(WINAPI*)(LPCSTR, LPCSTR, LPSECURITY_ATTRIBUTES)> CreateHardLinkA{"kernel32.dll", "CreateHardLinkA"};
    LateBound<BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD)> MoveFileExA{"kernel32.dll", "MoveFileExA"};
    decltype(&::MoveFileA) MoveFileA = ::MoveFileA;
    decltype(&::CloseHandle) CloseHandle = ::CloseHandle;

    // Processes
    LateBound<HANDLE(WINAPI*)(DWORD, DWORD)> CreateToolhelp32Snapshot{"kernel32.dll", "CreateToolhelp32Snapshot"};
    LateBound<BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*)> Process32First{"kernel32.dll", "Process32First"};
    LateBound<BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*)> Process32Next{"kernel32.dll", "Process32Next"};
    decltype(&::OpenProcess) OpenProcess = ::OpenProcess;
    decltype(&::TerminateProcess) TerminateProcess = ::TerminateProcess;

    // Registry
    decltype(&::RegOpenKeyExA) RegOpenKeyExA = ::RegOpenKeyExA;
    decltype(&::RegDeleteValueA) RegDeleteValueA = ::RegDeleteValueA;
    decltype(&::RegCloseKey) RegCloseKey = ::RegCloseKey;

    // The plain information box, when the program gives none of its own
    decltype(&::MessageBoxA) MessageBoxA = ::MessageBoxA;
};
