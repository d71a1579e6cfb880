#pragma once
// The form components are placed on, as they see it: its window, colour and font.
#include "widgets/paint/ColourWords.h"
#include "base/MulDiv.h"

#include <windows.h>

// What a control needs of the form's font and screen: the font itself and the scale of
// its layout, the screen's dots per inch against those the description was laid out for.
struct FormMetrics {
    HFONT font = nullptr;
    int dpi = 96;         // the screen's, LOGPIXELSY
    int designDpi = 96;   // the description's
    // A design length on this screen.
    int Scale(int value) const { return dpi == designDpi ? value : MulDivRounded(value, dpi, designDpi); }
};

// The form a component is placed on.
struct ComponentParent {
    HWND window = nullptr;         // the form's window, parent of the controls' windows
    bool isForm = false;           // the window is a form's, not another control's
    ColourWord colour = clBtnText; // the form's colour
    FormMetrics metrics;
};
