#pragma once
// The Win32 functions the platform services call, gathered in one table. Win32Platform
// reaches the system only through the table it is given, so a test can replace any one
// entry (to make that call fail, or to act between two steps) and keep the others real.
// Functions that some supported Windows lack are looked up at first use (LateBound):
// Tool Help (not in Windows NT 4.0) and the wide file functions (stubs in Windows
// 95/98/Me, where the platform calls the ANSI ones only).
#include "base/LateBound.h"

#include <windows.h>
#include <tlhelp32.h>

struct Win32Calls {
    // Tells the family of Windows: ANSI file functions only on 95/98/Me, wide ones elsewhere
    decltype(&::GetVersion) GetVersion = ::GetVersion;

    // Find listings, attributes, deletion: the wide functions on \\?\ paths, and the ANSI
    // ones on Windows 95/98/Me and where the wide ones are missing
    LateBound<decltype(&::FindFirstFileW)> FindFirstFileW{
        "kernel32.dll", "FindFirstFileW", reinterpret_cast<std::uintptr_t>(INVALID_HANDLE_VALUE)};
    LateBound<decltype(&::FindNextFileW)> FindNextFileW{"kernel32.dll", "FindNextFileW"};
    LateBound<decltype(&::GetFileAttributesW)> GetFileAttributesW{
        "kernel32.dll", "GetFileAttributesW", INVALID_FILE_ATTRIBUTES};
    LateBound<decltype(&::SetFileAttributesW)> SetFileAttributesW{"kernel32.dll", "SetFileAttributesW"};
    LateBound<decltype(&::DeleteFileW)> DeleteFileW{"kernel32.dll", "DeleteFileW"};
    LateBound<decltype(&::GetCurrentDirectoryW)> GetCurrentDirectoryW{"kernel32.dll", "GetCurrentDirectoryW"};
    LateBound<decltype(&::GetWindowsDirectoryW)> GetWindowsDirectoryW{"kernel32.dll", "GetWindowsDirectoryW"};
    decltype(&::FindFirstFileA) FindFirstFileA = ::FindFirstFileA;
    decltype(&::FindNextFileA) FindNextFileA = ::FindNextFileA;
    decltype(&::FindClose) FindClose = ::FindClose;
    decltype(&::GetFileAttributesA) GetFileAttributesA = ::GetFileAttributesA;
    decltype(&::SetFileAttributesA) SetFileAttributesA = ::SetFileAttributesA;
    decltype(&::DeleteFileA) DeleteFileA = ::DeleteFileA;
    decltype(&::GetCurrentDirectoryA) GetCurrentDirectoryA = ::GetCurrentDirectoryA;
    decltype(&::GetWindowsDirectoryA) GetWindowsDirectoryA = ::GetWindowsDirectoryA;

    // File contents, read and rewritten in place, by the same family of functions.
    LateBound<decltype(&::CreateFileW)> CreateFileW{
        "kernel32.dll", "CreateFileW", reinterpret_cast<std::uintptr_t>(INVALID_HANDLE_VALUE)};
    decltype(&::CreateFileA) CreateFileA = ::CreateFileA;
    decltype(&::GetFileInformationByHandle) GetFileInformationByHandle = ::GetFileInformationByHandle;
    decltype(&::GetFileSize) GetFileSize = ::GetFileSize;
    decltype(&::SetFilePointer) SetFilePointer = ::SetFilePointer;
    decltype(&::ReadFile) ReadFile = ::ReadFile;
    decltype(&::WriteFile) WriteFile = ::WriteFile;
    decltype(&::SetEndOfFile) SetEndOfFile = ::SetEndOfFile;
    decltype(&::FlushFileBuffers) FlushFileBuffers = ::FlushFileBuffers;
    decltype(&::CloseHandle) CloseHandle = ::CloseHandle;
    LateBound<decltype(&::GetTempPathW)> GetTempPathW{"kernel32.dll", "GetTempPathW"};
    decltype(&::GetTempPathA) GetTempPathA = ::GetTempPathA;
    LateBound<decltype(&::CreateDirectoryW)> CreateDirectoryW{"kernel32.dll", "CreateDirectoryW"};
    decltype(&::CreateDirectoryA) CreateDirectoryA = ::CreateDirectoryA;

    // Processes
    LateBound<decltype(&::CreateToolhelp32Snapshot)> CreateToolhelp32Snapshot{
        "kernel32.dll", "CreateToolhelp32Snapshot", reinterpret_cast<std::uintptr_t>(INVALID_HANDLE_VALUE)};
    LateBound<decltype(&::Process32First)> Process32First{"kernel32.dll", "Process32First"};
    LateBound<decltype(&::Process32Next)> Process32Next{"kernel32.dll", "Process32Next"};
    decltype(&::OpenProcess) OpenProcess = ::OpenProcess;
    decltype(&::TerminateProcess) TerminateProcess = ::TerminateProcess;

    // Registry
    decltype(&::RegOpenKeyExA) RegOpenKeyExA = ::RegOpenKeyExA;
    decltype(&::RegDeleteValueA) RegDeleteValueA = ::RegDeleteValueA;
    decltype(&::RegCloseKey) RegCloseKey = ::RegCloseKey;

    // The plain information box, when the program gives none of its own
    decltype(&::MessageBoxA) MessageBoxA = ::MessageBoxA;
};
