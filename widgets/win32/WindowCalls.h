#pragma once
// The window functions that some of the Windows the program runs on lack, looked up at
// first use (LateBound) so the program loads without them; each caller has a fallback
// where one is missing. One table for the process: a test empties an entry to see the
// fallback.
#include "cleaning/LateBound.h"

#include <windows.h>

struct WindowCalls {
    // Not in Windows 95 nor NT 4.0.
    LateBound<BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT)> TransparentBlt{
        "msimg32.dll", "TransparentBlt"};
    // Not in Windows 95 nor NT 4.0 before SP6.
    LateBound<BOOL(WINAPI*)(HWND, COMBOBOXINFO*)> GetComboBoxInfo{"user32.dll", "GetComboBoxInfo"};
    // Not in Windows 95.
    LateBound<BOOL(WINAPI*)(TRACKMOUSEEVENT*)> TrackMouseEvent{"user32.dll", "TrackMouseEvent"};
};

inline WindowCalls& TheWindowCalls()
{
    static WindowCalls calls;
    return calls;
}
