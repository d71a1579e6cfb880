#pragma once
// Whether the system's high-contrast mode is on, asked at every paint so that a control
// follows the switch as soon as it repaints. The question goes through the window call
// table, where a test can answer it.
#include "widgets/paint/HighContrast.h"
#include "widgets/win32/WindowCalls.h"

inline bool HighContrastOn()
{
    HIGHCONTRASTA highContrast = {};
    highContrast.cbSize = sizeof highContrast;
    return TheWindowCalls().SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
           (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The ground a form shows: its own colour, or the system's window colour in high contrast.
inline ColourWord FormGround(ColourWord own)
{
    return HighContrastOn() ? HighContrastWindow.ground : own;
}
