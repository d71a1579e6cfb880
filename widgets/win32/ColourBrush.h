#pragma once
// A solid brush for a colour word, resolved at each use and kept until the colour changes.
#include "widgets/win32/CheckedGdi.h"
#include "widgets/win32/GdiHandles.h"
#include "widgets/win32/SystemColours.h"

class ColourBrush {
public:
    HBRUSH Get(ColourWord word)
    {
        const COLORREF colour = ResolveColour(word);
        if (!brush_.Get() || colour_ != colour) {
            brush_ = GdiObject<HBRUSH>(Checked(CreateSolidBrush(colour), "a brush"));
            colour_ = colour;
        }
        return brush_.Get();
    }

private:
    GdiObject<HBRUSH> brush_;
    COLORREF colour_ = 0;
};
