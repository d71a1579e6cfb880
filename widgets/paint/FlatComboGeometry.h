#pragma once
// The flat combo box's frame, drop-down button and arrow as pixel runs, and the rectangles
// its painting and invalidation use. W x H is the control's size; it has no non-client
// area, so window and client coordinates are the same. B is the width of the drop-down
// button's interior, ComboButtonWidth at 96 dots per inch and scaled with the form.
#include "widgets/paint/ColourWords.h"
#include "widgets/paint/PixelGeometry.h"

// ButtonWidth: the width of the drop-down button's interior.
constexpr int ComboButtonWidth = 11;

struct FlatComboColours {
    ColourWord color = clWindow;                 // face: text field, inner rings, list
    ColourWord colorArrow = clBlack;
    ColourWord colorArrowBackground = FlatPressedColour;
    ColourWord colorBorder = FlatFrameColour;
};

// The frame's rectangle, (0, 0, W - B - 1, H).
PixelRect ComboFrameRect(PixelSize size, int buttonWidth = ComboButtonWidth);

// ButtonRect, (W - B - 1, 0, W - 1, H): whether a paint touches the button, and
// invalidation.
PixelRect ComboButtonRect(PixelSize size, int buttonWidth = ComboButtonWidth);

// The button as drawn, ButtonRect widened by 1 on both sides: (W - B - 2, 0, W, H).
PixelRect ComboDrawnButtonRect(PixelSize size, int buttonWidth = ComboButtonWidth);

// PaintFrame: the outline in colorBorder, then rings in color at insets 1 and 2.
ColouredRects ComboFrameRuns(PixelSize size, const FlatComboColours& colours, int buttonWidth = ComboButtonWidth);

// The arrow's rows inside the drawn button, pointing down while the list is closed, up
// while open: 5, 3 and 1 pixels for the 13-pixel button of 96 dots per inch, two pixels
// wider and one row more for every 5.5 pixels more of button. In colorArrow, or disabled
// a clWhite copy shifted by (1, 1) under the same arrow in clGray.
ColouredRects ComboArrowRuns(const PixelRect& drawnButton, bool listOpen, bool enabled, ColourWord colorArrow);

// PaintButton: the drawn button filled in colorArrowBackground, its ring in colorBorder,
// then the arrow.
ColouredRects ComboButtonRuns(PixelSize size, bool listOpen, bool enabled, const FlatComboColours& colours,
                              int buttonWidth = ComboButtonWidth);

// What a paint fills with color first: the update area with its right side cut back to
// where the inner rings begin (at most W - B - 4).
PixelRect ComboBackgroundRect(const PixelRect& updateArea, PixelSize size, int buttonWidth = ComboButtonWidth);

// How far right the platform's own painting may reach: W - (scroll-bar width + 2), which
// keeps its drop-down button out of sight.
int ComboPlatformPaintRight(PixelSize size, int scrollBarWidth);

// What closing the list invalidates: ButtonRect widened by 2 to the left.
PixelRect ComboCloseUpRect(PixelSize size, int buttonWidth = ComboButtonWidth);

// The text field's size for a control of that client width and height.
PixelSize ComboEditFieldSize(int clientWidth, int height, int buttonWidth = ComboButtonWidth);
