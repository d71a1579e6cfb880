#include "tests/widgets/PixelCanvas.h"
#include "widgets/paint/FlatComboGeometry.h"
#include "widgets/paint/FlatMemoGeometry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr PixelSize Selector{217, 21};
constexpr ColourWord Border = 0x8396A0;
constexpr ColourWord Face = 0x00FFEE;           // stands for the resolved clWindow
constexpr ColourWord ArrowBackground = 0xC5D6D9;

FlatComboColours SelectorColours()
{
    FlatComboColours colours;
    colours.color = Face;
    return colours;
}

// The selector painted as its paint sequence ends: frame, then button.
PixelCanvas PaintSelector(bool listOpen, bool enabled)
{
    PixelCanvas canvas(Selector.width, Selector.height);
    canvas.Paint(ComboFrameRuns(Selector, SelectorColours()));
    canvas.Paint(ComboButtonRuns(Selector, listOpen, enabled, SelectorColours()));
    return canvas;
}

}  // namespace

TEST(FlatCombo, FrameAndButtonOfTheSelector)
{
    const PixelCanvas canvas = PaintSelector(false, true);
    EXPECT_EQ(canvas.ClippedPixels(), 0);
    // One outline round the field and the button, a single dividing line at x 204.
    EXPECT_TRUE(canvas.Row(0, 0, 216, Border));
    EXPECT_TRUE(canvas.Row(20, 0, 216, Border));
    for (int x : {0, 204, 216})
        EXPECT_TRUE(canvas.Column(x, 0, 20, Border)) << x;
    // Face rings at insets 1 and 2 of (0, 0, 205, 21); the field inside is left to the platform.
    for (int inset : {1, 2}) {
        EXPECT_TRUE(canvas.Row(inset, inset, 204 - inset, Face)) << inset;
        EXPECT_TRUE(canvas.Row(20 - inset, inset, 204 - inset, Face)) << inset;
        EXPECT_TRUE(canvas.Column(inset, inset, 20 - inset, Face)) << inset;
        EXPECT_TRUE(canvas.Column(204 - inset, inset, 20 - inset, Face)) << inset;
    }
    EXPECT_EQ(canvas.At(3, 3), PixelCanvas::Unpainted);
    EXPECT_EQ(canvas.At(201, 17), PixelCanvas::Unpainted);
    // Button interior x 205..215, y 1..19, but for the arrow.
    EXPECT_TRUE(canvas.Block(205, 1, 215, 8, ArrowBackground));
    EXPECT_TRUE(canvas.Block(205, 12, 215, 19, ArrowBackground));
}

TEST(FlatCombo, ArrowRowsClosedOpenAndDisabled)
{
    const PixelCanvas closed = PaintSelector(false, true);
    EXPECT_TRUE(closed.Row(9, 208, 212, clBlack));
    EXPECT_TRUE(closed.Row(10, 209, 211, clBlack));
    EXPECT_TRUE(closed.Row(11, 210, 210, clBlack));
    EXPECT_TRUE(closed.Row(10, 208, 208, ArrowBackground));
    EXPECT_TRUE(closed.Row(10, 212, 212, ArrowBackground));
    EXPECT_TRUE(closed.Row(11, 209, 209, ArrowBackground));
    EXPECT_TRUE(closed.Row(11, 211, 211, ArrowBackground));
    EXPECT_TRUE(closed.Row(12, 205, 215, ArrowBackground));
    EXPECT_TRUE(closed.Row(8, 205, 215, ArrowBackground));

    const PixelCanvas open = PaintSelector(true, true);
    EXPECT_TRUE(open.Row(9, 210, 210, clBlack));
    EXPECT_TRUE(open.Row(9, 209, 209, ArrowBackground));
    EXPECT_TRUE(open.Row(10, 209, 211, clBlack));
    EXPECT_TRUE(open.Row(11, 208, 212, clBlack));
    EXPECT_TRUE(open.Row(12, 205, 215, ArrowBackground));

    // Disabled: the white copy shows below and right of the grey arrow drawn over it.
    const PixelCanvas disabled = PaintSelector(false, false);
    EXPECT_TRUE(disabled.Row(9, 208, 212, clGray));
    EXPECT_TRUE(disabled.Row(10, 209, 211, clGray));
    EXPECT_TRUE(disabled.Row(10, 212, 213, clWhite));
    EXPECT_TRUE(disabled.Row(11, 210, 210, clGray));
    EXPECT_TRUE(disabled.Row(11, 211, 212, clWhite));
    EXPECT_TRUE(disabled.Row(12, 211, 211, clWhite));
    EXPECT_TRUE(disabled.Row(12, 210, 210, ArrowBackground));
    EXPECT_TRUE(disabled.Row(12, 212, 212, ArrowBackground));
    EXPECT_TRUE(disabled.Row(10, 208, 208, ArrowBackground));
}

