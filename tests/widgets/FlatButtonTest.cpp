#include "tests/widgets/PixelCanvas.h"
#include "widgets/paint/CaptionAccelerator.h"
#include "widgets/paint/FlatButtonFace.h"
#include "widgets/paint/FlatUtilities.h"

#include <gtest/gtest.h>

namespace {

constexpr ColourWord TopLeft = 0x8396A0;   // the form's ColorHighLight
constexpr ColourWord BottomRight = 0x000001;

FaceLayout Layout(PixelSize client, PixelSize caption, PixelPoint offset = {})
{
    return LayoutFace(client, offset, caption, {}, ButtonLayout::blGlyphTop, -1, 4);
}

}  // namespace

TEST(Bevel, RingOfAButtonPixelByPixel)
{
    PixelCanvas canvas(105, 25);
    canvas.Paint(BevelRuns({0, 0, 105, 25}, TopLeft, BottomRight, 1));
    EXPECT_EQ(canvas.ClippedPixels(), 0);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 105; ++x) {
            ColourWord expected = PixelCanvas::Unpainted;
            if ((y == 0 && x <= 103) || (x == 0 && y <= 23))
                expected = TopLeft;
            if (x == 104 || y == 24)   // so the top-right and bottom-left corners too
                expected = BottomRight;
            ASSERT_EQ(canvas.At(x, y), expected) << "at (" << x << ", " << y << ")";
        }
}

TEST(Bevel, NestedRingsAndDegenerateRectangles)
{
    PixelCanvas canvas(130, 50);
    canvas.Paint(BevelRuns({10, 20, 115, 45}, TopLeft, BottomRight, 2));
    EXPECT_TRUE(canvas.Row(21, 11, 112, TopLeft));
    EXPECT_TRUE(canvas.Column(11, 21, 42, TopLeft));
    EXPECT_TRUE(canvas.Column(113, 21, 43, BottomRight));
    EXPECT_TRUE(canvas.Row(43, 11, 113, BottomRight));
    EXPECT_EQ(canvas.At(12, 22), PixelCanvas::Unpainted);
    EXPECT_EQ(canvas.At(115, 45), PixelCanvas::Unpainted);

    // Rings wider than the rectangle fill it and stop; a single row is all bottom-right.
    for (const PixelRect r : {PixelRect{0, 0, 5, 4}, PixelRect{0, 0, 7, 1}, PixelRect{3, 3, 2, 2}}) {
        PixelCanvas small(8, 8);
        small.Paint(BevelRuns(r, TopLeft, BottomRight, 9));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(small.At(x, y) != PixelCanvas::Unpainted, r.Contains(x, y)) << x << ", " << y;
    }
    PixelCanvas row(8, 1);
    row.Paint(BevelRuns({0, 0, 7, 1}, TopLeft, BottomRight, 1));
    EXPECT_TRUE(row.Row(0, 0, 6, BottomRight));
}

TEST(LayoutFace, CaptionCentredByTheRoundedUpHalf)
{
    // An odd surplus rounds up: (105 - 54 + 1) div 2 = 26; (25 - 13 + 1) div 2 = 6.
    EXPECT_EQ(Layout({105, 25}, {54, 13}).captionRect, (PixelRect{26, 6, 80, 19}));
    // An even surplus halves exactly: (105 - 55 + 1) div 2 = 25; (24 - 13 + 1) div 2 = 6.
    EXPECT_EQ(Layout({105, 24}, {55, 13}).captionRect, (PixelRect{25, 6, 80, 19}));
    // Pressed: moved (1, 1).
    EXPECT_EQ(Layout({105, 25}, {54, 13}, FaceOffset(FaceState::Pressed)).captionRect, (PixelRect{27, 7, 81, 20}));
    EXPECT_EQ(FaceOffset(FaceState::Latched).y, 1);
    EXPECT_EQ(FaceOffset(FaceState::Disabled).x, 0);
    EXPECT_TRUE(Layout({105, 25}, {0, 0}).captionRect.IsEmpty());
    // Wider than the button: div truncates toward zero, so 108 starts at -1 but 107 at 0.
    EXPECT_EQ(Layout({105, 25}, {108, 13}).captionRect.left, -1);
    EXPECT_EQ(Layout({105, 25}, {107, 13}).captionRect.left, 0);
    // Margin and spacing play no part without an image.
    EXPECT_EQ(LayoutFace({105, 25}, {}, {54, 13}, {}, ButtonLayout::blGlyphLeft, 7, 30).captionRect.left, 26);
}

