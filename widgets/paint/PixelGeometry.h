#pragma once
// Points, sizes and rectangles in pixels, and runs of pixels filled with one colour: what
// the controls' portable geometry hands to their painting code.
#include "widgets/paint/ColourWords.h"

#include <vector>

struct PixelPoint {
    int x = 0, y = 0;
};

struct PixelSize {
    int width = 0, height = 0;
};

// Right and bottom are exclusive, as in a Win32 RECT.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

inline bool operator==(const PixelRect& a, const PixelRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const PixelRect& a, const PixelRect& b) { return !(a == b); }

// The rectangle moved n pixels inwards on every side (outwards for negative n).
inline PixelRect InsetRect(const PixelRect& r, int n) { return {r.left + n, r.top + n, r.right - n, r.bottom - n}; }

// Whether two rectangles share at least one pixel.
inline bool RectsMeet(const PixelRect& a, const PixelRect& b)
{
    return !a.IsEmpty() && !b.IsEmpty() && a.left < b.right && b.left < a.right && a.top < b.bottom &&
           b.top < a.bottom;
}

// A rectangle filled with one colour word. Lists of them are painted in order, later ones
// over earlier ones; system colour words are resolved by the painter.
struct ColouredRect {
    PixelRect rect;
    ColourWord colour = 0;
};

using ColouredRects = std::vector<ColouredRect>;

// Appends the 1-pixel ring along the inside of r in one colour (nothing when r is empty).
void AppendRing(ColouredRects& runs, const PixelRect& r, ColourWord colour);
