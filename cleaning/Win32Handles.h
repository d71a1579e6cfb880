#pragma once
// Owners of the raw Win32 handles the platform services open; each closes its handle
// through the same table of calls that opened it.
#include "cleaning/Win32Calls.h"

// A kernel handle closed with CloseHandle; invalid is both null and INVALID_HANDLE_VALUE.
class KernelHandle {
public:
    explicit KernelHandle(const Win32Calls& calls, HANDLE handle = nullptr) : calls_(calls), handle_(handle) {}
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle() { Reset(); }
    // Closes the handle held and takes handle in its place.
    void Reset(HANDLE handle = nullptr)
    {
        if (Valid())
            calls_.CloseHandle(handle_);
        handle_ = handle;
    }
    bool Valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // Hands the handle over to another owner.
    void Release() { handle_ = nullptr; }

private:
    const Win32Calls& calls_;
    HANDLE handle_;
};

// A find listing closed with FindClose.
class FindHandle {
public:
    FindHandle(const Win32Calls& calls, HANDLE handle) : calls_(calls), handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle()
    {
        if (Valid())
            calls_.FindClose(handle_);
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    const Win32Calls& calls_;
    HANDLE handle_;
};

// An open registry key closed with RegCloseKey.
class KeyHandle {
public:
    KeyHandle(const Win32Calls& calls, HKEY key) : calls_(calls), key_(key) {}
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    ~KeyHandle() { calls_.RegCloseKey(key_); }
    HKEY Get() const { return key_; }

private:
    const Win32Calls& calls_;
    HKEY key_;
};
