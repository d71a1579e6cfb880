#pragma once
// The Win32 functions the platform services call, gathered in one table. Win32Platform
// reaches the system only through the table it is given, so a test can replace any one
// entry (to make that call fail, or to act between two steps) and keep the others real.
// Functions that some supported Windows lack are looked up at first use (LateBound):
// Tool Help (not in Windows NT 4.0), the wide file functions (stubs in Windows 95/98/Me,
// where the platform calls the ANSI ones only), file security and the shell's folders.
#include "base/LateBound.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>
#include <tlhelp32.h>

struct Win32Calls {
    // Tells the family of Windows: ANSI file functions only on 95/98/Me, which know no
    // rights either, wide ones elsewhere
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
    decltype(&::SetFileTime) SetFileTime = ::SetFileTime;
    decltype(&::CloseHandle) CloseHandle = ::CloseHandle;
    LateBound<decltype(&::CreateDirectoryW)> CreateDirectoryW{"kernel32.dll", "CreateDirectoryW"};
    decltype(&::CreateDirectoryA) CreateDirectoryA = ::CreateDirectoryA;
    // A rename that never copies: MoveFileEx without MOVEFILE_COPY_ALLOWED (missing in
    // Windows 95/98/Me, where MoveFile renames within a volume)
    LateBound<decltype(&::MoveFileExW)> MoveFileExW{"kernel32.dll", "MoveFileExW"};
    decltype(&::MoveFileA) MoveFileA = ::MoveFileA;
    LateBound<decltype(&::RemoveDirectoryW)> RemoveDirectoryW{"kernel32.dll", "RemoveDirectoryW"};
    decltype(&::RemoveDirectoryA) RemoveDirectoryA = ::RemoveDirectoryA;
    // The system's folders, and what a folder is: its number on its volume (NT family), or
    // its full short path (Windows 95/98/Me). GetSystemWow64Directory from Windows XP on.
    LateBound<decltype(&::GetSystemDirectoryW)> GetSystemDirectoryW{"kernel32.dll", "GetSystemDirectoryW"};
    decltype(&::GetSystemDirectoryA) GetSystemDirectoryA = ::GetSystemDirectoryA;
    LateBound<decltype(&::GetSystemWow64DirectoryW)> GetSystemWow64DirectoryW{"kernel32.dll",
                                                                              "GetSystemWow64DirectoryW"};
    decltype(&::GetFullPathNameA) GetFullPathNameA = ::GetFullPathNameA;
    decltype(&::GetShortPathNameA) GetShortPathNameA = ::GetShortPathNameA;
    // The run lock: a named mutex (CreateMutexW is a stub on Windows 95/98/Me)
    LateBound<decltype(&::CreateMutexW)> CreateMutexW{"kernel32.dll", "CreateMutexW"};
    LateBound<decltype(&::OpenMutexW)> OpenMutexW{"kernel32.dll", "OpenMutexW"};
    decltype(&::CreateMutexA) CreateMutexA = ::CreateMutexA;
    decltype(&::ReleaseMutex) ReleaseMutex = ::ReleaseMutex;
    decltype(&::WaitForSingleObject) WaitForSingleObject = ::WaitForSingleObject;
    decltype(&::GetSystemTimeAsFileTime) GetSystemTimeAsFileTime = ::GetSystemTimeAsFileTime;
    decltype(&::Sleep) Sleep = ::Sleep;

    // The program's rights and its data folders. SHGetFolderPath is in shell32 from
    // Windows 2000 on, and in shfolder.dll where that was installed.
    LateBound<decltype(&::CheckTokenMembership)> CheckTokenMembership{"advapi32.dll", "CheckTokenMembership"};
    LateBound<const char* (__cdecl*)()> wine_get_version{"ntdll.dll", "wine_get_version"};
    LateBound<decltype(&::SHGetFolderPathW)> SHGetFolderPathW{"shell32.dll", "SHGetFolderPathW",
                                                              static_cast<std::uintptr_t>(E_NOTIMPL)};
    LateBound<decltype(&::SHGetFolderPathW)> ShfolderGetFolderPathW{"shfolder.dll", "SHGetFolderPathW",
                                                                    static_cast<std::uintptr_t>(E_NOTIMPL)};
    // Folder security (the NT family from Windows 2000 on)
    LateBound<decltype(&::GetSecurityInfo)> GetSecurityInfo{"advapi32.dll", "GetSecurityInfo",
                                                            ERROR_CALL_NOT_IMPLEMENTED};
    LateBound<decltype(&::ConvertStringSecurityDescriptorToSecurityDescriptorW)>
        ConvertStringSecurityDescriptorToSecurityDescriptorW{"advapi32.dll",
                                                             "ConvertStringSecurityDescriptorToSecurityDescriptorW"};
    decltype(&::LocalFree) LocalFree = ::LocalFree;
    LateBound<decltype(&::GetVolumeInformationW)> GetVolumeInformationW{"kernel32.dll", "GetVolumeInformationW"};

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
    decltype(&::RegQueryValueExA) RegQueryValueExA = ::RegQueryValueExA;
    decltype(&::RegSetValueExA) RegSetValueExA = ::RegSetValueExA;
    decltype(&::RegCloseKey) RegCloseKey = ::RegCloseKey;

    // The plain information box, when the program gives none of its own
    decltype(&::MessageBoxA) MessageBoxA = ::MessageBoxA;

    // File-system redirection of a 32-bit program on 64-bit Windows (XP x64 and later)
    LateBound<decltype(&::Wow64DisableWow64FsRedirection)> Wow64DisableWow64FsRedirection{
        "kernel32.dll", "Wow64DisableWow64FsRedirection"};
    LateBound<decltype(&::Wow64RevertWow64FsRedirection)> Wow64RevertWow64FsRedirection{
        "kernel32.dll", "Wow64RevertWow64FsRedirection"};

    // Looks every late-bound entry up now, loading its DLL, so that none is looked up from
    // a thread whose file system is seen without redirection: the DLL would come from the
    // wrong folder.
    void ResolveAll() const
    {
        Resolve(FindFirstFileW, FindNextFileW, GetFileAttributesW, SetFileAttributesW, DeleteFileW,
                GetCurrentDirectoryW, GetWindowsDirectoryW, CreateFileW, CreateDirectoryW, MoveFileExW, RemoveDirectoryW,
                CheckTokenMembership, wine_get_version, SHGetFolderPathW, ShfolderGetFolderPathW, GetSecurityInfo,
                ConvertStringSecurityDescriptorToSecurityDescriptorW, GetVolumeInformationW,
                CreateToolhelp32Snapshot, Process32First, Process32Next, Wow64DisableWow64FsRedirection,
                Wow64RevertWow64FsRedirection);
    }

private:
    template <typename... Entries>
    static void Resolve(const Entries&... entries)
    {
        (entries.Get(), ...);
    }
};

// Whether a wide function failed only because this Windows lacks it: an emptied entry, or
// a system of the NT family without it.
inline bool WideMissing()
{
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
}
