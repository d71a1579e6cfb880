#include "widgets/paint/FlatMemoGeometry.h"

#include <algorithm>

PixelRect MemoClientRect(const PixelRect& platformClient)
{
    // A window too small for the frame gets an empty client area, never an inverted one.
    PixelRect client = InsetRect(platformClient, MemoFrameWidth);
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

bool MemoHighlighted(bool hasFocus, bool mouseInside, bool activeControlIsFlatMemo)
{
    return hasFocus || (mouseInside && !activeControlIsFlatMemo);
}

PixelRect MemoScrollCornerRect(PixelSize window)
{
    constexpr int side = 16;
    return {window.width - MemoFrameWidth - side, window.height - MemoFrameWidth - side,
            window.width - MemoFrameWidth, window.height - MemoFrameWidth};
}

ColouredRects MemoFrameRuns(PixelSize window, ColourWord border, ColourWord rings, bool bothScrollBars)
{
    const PixelRect outer{0, 0, window.width, window.height};
    ColouredRects runs;
    AppendRing(runs, outer, border);
    AppendRing(runs, InsetRect(outer, 1), rings);
    AppendRing(runs, InsetRect(outer, 2), rings);
    if (bothScrollBars)
        runs.push_back({MemoScrollCornerRect(window), rings});
    return runs;
}
