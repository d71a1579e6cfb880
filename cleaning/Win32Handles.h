#pragma once
// Owners of the raw Win32 handles the platform services open.
#include <windows.h>

// A kernel handle closed with CloseHandle; invalid is both null and INVALID_HANDLE_VALUE.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle = nullptr) : handle_(handle) {}
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle() { Reset(); }
    // Closes the handle held and takes handle in its place.
    void Reset(HANDLE handle = nullptr)
    {
        if (Valid())
            CloseHandle(handle_);
        handle_ = handle;
    }
    bool Valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// A find listing closed with FindClose.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle()
    {
        if (Valid())
            FindClose(handle_);
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};
