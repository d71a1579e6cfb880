#pragma once
// Keyboard cues: whether accelerator underlines (UISF_HIDEACCEL) and focus rectangles
// (UISF_HIDEFOCUS) are hidden. A form keeps the state of its controls and tells them of a
// change with WM_UPDATEUISTATE; the program does the bookkeeping itself, as not every
// system does it (Windows 95 and NT 4.0 know no such messages, Wine ignores them).
#include "widgets/win32/NewerWindowsDeclarations.h"

// The hidden cues after a WM_CHANGEUISTATE or WM_UPDATEUISTATE with that wParam
// (action UIS_SET or UIS_CLEAR in the low word, the cues in the high word).
inline WORD CuesAfter(WORD hidden, WPARAM change)
{
    const WORD cues = HIWORD(change) & (UISF_HIDEFOCUS | UISF_HIDEACCEL);
    switch (LOWORD(change)) {
    case UIS_SET: return static_cast<WORD>(hidden | cues);
    case UIS_CLEAR: return static_cast<WORD>(hidden & ~cues);
    default: return hidden;
    }
}

// The cues the system shows from the start: all when its setting says so, and on a
// system without the setting; none otherwise, until the keyboard is used.
inline WORD InitiallyHiddenCues()
{
    BOOL shown = FALSE;
    if (!SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &shown, 0))
        shown = TRUE;
    return shown ? 0 : UISF_HIDEFOCUS | UISF_HIDEACCEL;
}