TEST(LayoutFace, ImageBesideTheCaption)
{
    const PixelSize button{100, 40}, caption{30, 13}, image{16, 16};
    // Centred pair 16 + 4 + 30 = 50 wide: image at 25, caption at 45; each centred across.
    const FaceLayout left = LayoutFace(button, {}, caption, image, ButtonLayout::blGlyphLeft, -1, 4);
    EXPECT_EQ(left.glyphOrigin.x, 25);
    EXPECT_EQ(left.glyphOrigin.y, 12);
    EXPECT_EQ(left.captionRect, (PixelRect{45, 14, 75, 27}));
    // Image on the right, 3 from its side, 2 from the caption, then offset.
    const FaceLayout right = LayoutFace(button, {1, 1}, caption, image, ButtonLayout::blGlyphRight, 3, 2);
    EXPECT_EQ(right.glyphOrigin.x, 100 - 3 - 16 + 1);
    EXPECT_EQ(right.captionRect.left, 100 - 3 - 16 - 2 - 30 + 1);
    // Stacked: 16 + 4 + 13 = 33 in 40, image on top at 4, caption at 24.
    const FaceLayout top = LayoutFace(button, {}, caption, image, ButtonLayout::blGlyphTop, -1, 4);
    EXPECT_EQ(top.glyphOrigin.y, 4);
    EXPECT_EQ(top.captionRect.top, 24);
    const FaceLayout bottom = LayoutFace(button, {}, caption, image, ButtonLayout::blGlyphBottom, 2, 4);
    EXPECT_EQ(bottom.glyphOrigin.y, 40 - 2 - 16);
    EXPECT_EQ(bottom.captionRect.bottom, 40 - 2 - 16 - 4);
    // An image alone is centred: no spacing without a caption.
    EXPECT_EQ(LayoutFace(button, {}, {}, image, ButtonLayout::blGlyphLeft, -1, 4).glyphOrigin.x, 42);
}

TEST(FaceTable, EveryRow)
{
    FlatButtonColours c;   // FlatButton6's colours, ColorFocused made distinct from the shadow
    c.color = clBtnText;
    c.colorFocused = 0x111111;
    c.colorDown = clMaroon;
    c.colorBorder = clGreen;
    c.colorHighLight = 0x8396A0;
    c.colorShadow = clBlack;
    c.fontColour = clWhite;
    const struct {
        FaceState state;
        bool hot, isDefault;
        ColourWord fill, topLeft, bottomRight;
        int width;
    } rows[] = {
        {FaceState::Up, false, false, clBtnText, clGreen, clGreen, 1},
        {FaceState::Up, false, true, clBtnText, clGreen, clGreen, 2},
        {FaceState::Up, true, false, 0x111111, 0x8396A0, clBlack, 1},
        {FaceState::Up, true, true, 0x111111, 0x8396A0, clBlack, 1},   // hot wins over Default
        {FaceState::Pressed, false, false, clMaroon, clBlack, 0x8396A0, 1},
        {FaceState::Pressed, true, true, clMaroon, clBlack, 0x8396A0, 1},
        {FaceState::Latched, false, false, clMaroon, clBlack, 0x8396A0, 1},
        {FaceState::Latched, true, false, 0x111111, clBlack, 0x8396A0, 1},
        {FaceState::Disabled, false, true, clBtnText, clGreen, clGreen, 1},
        {FaceState::Disabled, true, false, clBtnText, clGreen, clGreen, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "state " << static_cast<int>(row.state) << " hot " << row.hot
                                        << " default " << row.isDefault);
        const FaceLook look = FlatButtonFace(row.state, row.hot, row.isDefault, c);
        EXPECT_EQ(look.fill, row.fill);
        EXPECT_EQ(look.frameTopLeft, row.topLeft);
        EXPECT_EQ(look.frameBottomRight, row.bottomRight);
        EXPECT_EQ(look.frameWidth, row.width);
        const bool embossed = row.state == FaceState::Disabled;
        ASSERT_EQ(look.caption.size(), embossed ? 2u : 1u);
        // Embossed: the highlight moved (1, 1) under the shadow; else once in the font colour.
        EXPECT_EQ(look.caption.front().colour, embossed ? clBtnHighlight : clWhite);
        EXPECT_EQ(look.caption.front().shift.x, embossed ? 1 : 0);
        EXPECT_EQ(look.caption.front().shift.y, embossed ? 1 : 0);
        EXPECT_EQ(look.caption.back().colour, embossed ? clBtnShadow : clWhite);
        EXPECT_EQ(look.caption.back().shift.x, 0);
    }
    // "Información" keeps the default ColorDown.
    EXPECT_EQ(FlatButtonFace(FaceState::Pressed, true, false, FlatButtonColours()).fill, RgbWord(217, 214, 197));
}

