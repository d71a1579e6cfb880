#include "FlatComboGeometry.h"

#include <algorithm>

PixelRect ComboFrameRect(PixelSize size) { return {0, 0, size.width - ComboButtonWidth - 1, size.height}; }

PixelRect ComboButtonRect(PixelSize size)
{
    return {size.width - ComboButtonWidth - 1, 0, size.width - 1, size.height};
}

PixelRect ComboDrawnButtonRect(PixelSize size)
{
    const PixelRect button = ComboButtonRect(size);
    return {button.left - 1, button.top, button.right + 1, button.bottom};
}

ColouredRects ComboFrameRuns(PixelSize size, const FlatComboColours& colours)
{
    const PixelRect frame = ComboFrameRect(size);
    ColouredRects runs;
    AppendRing(runs, frame, colours.colorBorder);
    AppendRing(runs, InsetRect(frame, 1), colours.color);
    AppendRing(runs, InsetRect(frame, 2), colours.color);
    return runs;
}

namespace {

// Rows of 5, 3 and 1 pixels from (x0 + 4, y0); pointing up, the single pixel is on top.
void AppendArrow(ColouredRects& runs, int x0, int y0, bool pointingUp, ColourWord colour)
{
    for (int row = 0; row < 3; ++row) {
        const int y = pointingUp ? y0 + 2 - row : y0 + row;
        runs.push_back({{x0 + 4 + row, y, x0 + 9 - row, y + 1}, colour});
    }
}

}  // namespace

ColouredRects ComboArrowRuns(const PixelRect& drawnButton, bool listOpen, bool enabled, ColourWord colorArrow)
{
    const int x0 = drawnButton.left + drawnButton.Width() / 2 - 6;
    const int y0 = drawnButton.top + drawnButton.Height() / 2 - 1;
    ColouredRects runs;
    if (enabled) {
        AppendArrow(runs, x0, y0, listOpen, colorArrow);
    } else {
        AppendArrow(runs, x0 + 1, y0 + 1, listOpen, clWhite);
        AppendArrow(runs, x0, y0, listOpen, clGray);
    }
    return runs;
}

ColouredRects ComboButtonRuns(PixelSize size, bool listOpen, bool enabled, const FlatComboColours& colours)
{
    const PixelRect button = ComboDrawnButtonRect(size);
    ColouredRects runs;
    if (!button.IsEmpty())
        runs.push_back({button, colours.colorArrowBackground});
    AppendRing(runs, button, colours.colorBorder);
    const ColouredRects arrow = ComboArrowRuns(button, listOpen, enabled, colours.colorArrow);
    runs.insert(runs.end(), arrow.begin(), arrow.end());
    return runs;
}

PixelRect ComboBackgroundRect(const PixelRect& updateArea, PixelSize size)
{
    PixelRect fill = updateArea;
    fill.right = std::min(fill.right, InsetRect(ComboFrameRect(size), 3).right);
    return fill;
}

int ComboPlatformPaintRight(PixelSize size, int scrollBarWidth) { return size.width - (scrollBarWidth + 2); }

PixelRect ComboCloseUpRect(PixelSize size)
{
    PixelRect rect = ComboButtonRect(size);
    rect.left -= 2;
    return rect;
}

PixelSize ComboEditFieldSize(int clientWidth, int height)
{
    return {clientWidth - ComboButtonWidth - 8, height - 6};
}
