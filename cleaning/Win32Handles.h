#pragma once
// Owners of the raw Win32 handles the platform services open; each closes its handle
// through the same table of calls that opened it.
#include "base/UniqueHandle.h"
#include "cleaning/Win32Calls.h"

// The closers, made from the table of calls: KernelHandle(handle, calls).
struct CloseHandleCall {
    using Handle = HANDLE;
    CloseHandleCall(const Win32Calls& calls) : calls(&calls) {}
    static HANDLE Invalid() { return nullptr; }
    // Invalid is both null and INVALID_HANDLE_VALUE, as the functions that open one differ.
    static bool Valid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const { calls->CloseHandle(handle); }
    const Win32Calls* calls;
};

struct FindCloseCall {
    using Handle = HANDLE;
    FindCloseCall(const Win32Calls& calls) : calls(&calls) {}
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const { calls->FindClose(handle); }
    const Win32Calls* calls;
};

struct RegCloseKeyCall {
    using Handle = HKEY;
    RegCloseKeyCall(const Win32Calls& calls) : calls(&calls) {}
    static HKEY Invalid() { return nullptr; }
    static bool Valid(HKEY key) { return key != nullptr; }
    void operator()(HKEY key) const { calls->RegCloseKey(key); }
    const Win32Calls* calls;
};

// Memory the system handed over to be freed by LocalFree (a security descriptor it made).
struct LocalFreeCall {
    using Handle = PSECURITY_DESCRIPTOR;
    LocalFreeCall(const Win32Calls& calls) : calls(&calls) {}
    static PSECURITY_DESCRIPTOR Invalid() { return nullptr; }
    static bool Valid(PSECURITY_DESCRIPTOR memory) { return memory != nullptr; }
    void operator()(PSECURITY_DESCRIPTOR memory) const { calls->LocalFree(memory); }
    const Win32Calls* calls;
};

using KernelHandle = UniqueHandle<CloseHandleCall>;
using FindHandle = UniqueHandle<FindCloseCall>;   // a find listing
using KeyHandle = UniqueHandle<RegCloseKeyCall>;   // an open registry key
using LocalMemory = UniqueHandle<LocalFreeCall>;