// The selector on screens of more dots per inch (the form's scale 16/13, 20/13 and 26/13):
// a wider button with a larger arrow, centred, the frame and the text field giving way.
TEST(FlatCombo, ScaledSelectorWidensItsButtonAndArrow)
{
    const struct {
        PixelSize size;
        int buttonWidth;
        std::vector<int> rows;   // the arrow's row widths, top first, closed
    } scales[] = {{{267, 26}, 14, {7, 5, 3, 1}}, {{334, 32}, 17, {7, 5, 3, 1}}, {{434, 42}, 22, {9, 7, 5, 3, 1}}};
    for (const auto& scale : scales) {
        SCOPED_TRACE(scale.buttonWidth);
        const PixelRect button = ComboDrawnButtonRect(scale.size, scale.buttonWidth);
        EXPECT_EQ(button, (PixelRect{scale.size.width - scale.buttonWidth - 2, 0, scale.size.width, scale.size.height}));
        EXPECT_EQ(ComboFrameRect(scale.size, scale.buttonWidth).right, button.left + 1);
        EXPECT_EQ(ComboEditFieldSize(scale.size.width, scale.size.height, scale.buttonWidth).width,
                  scale.size.width - scale.buttonWidth - 8);

        PixelCanvas canvas(scale.size.width, scale.size.height);
        canvas.Paint(ComboButtonRuns(scale.size, false, true, SelectorColours(), scale.buttonWidth));
        EXPECT_EQ(canvas.ClippedPixels(), 0);
        const PixelRect arrow = canvas.BoundingBox(clBlack);
        ASSERT_EQ(arrow.Height(), static_cast<int>(scale.rows.size()));
        for (std::size_t row = 0; row < scale.rows.size(); ++row)
            EXPECT_EQ(canvas.Count(clBlack, arrow.top + static_cast<int>(row)), scale.rows[row]) << row;
        // Centred: as much button left and right of the widest row, about as much above and below.
        EXPECT_LE(std::abs((arrow.left - button.left) - (button.right - arrow.right)), 1);
        EXPECT_LE(std::abs((arrow.top - button.top) - (button.bottom - arrow.bottom)), 2);
    }
}

TEST(FlatCombo, PaintingAndInvalidationRectangles)
{
    EXPECT_EQ(ComboButtonRect(Selector), (PixelRect{205, 0, 216, 21}));
    EXPECT_EQ(ComboCloseUpRect(Selector), (PixelRect{203, 0, 216, 21}));
    // The first fill stops where the inner rings begin, whatever the update area.
    EXPECT_EQ(ComboBackgroundRect({0, 0, 217, 21}, Selector), (PixelRect{0, 0, 202, 21}));
    EXPECT_EQ(ComboBackgroundRect({10, 2, 50, 9}, Selector), (PixelRect{10, 2, 50, 9}));
    EXPECT_TRUE(ComboBackgroundRect({205, 0, 217, 21}, Selector).IsEmpty());
    // Whether an update area reaches the button.
    EXPECT_TRUE(RectsMeet({0, 0, 206, 5}, ComboButtonRect(Selector)));
    EXPECT_FALSE(RectsMeet({0, 0, 205, 21}, ComboButtonRect(Selector)));
    EXPECT_FALSE(RectsMeet({216, 0, 217, 21}, ComboButtonRect(Selector)));
    // The platform's painting stops short of its own button; the text field reaches the frame.
    EXPECT_EQ(ComboPlatformPaintRight(Selector, 16), 199);
    EXPECT_EQ(ComboPlatformPaintRight(Selector, 17), 198);
    const PixelSize field = ComboEditFieldSize(217, 21);
    EXPECT_EQ(field.width, 198);
    EXPECT_EQ(field.height, 15);
}