TEST(FaceTable, StateNormalisationAndInsideRule)
{
    EXPECT_EQ(NormaliseFaceState(FaceState::Pressed, false, false, 0), FaceState::Disabled);
    EXPECT_EQ(NormaliseFaceState(FaceState::Disabled, true, true, 0), FaceState::Up);
    EXPECT_EQ(NormaliseFaceState(FaceState::Disabled, true, true, 3), FaceState::Latched);
    EXPECT_EQ(NormaliseFaceState(FaceState::Pressed, true, false, 0), FaceState::Pressed);
    // The row just below counts as inside, the column just right does not.
    EXPECT_TRUE(CountsAsInside({104, 25}, {105, 25}));
    EXPECT_FALSE(CountsAsInside({105, 10}, {105, 25}));
    EXPECT_FALSE(CountsAsInside({10, 26}, {105, 25}));
    EXPECT_FALSE(CountsAsInside({-1, 0}, {105, 25}));
}

TEST(CaptionAccelerator, MarksAndDoubledAmpersands)
{
    const DisplayedCaption shown = DisplayCaption("Sal && &pimienta");
    EXPECT_EQ(shown.text, "Sal & pimienta");
    EXPECT_EQ(shown.underline, 6);
    // "&&" marks nothing, "&&&x" draws "&" and marks x, only the first mark counts, and a
    // lone "&" at the end marks and draws nothing.
    EXPECT_EQ(DisplayCaption("A&&B").underline, -1);
    EXPECT_EQ(DisplayCaption("a&&&x").text, "a&x");
    EXPECT_EQ(CaptionAccelerator("a&&&x"), 'x');
    EXPECT_EQ(CaptionAccelerator("&uno &dos"), 'u');
    EXPECT_EQ(DisplayCaption("&uno &dos").text, "uno dos");
    EXPECT_EQ(DisplayCaption("Fin&").text, "Fin");
    EXPECT_EQ(CaptionAccelerator("Fin&"), '\0');
    EXPECT_EQ(CaptionAccelerator("Desinfectar"), '\0');
}

TEST(CaptionAccelerator, MatchedWithoutRegardToCase)
{
    EXPECT_TRUE(IsCaptionAccelerator("&Desinfectar", 'd'));
    EXPECT_TRUE(IsCaptionAccelerator("in&formaci\xF3n", 'F'));
    EXPECT_FALSE(IsCaptionAccelerator("&Desinfectar", 'e'));
    EXPECT_FALSE(IsCaptionAccelerator("A&&B", '&'));
    EXPECT_FALSE(IsCaptionAccelerator("Fin&", '\0'));
    // Windows-1252 letters: ó / Ó, š / Š, ÿ / Ÿ; the division sign has no capital.
    EXPECT_TRUE(IsCaptionAccelerator("Informaci&\xF3n", '\xD3'));
    EXPECT_TRUE(IsCaptionAccelerator("&\x9A", '\x8A'));
    EXPECT_TRUE(IsCaptionAccelerator("&\xFF", '\x9F'));
    EXPECT_FALSE(IsCaptionAccelerator("&\xF7", '\xD7'));
}
