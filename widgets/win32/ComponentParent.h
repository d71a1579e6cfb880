#pragma once
// The form components are placed on, as they see it: its window, colour and font.
#include "widgets/paint/ColourWords.h"
#include "base/MulDiv.h"

#include <windows.h>

// What a control needs of the form's font: the font itself and the scale of its layout.
struct FormMetrics {
    HFONT font = nullptr;
    int textHeight = 13;         // the form font's text height on this system
    int designTextHeight = 13;   // the text height the description was laid out for
    // A design length on this system.
    int Scale(int value) const
    {
        return textHeight == designTextHeight ? value : MulDivRounded(value, textHeight, designTextHeight);
    }
};

// The form a component is placed on.
struct ComponentParent {
    HWND window = nullptr;         // the form's window, parent of the controls' windows
    bool isForm = false;           // the window is a form's, not another control's
    ColourWord colour = clBtnText; // the form's colour
    FormMetrics metrics;
};
