#include "widgets/paint/FlatComboGeometry.h"

#include <algorithm>

PixelRect ComboFrameRect(PixelSize size, int buttonWidth) { return {0, 0, size.width - buttonWidth - 1, size.height}; }

PixelRect ComboButtonRect(PixelSize size, int buttonWidth)
{
    return {size.width - buttonWidth - 1, 0, size.width - 1, size.height};
}

PixelRect ComboDrawnButtonRect(PixelSize size, int buttonWidth)
{
    const PixelRect button = ComboButtonRect(size, buttonWidth);
    return {button.left - 1, button.top, button.right + 1, button.bottom};
}

ColouredRects ComboFrameRuns(PixelSize size, const FlatComboColours& colours, int buttonWidth)
{
    const PixelRect frame = ComboFrameRect(size, buttonWidth);
    ColouredRects runs;
    AppendRing(runs, frame, colours.colorBorder);
    AppendRing(runs, InsetRect(frame, 1), colours.color);
    AppendRing(runs, InsetRect(frame, 2), colours.color);
    return runs;
}

namespace {

// Rows 2 x half + 1, 2 x half - 1, ... 1 pixels wide, centred on column centre, from row
// y0 down; pointing up, the single pixel is on top.
void AppendArrow(ColouredRects& runs, int centre, int y0, int half, bool pointingUp, ColourWord colour)
{
    for (int row = 0; row <= half; ++row) {
        const int y = pointingUp ? y0 + half - row : y0 + row;
        runs.push_back({{centre - half + row, y, centre + half - row + 1, y + 1}, colour});
    }
}

}  // namespace

ColouredRects ComboArrowRuns(const PixelRect& drawnButton, bool listOpen, bool enabled, ColourWord colorArrow)
{
    // Half the widest row: 2 for the 11-pixel interior, rounded in proportion to it.
    const int half = (4 * (drawnButton.Width() - 2) + ComboButtonWidth) / (2 * ComboButtonWidth);
    const int centre = drawnButton.left + drawnButton.Width() / 2;
    const int y0 = drawnButton.top + drawnButton.Height() / 2 - half / 2;
    ColouredRects runs;
    if (enabled) {
        AppendArrow(runs, centre, y0, half, listOpen, colorArrow);
    } else {
        AppendArrow(runs, centre + 1, y0 + 1, half, listOpen, clWhite);
        AppendArrow(runs, centre, y0, half, listOpen, clGray);
    }
    return runs;
}

ColouredRects ComboButtonRuns(PixelSize size, bool listOpen, bool enabled, const FlatComboColours& colours,
                              int buttonWidth)
{
    const PixelRect button = ComboDrawnButtonRect(size, buttonWidth);
    ColouredRects runs;
    if (!button.IsEmpty())
        runs.push_back({button, colours.colorArrowBackground});
    AppendRing(runs, button, colours.colorBorder);
    const ColouredRects arrow = ComboArrowRuns(button, listOpen, enabled, colours.colorArrow);
    runs.insert(runs.end(), arrow.begin(), arrow.end());
    return runs;
}

PixelRect ComboBackgroundRect(const PixelRect& updateArea, PixelSize size, int buttonWidth)
{
    PixelRect fill = updateArea;
    fill.right = std::min(fill.right, InsetRect(ComboFrameRect(size, buttonWidth), 3).right);
    return fill;
}

int ComboPlatformPaintRight(PixelSize size, int scrollBarWidth) { return size.width - (scrollBarWidth + 2); }

PixelRect ComboCloseUpRect(PixelSize size, int buttonWidth)
{
    PixelRect rect = ComboButtonRect(size, buttonWidth);
    rect.left -= 2;
    return rect;
}

PixelSize ComboEditFieldSize(int clientWidth, int height, int buttonWidth)
{
    return {clientWidth - buttonWidth - 8, height - 6};
}
