#include "Win32Calls.h"

namespace {

// A kernel32 function by name, or null where this Windows lacks it.
template <typename Function>
Function Kernel32Function(const char* name)
{
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

} // namespace

namespace Kernel32AtFirstUse {

HANDLE WINAPI CreateToolhelp32Snapshot(DWORD flags, DWORD processId)
{
    static const auto function = Kernel32Function<decltype(&::CreateToolhelp32Snapshot)>("CreateToolhelp32Snapshot");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return INVALID_HANDLE_VALUE;
    }
    return function(flags, processId);
}

BOOL WINAPI Process32First(HANDLE snapshot, PROCESSENTRY32* entry)
{
    static const auto function = Kernel32Function<decltype(&::Process32First)>("Process32First");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    return function(snapshot, entry);
}

BOOL WINAPI Process32Next(HANDLE snapshot, PROCESSENTRY32* entry)
{
    static const auto function = Kernel32Function<decltype(&::Process32Next)>("Process32Next");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    return function(snapshot, entry);
}

BOOL WINAPI CreateHardLinkA(LPCSTR link, LPCSTR existing, LPSECURITY_ATTRIBUTES security)
{
    static const auto function = Kernel32Function<decltype(&::CreateHardLinkA)>("CreateHardLinkA");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    return function(link, existing, security);
}

HANDLE WINAPI FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data)
{
    static const auto function = Kernel32Function<decltype(&::FindFirstFileW)>("FindFirstFileW");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return INVALID_HANDLE_VALUE;
    }
    return function(pattern, data);
}

BOOL WINAPI FindNextFileW(HANDLE listing, LPWIN32_FIND_DATAW data)
{
    static const auto function = Kernel32Function<decltype(&::FindNextFileW)>("FindNextFileW");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    return function(listing, data);
}

DWORD WINAPI GetFileAttributesW(LPCWSTR path)
{
    static const auto function = Kernel32Function<decltype(&::GetFileAttributesW)>("GetFileAttributesW");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return INVALID_FILE_ATTRIBUTES;
    }
    return function(path);
}

BOOL WINAPI SetFileAttributesW(LPCWSTR path, DWORD attributes)
{
    static const auto function = Kernel32Function<decltype(&::SetFileAttributesW)>("SetFileAttributesW");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    return function(path, attributes);
}

BOOL WINAPI DeleteFileW(LPCWSTR path)
{
    static const auto function = Kernel32Function<decltype(&::DeleteFileW)>("DeleteFileW");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    return function(path);
}

DWORD WINAPI GetCurrentDirectoryW(DWORD size, LPWSTR buffer)
{
    static const auto function = Kernel32Function<decltype(&::GetCurrentDirectoryW)>("GetCurrentDirectoryW");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return 0;
    }
    return function(size, buffer);
}

UINT WINAPI GetWindowsDirectoryW(LPWSTR buffer, UINT size)
{
    static const auto function = Kernel32Function<decltype(&::GetWindowsDirectoryW)>("GetWindowsDirectoryW");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return 0;
    }
    return function(buffer, size);
}

DWORD WINAPI GetFullPathNameW(LPCWSTR path, DWORD size, LPWSTR buffer, LPWSTR* filePart)
{
    static const auto function = Kernel32Function<decltype(&::GetFullPathNameW)>("GetFullPathNameW");
    if (!function) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return 0;
    }
    return function(path, size, buffer, filePart);
}

} // namespace Kernel32AtFirstUse
