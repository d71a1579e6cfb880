#pragma once
// Dispatches this thread's messages for the given time, so posted messages, timers, the
// paints they cause and the accessibility events a hook of the thread hears are done.
#include <windows.h>

inline void PumpMessages(DWORD milliseconds = 50)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}
