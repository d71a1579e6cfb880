#pragma once
// A brush for a colour word: the system's own brush for system colours, otherwise one
// solid brush kept until the colour changes.
#include "widgets/win32/CheckedGdi.h"
#include "widgets/win32/GdiHandles.h"
#include "widgets/win32/SystemColours.h"

class ColourBrush {
public:
    HBRUSH Get(ColourWord word)
    {
        if (IsSystemColourWord(word))
            return GetSysColorBrush(static_cast<int>(word & 0xFF));
        if (!brush_.Get() || colour_ != word) {
            brush_ = GdiObject<HBRUSH>(Checked(CreateSolidBrush(static_cast<COLORREF>(word)), "a brush"));
            colour_ = word;
        }
        return brush_.Get();
    }

private:
    GdiObject<HBRUSH> brush_;
    ColourWord colour_ = 0;
};
