#include "tests/widgets/PixelCanvas.h"
#include "widgets/paint/CaptionStrip.h"
#include "widgets/paint/FitTextToWidth.h"
#include "widgets/paint/GradientBands.h"
#include "widgets/paint/TitlebarText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr ColourWord Teal = RgbWord(0, 128, 128);
constexpr ColourWord Navy = RgbWord(0, 0, 128);

// The bands a caption strip of that size is painted with: a gradient over the rectangle
// that starts a quarter of the strip's width left of it.
ColouredRects StripBands(PixelSize strip, int steps)
{
    return GradientBands(CaptionGradientRect(strip), Teal, Navy, GradientDirection::LeftToRight, steps);
}

PixelCanvas PaintStrip(PixelSize strip, int steps)
{
    PixelCanvas canvas(strip.width, strip.height);
    canvas.Paint(StripBands(strip, steps));
    return canvas;
}

}  // namespace

TEST(CaptionGradient, ThreeHundredPixelsInAHundredSteps)
{
    // The gradient runs from -75 to 300: 100 bands of 3 and a remainder of 75.
    const ColouredRects bands = StripBands({300, 15}, 100);
    ASSERT_EQ(bands.size(), 101u);
    EXPECT_EQ(bands.front().rect, (PixelRect{-75, 0, -72, 15}));
    EXPECT_EQ(bands.front().colour, Teal);

    const PixelCanvas canvas = PaintStrip({300, 15}, 100);
    EXPECT_EQ(canvas.ClippedPixels(), 75 * 15);
    EXPECT_TRUE(canvas.Row(7, 0, 2, RgbWord(0, 96, 128)));     // band 25
    EXPECT_EQ(canvas.At(3, 7), RgbWord(0, 94, 128));           // band 26
    EXPECT_TRUE(canvas.Row(0, 75, 77, RgbWord(0, 63, 128)));   // band 50
    EXPECT_TRUE(canvas.Row(14, 150, 152, RgbWord(0, 31, 128)));  // band 75
    EXPECT_TRUE(canvas.Row(7, 222, 224, Navy));                // band 99
    EXPECT_EQ(canvas.At(221, 7), RgbWord(0, 1, 128));          // band 98
    EXPECT_TRUE(canvas.Block(225, 0, 299, 14, Navy));          // remainder
}

TEST(CaptionGradient, NarrowStrips)
{
    // 60 pixels: the gradient is 75 wide, so 75 bands of 1 and no remainder.
    const ColouredRects bands = StripBands({60, 15}, 100);
    ASSERT_EQ(bands.size(), 75u);
    const PixelCanvas sixty = PaintStrip({60, 15}, 100);
    EXPECT_EQ(sixty.At(0, 0), RgbWord(0, 102, 128));   // band 15 of 75
    EXPECT_EQ(sixty.At(59, 0), Navy);
    EXPECT_EQ(sixty.At(58, 0), RgbWord(0, 2, 128));

    // 1 pixel: band size 0, so no band; the remainder is the end colour.
    const ColouredRects one = StripBands({1, 15}, 100);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].rect, (PixelRect{0, 0, 1, 15}));
    EXPECT_EQ(one[0].colour, Navy);

    EXPECT_TRUE(StripBands({0, 15}, 100).empty());
}

TEST(CaptionGradient, FewAndManySteps)
{
    // Below 2 steps the whole gradient rectangle is the start colour.
    for (int steps : {1, 0, -5}) {
        const ColouredRects fill = StripBands({300, 15}, steps);
        ASSERT_EQ(fill.size(), 1u);
        EXPECT_EQ(fill[0].rect, (PixelRect{-75, 0, 300, 15}));
        EXPECT_EQ(fill[0].colour, Teal);
    }
    // 2 steps: two halves and the end colour for the odd pixel.
    const PixelCanvas two = PaintStrip({4, 1}, 2);   // gradient from -1 to 4
    EXPECT_EQ(two.At(0, 0), Teal);
    EXPECT_TRUE(two.Row(0, 1, 3, Navy));
    // More steps than pixels: one band per pixel.
    EXPECT_EQ(StripBands({40, 3}, 1000).size(), 50u);
}

TEST(CaptionGradient, ReversedAndVerticalDirections)
{
    const ColourWord red = RgbWord(200, 0, 0);
    const ColourWord blue = RgbWord(0, 0, 200);
    // Right to left over 10 pixels in 4 bands of 2: from the end colour on the left up to the
    // start colour, which also fills the remaining 2 pixels on the right.
    PixelCanvas reversed(10, 1);
    reversed.Paint(GradientBands({0, 0, 10, 1}, red, blue, GradientDirection::RightToLeft, 4));
    EXPECT_TRUE(reversed.Row(0, 0, 1, blue));
    EXPECT_TRUE(reversed.Row(0, 2, 3, RgbWord(67, 0, 133)));
    EXPECT_TRUE(reversed.Row(0, 4, 5, RgbWord(133, 0, 67)));
    EXPECT_TRUE(reversed.Row(0, 6, 9, red));
    // Top to bottom: bands are rows, the remainder at the bottom.
    PixelCanvas down(3, 7);
    down.Paint(GradientBands({0, 0, 3, 7}, red, blue, GradientDirection::TopToBottom, 3));
    EXPECT_TRUE(down.Row(0, 0, 2, red));
    EXPECT_TRUE(down.Row(1, 0, 2, red));
    EXPECT_TRUE(down.Row(2, 0, 2, RgbWord(100, 0, 100)));
    EXPECT_TRUE(down.Row(4, 0, 2, blue));
    EXPECT_TRUE(down.Row(6, 0, 2, blue));
    PixelCanvas up(1, 5);
    up.Paint(GradientBands({0, 0, 1, 5}, red, blue, GradientDirection::BottomToTop, 2));
    EXPECT_TRUE(up.Column(0, 0, 1, blue));
    EXPECT_TRUE(up.Column(0, 2, 4, red));
}

