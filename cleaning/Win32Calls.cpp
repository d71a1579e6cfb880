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

} // namespace Kernel32AtFirstUse
