// The run lock on Win32: one named mutex for the whole machine. From Windows 2000 on it
// lives in the global namespace, so that a run in another session (a service, another
// user signed in) is seen too, with an access list of its own: SYSTEM and Administrators
// may do everything with it, every other signed-in account may only wait for it and let
// it go. Windows 95/98/Me and NT 4.0 know one namespace and no such list.
#include "cleaning/Win32Handles.h"
#include "cleaning/Win32Platform.h"

namespace {

const DWORD Takeable = SYNCHRONIZE | MUTEX_MODIFY_STATE;

class Win32RunLock : public RunLock {
public:
    Win32RunLock(const Win32Calls& calls, KernelHandle mutex) : calls_(calls), mutex_(std::move(mutex)) {}
    ~Win32RunLock() override { calls_.ReleaseMutex(mutex_.Get()); }

private:
    const Win32Calls& calls_;
    KernelHandle mutex_;
};

} // namespace

std::unique_ptr<RunLock> Win32Platform::TakeRunLock()
{
    const DWORD version = calls_.GetVersion();
    HANDLE mutex = nullptr;
    if (wide_ && LOBYTE(LOWORD(version)) >= 5) {
        const wchar_t* const name = L"Global\\PelkarinRun";
        PSECURITY_DESCRIPTOR made = nullptr;
        calls_.ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100001;;;AU)", SDDL_REVISION_1, &made, nullptr);
        const LocalMemory descriptor(made, calls_);
        SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor.Get(), FALSE};
        mutex = calls_.CreateMutexW(descriptor.Valid() ? &attributes : nullptr, FALSE, name);
        // Made by an account whose list grants us less than everything: ask only for
        // what taking it needs.
        if (!mutex && GetLastError() == ERROR_ACCESS_DENIED)
            mutex = calls_.OpenMutexW(Takeable, FALSE, name);
    } else {
        mutex = calls_.CreateMutexA(nullptr, FALSE, "PelkarinRun");
    }
    KernelHandle held(mutex, calls_);
    if (!held.Valid())
        return nullptr;   // closed to us: someone we may not see holds it
    const DWORD waited = calls_.WaitForSingleObject(held.Get(), 0);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
        return nullptr;
    return std::make_unique<Win32RunLock>(calls_, std::move(held));
}