TEST(CaptionStrip, ToolWindowAndOtherBorderStyles)
{
    CaptionMetrics m;   // Wine's at 96 dpi
    m.cxDlgFrame = m.cyDlgFrame = 3;
    m.cxFrame = m.cyFrame = 4;
    m.cyCaption = 19;
    m.cySmCaption = 16;
    m.cxSize = 18;
    m.cxSmSize = 15;
    m.cySize = 18;
    m.cySmSize = 15;
    const PixelRect window{210, 113, 625, 451};
    auto strip = [&](FormBorderStyle style, BorderIcons icons = {}) {
        return GetCaptionStripRect(window, style, icons, m);
    };
    using S = FormBorderStyle;

    // Form1: inside the dialog frame, 15 high, one small close button short of the frame.
    const CaptionStrip tool = strip(S::bsToolWindow);
    EXPECT_EQ(tool.rect, (PixelRect{213, 116, 622 - 15, 131}));
    EXPECT_EQ(tool.buttonCount, 1);
    EXPECT_FALSE(tool.buttons.minimize || tool.buttons.maximize || tool.buttons.help);
    EXPECT_EQ(strip(S::bsSizeToolWin).rect, (PixelRect{214, 117, 621 - 15, 132}));
    EXPECT_EQ(strip(S::bsToolWindow, {false, true, true, true}).buttonCount, 0);

    // Close, minimise and maximise: full-size caption and buttons.
    EXPECT_EQ(strip(S::bsSingle).rect, (PixelRect{213, 116, 622 - 3 * 18, 134}));
    EXPECT_EQ(strip(S::bsSizeable).rect, (PixelRect{214, 117, 621 - 3 * 18, 135}));
    EXPECT_EQ(strip(S::bsNone).rect, (PixelRect{210, 113, 625 - 3 * 18, 131}));
    // One of minimise and maximise shows both buttons; help goes while either remains.
    const CaptionStrip oneOfTwo = strip(S::bsSizeable, {true, false, true, true});
    EXPECT_FALSE(oneOfTwo.buttons.help);
    EXPECT_EQ(oneOfTwo.buttonCount, 3);
    EXPECT_EQ(strip(S::bsSingle, {true, false, false, false}).buttonCount, 1);
    // Without a system menu no minimise or maximise, but help stays.
    const CaptionStrip noMenu = strip(S::bsSingle, {false, true, true, true});
    EXPECT_FALSE(noMenu.buttons.minimize || noMenu.buttons.maximize);
    EXPECT_EQ(noMenu.buttonCount, 1);
    // A dialog keeps close and help only.
    EXPECT_EQ(strip(S::bsDialog).buttonCount, 1);
    EXPECT_EQ(strip(S::bsDialog, {true, true, true, true}).rect.right, 622 - 2 * 18);

    // The close box: the last button's place less 2 pixels on each side, 4 in height, 2
    // below the strip's top; none without a system menu.
    EXPECT_EQ(CaptionCloseBoxRect(tool, S::bsToolWindow, m), (PixelRect{622 - 15, 118, 620, 129}));
    EXPECT_EQ(CaptionCloseBoxRect(strip(S::bsSingle), S::bsSingle, m), (PixelRect{622 - 18, 118, 620, 132}));
    EXPECT_TRUE(CaptionCloseBoxRect(noMenu, S::bsSingle, m).IsEmpty());
}

TEST(FitTextToWidth, CandidatesDownToTheEllipsis)
{
    std::vector<std::string> measured;
    auto fiveEach = [&measured](const std::string& s) {
        measured.push_back(s);
        return static_cast<int>(s.size()) * 5;
    };
    EXPECT_EQ(FitTextToWidth("ABCDEFGHIJ", 50, fiveEach), "ABCDEFGHIJ");
    measured.clear();
    // The first shortened form drops the last 2 characters; then one more each time.
    EXPECT_EQ(FitTextToWidth("ABCDEFGHIJ", 49, fiveEach), "ABCDEF...");
    EXPECT_EQ(measured, (std::vector<std::string>{"ABCDEFGHIJ", "ABCDEFGH...", "ABCDEFG...", "ABCDEF..."}));
    // Nothing longer fits: "..." even when it is too wide itself.
    EXPECT_EQ(FitTextToWidth("ABCDEFGHIJ", 16, fiveEach), "...");
    EXPECT_EQ(FitTextToWidth("ABCDEFGHIJ", 3, fiveEach), "...");
    EXPECT_EQ(FitTextToWidth("A", 4, fiveEach), "...");
    EXPECT_EQ(FitTextToWidth("", -10, fiveEach), "");
}

TEST(TitlebarText, OriginHalvesStripAndTextSeparately)
{
    // 177 x 19 strip, text 160 x 13: 88 - 80, 9 - 6.
    EXPECT_EQ(TitlebarTextOrigin({177, 19}, {160, 13}).x, 8);
    EXPECT_EQ(TitlebarTextOrigin({177, 19}, {160, 13}).y, 3);
    EXPECT_EQ(TitlebarTextOrigin({177, 19}, {161, 13}).x, 8);
    EXPECT_EQ(TitlebarTextOrigin({100, 19}, {59, 13}).x, 21);
    // Wider than the strip: starts left of it, to be clipped on both sides.
    EXPECT_EQ(TitlebarTextOrigin({100, 19}, {121, 13}).x, -10);
}
