#pragma once
// Colour words resolved to RGB at the moment of use.
#include "widgets/paint/ColourWords.h"

#include <windows.h>

inline COLORREF ResolveColour(ColourWord word)
{
    if (IsSystemColourWord(word))
        return GetSysColor(static_cast<int>(word & 0xFF));
    return static_cast<COLORREF>(word);
}
