#pragma once
// High contrast switched on for this process through the window call table (Wine can
// switch it on neither for real nor for one process): the system answers that the mode
// is on, with the colours of a high-contrast black scheme. Everything is as it was once
// the object goes.
#include "tests/win32/widgets/WindowCallsRestored.h"

class HighContrastScheme {
public:
    static constexpr COLORREF Window = RGB(0, 0, 0), WindowText = RGB(255, 255, 255);
    static constexpr COLORREF ButtonFace = RGB(0, 0, 0), ButtonText = RGB(255, 255, 255);
    static constexpr COLORREF Highlight = RGB(26, 235, 255), HighlightText = RGB(0, 0, 0);
    static constexpr COLORREF GrayText = RGB(63, 242, 63);
    static constexpr COLORREF ActiveCaption = RGB(128, 0, 128), CaptionText = RGB(255, 255, 255);
    static constexpr COLORREF InactiveCaption = RGB(0, 128, 0), InactiveCaptionText = RGB(255, 255, 255);

    HighContrastScheme()
    {
        WindowCalls& calls = TheWindowCalls();
        real_ = calls.SystemParametersInfoA.Get();
        calls.SystemParametersInfoA = &Parameters;
        calls.GetSysColor = &Colour;
    }

private:
    static BOOL WINAPI Parameters(UINT action, UINT size, void* parameter, UINT flags)
    {
        if (action != SPI_GETHIGHCONTRAST)
            return real_(action, size, parameter, flags);
        static_cast<HIGHCONTRASTA*>(parameter)->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
        static_cast<HIGHCONTRASTA*>(parameter)->lpszDefaultScheme = nullptr;
        return TRUE;
    }

    static DWORD WINAPI Colour(int index)
    {
        switch (index) {
        case COLOR_WINDOW: return Window;
        case COLOR_WINDOWTEXT: return WindowText;
        case COLOR_BTNFACE: return ButtonFace;
        case COLOR_BTNTEXT: return ButtonText;
        case COLOR_HIGHLIGHT: return Highlight;
        case COLOR_HIGHLIGHTTEXT: return HighlightText;
        case COLOR_GRAYTEXT: return GrayText;
        case COLOR_ACTIVECAPTION: return ActiveCaption;
        case COLOR_CAPTIONTEXT: return CaptionText;
        case COLOR_INACTIVECAPTION: return InactiveCaption;
        case COLOR_INACTIVECAPTIONTEXT: return InactiveCaptionText;
        }
        return GetSysColor(index);
    }

    static inline decltype(&::SystemParametersInfoA) real_ = nullptr;
    WindowCallsRestored restored_;
};
