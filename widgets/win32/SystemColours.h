#pragma once
// Colour words resolved to RGB at the moment of use; system colours through the window
// call table.
#include "widgets/paint/ColourWords.h"
#include "widgets/win32/WindowCalls.h"

#include <windows.h>

inline COLORREF ResolveColour(ColourWord word)
{
    if (IsSystemColourWord(word))
        return TheWindowCalls().GetSysColor(static_cast<int>(word & 0xFF));
    return static_cast<COLORREF>(word);
}
