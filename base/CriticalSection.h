#pragma once
// A Win32 critical section and the lock that holds it for a scope.
#include <windows.h>

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    class Lock {
    public:
        explicit Lock(CriticalSection& section) : section_(section) { EnterCriticalSection(&section_.section_); }
        ~Lock() { LeaveCriticalSection(&section_.section_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CriticalSection& section_;
    };

private:
    CRITICAL_SECTION section_;
};
