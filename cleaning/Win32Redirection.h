#pragma once
// A 32-bit program on 64-bit Windows sees SysWOW64 where System32 is, and never the real
// System32: its sweeps would search one folder twice and another never. For the life of a
// RedirectionOff the calling thread sees the file system as it is.
#include "cleaning/DataRoot.h"
#include "cleaning/Win32Calls.h"

class RedirectionOff {
public:
    // Every late-bound entry of calls and the data root's place are looked up first, while
    // DLLs still load from the right folder. Nothing changes where the system has no
    // redirection (a 64-bit program, a 32-bit Windows, Windows before XP x64).
    RedirectionOff(const Win32Calls& calls, DataRoot& data);
    ~RedirectionOff();
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    const Win32Calls& calls_;
    PVOID saved_ = nullptr;
    bool off_ = false;
};
