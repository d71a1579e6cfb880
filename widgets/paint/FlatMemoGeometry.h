#pragma once
// The flat memo's frame: three 1-pixel rings inside the window's outer edge (the outline
// in the border colour, two in the state colour), the client area moved 3 pixels inwards,
// and the square between two scroll bars.
#include "widgets/paint/ColourWords.h"
#include "widgets/paint/PixelGeometry.h"

constexpr int MemoFrameWidth = 3;

// The colours of a look: the outline, the two inner rings, the face behind the text and
// the text. Outside high contrast the rings and the face are the state colour.
struct MemoLook {
    ColourWord border;
    ColourWord rings;
    ColourWord face;
    ColourWord text;
};

// The client area after the platform has reserved its scroll bars: 3 pixels in on every
// side, and empty (not inverted) in a window too small for that.
PixelRect MemoClientRect(const PixelRect& platformClient);

// Whether the memo shows its highlighted look: it has the focus, or the mouse is inside
// while the screen's active control is not a flat memo.
bool MemoHighlighted(bool hasFocus, bool mouseInside, bool activeControlIsFlatMemo);

// The 16 x 16 square between the scroll bars: (W - 19, H - 19, W - 3, H - 3).
PixelRect MemoScrollCornerRect(PixelSize window);

// PaintFrame's runs in window coordinates: the outline in border, rings at insets 1 and 2
// in rings, and with both scroll bars the square between them, also in rings.
ColouredRects MemoFrameRuns(PixelSize window, ColourWord border, ColourWord rings, bool bothScrollBars);