TEST(FlatMemo, FrameOfTheReportPane)
{
    const PixelSize pane{393, 193};
    constexpr ColourWord State = 0x000001;
    PixelCanvas canvas(pane.width, pane.height);
    canvas.Paint(MemoFrameRuns(pane, Border, State, false));
    EXPECT_EQ(canvas.ClippedPixels(), 0);
    EXPECT_TRUE(canvas.Row(0, 0, 392, Border));
    EXPECT_TRUE(canvas.Row(192, 0, 392, Border));
    EXPECT_TRUE(canvas.Column(0, 0, 192, Border));
    EXPECT_TRUE(canvas.Column(392, 0, 192, Border));
    for (int inset : {1, 2}) {
        EXPECT_TRUE(canvas.Row(inset, inset, 392 - inset, State));
        EXPECT_TRUE(canvas.Row(192 - inset, inset, 392 - inset, State));
        EXPECT_TRUE(canvas.Column(inset, inset, 192 - inset, State));
        EXPECT_TRUE(canvas.Column(392 - inset, inset, 192 - inset, State));
    }
    EXPECT_EQ(canvas.At(3, 3), PixelCanvas::Unpainted);
    EXPECT_EQ(canvas.At(389, 189), PixelCanvas::Unpainted);   // no square with one scroll bar

    // The platform keeps 16 pixels for the scroll bar; the text then goes 3 pixels in:
    // x 3..373, y 3..189, and the scroll bar stands at x 374..389 inside the frame.
    const PixelRect text = MemoClientRect({0, 0, 393 - 16, 193});
    EXPECT_EQ(text, (PixelRect{3, 3, 374, 190}));
    EXPECT_EQ(text.Width(), 371);
    EXPECT_EQ(text.Height(), 187);

    // A window too small for the frame gets an empty client area, not an inverted one.
    const PixelRect tiny = MemoClientRect({0, 0, 4, 7});
    EXPECT_EQ(tiny, (PixelRect{3, 3, 3, 4}));
    EXPECT_TRUE(tiny.IsEmpty());
}

TEST(FlatMemo, SquareBetweenTwoScrollBars)
{
    const PixelSize pane{393, 193};
    constexpr ColourWord State = 0x000002;
    EXPECT_EQ(MemoScrollCornerRect(pane), (PixelRect{374, 174, 390, 190}));
    PixelCanvas canvas(pane.width, pane.height);
    canvas.Paint(MemoFrameRuns(pane, Border, State, true));
    EXPECT_TRUE(canvas.Block(374, 174, 389, 189, State));
    EXPECT_EQ(canvas.At(373, 180), PixelCanvas::Unpainted);
    EXPECT_EQ(canvas.At(380, 173), PixelCanvas::Unpainted);
}

TEST(FlatMemo, HighlightedLook)
{
    // focus, mouse inside, the active control a flat memo
    EXPECT_FALSE(MemoHighlighted(false, false, false));
    EXPECT_TRUE(MemoHighlighted(true, false, false));
    EXPECT_TRUE(MemoHighlighted(true, false, true));
    EXPECT_TRUE(MemoHighlighted(false, true, false));
    EXPECT_FALSE(MemoHighlighted(false, true, true));
}
