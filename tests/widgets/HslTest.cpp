#include "widgets/paint/FlatUtilities.h"
#include "widgets/paint/HSLUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct KnownColour {
    ColourWord rgb;
    HslScaled hsl;
};

// Values worked out in exact fractions from the standard conversion.
const KnownColour knownColours[] = {
    {RgbWord(160, 150, 131), {26, 32, 137}},    // the form's highlight and the default border
    {RgbWord(217, 214, 197), {34, 50, 195}},    // the default ColorDown
    {RgbWord(162, 154, 130), {30, 35, 137}},    // the strips' inactive text
    {RgbWord(255, 0, 0), {0, 240, 120}},
    {RgbWord(255, 0, 1), {239, 240, 120}},      // just short of a full turn
    {RgbWord(0, 0, 255), {159, 240, 120}},
    {RgbWord(0, 128, 128), {120, 240, 60}},
    {RgbWord(128, 128, 128), {0, 0, 120}},
    {RgbWord(0, 0, 0), {0, 0, 0}},
    {RgbWord(255, 255, 255), {0, 0, 240}},
    {RgbWord(239, 15, 0), {2, 240, 112}},       // hue 2.5 rounds to even 2
    {RgbWord(239, 75, 0), {12, 240, 112}},      // hue 12.5 rounds to even 12
    {RgbWord(239, 45, 0), {8, 240, 112}},       // hue 7.5 rounds to even 8
};

void ExpectHsl(const HslScaled& actual, const HslScaled& expected)
{
    EXPECT_EQ(actual.hue, expected.hue);
    EXPECT_EQ(actual.saturation, expected.saturation);
    EXPECT_EQ(actual.lightness, expected.lightness);
}

}  // namespace

TEST(Hsl, KnownColoursBothWays)
{
    for (const KnownColour& known : knownColours) {
        SCOPED_TRACE(testing::Message() << "0x" << std::hex << known.rgb);
        ExpectHsl(RgbToHslScaled(known.rgb), known.hsl);
    }
    // The inverse, channel ties included: 127.5 -> 128, 76.5 -> 76, 144.5 -> 144, 110.5 -> 110.
    EXPECT_EQ(HslScaledToRgb({26, 32, 137}), RgbWord(160, 150, 131));
    EXPECT_EQ(HslScaledToRgb({34, 50, 195}), RgbWord(217, 214, 197));
    EXPECT_EQ(HslScaledToRgb({80, 240, 120}), RgbWord(0, 255, 2));
    EXPECT_EQ(HslScaledToRgb({120, 240, 60}), RgbWord(0, 126, 128));
    EXPECT_EQ(HslScaledToRgb({0, 0, 120}), RgbWord(128, 128, 128));
    EXPECT_EQ(HslScaledToRgb({0, 240, 60}), RgbWord(128, 0, 0));
    EXPECT_EQ(HslScaledToRgb({0, 24, 80}), RgbWord(94, 76, 76));
    EXPECT_EQ(HslScaledToRgb({0, 32, 120}), RgbWord(144, 110, 110));
    EXPECT_EQ(HslScaledToRgb({159, 240, 120}), RgbWord(0, 2, 255));
}

TEST(Hsl, RoundTripsStayWithinTheScalesQuantisation)
{
    // The form's colours and the primaries come back exactly; any colour within 3 per channel.
    for (ColourWord rgb : {RgbWord(160, 150, 131), RgbWord(217, 214, 197), RgbWord(162, 154, 130),
                           RgbWord(255, 0, 0), RgbWord(0, 0, 0), RgbWord(255, 255, 255)})
        EXPECT_EQ(HslScaledToRgb(RgbToHslScaled(rgb)), rgb) << std::hex << rgb;
    for (int red = 0; red < 256; red += 15)
        for (int green = 0; green < 256; green += 15)
            for (int blue = 0; blue < 256; blue += 15) {
                const ColourWord back = HslScaledToRgb(RgbToHslScaled(RgbWord(red, green, blue)));
                ASSERT_LE(std::abs(RedOf(back) - red), 3) << red << " " << green << " " << blue;
                ASSERT_LE(std::abs(GreenOf(back) - green), 3) << red << " " << green << " " << blue;
                ASSERT_LE(std::abs(BlueOf(back) - blue), 3) << red << " " << green << " " << blue;
            }
    // HSL values that are themselves results of the conversion come back unchanged (but
    // hue 239, a full turn, which comes back as 0).
    for (const KnownColour& known : knownColours)
        if (known.hsl.hue != HueScale)
            ExpectHsl(RgbToHslScaled(HslScaledToRgb(RgbToHslScaled(known.rgb))), known.hsl);
}

TEST(Hsl, OutOfScaleValuesAreClamped)
{
    EXPECT_EQ(HslScaledToRgb({0, 0, 260}), clWhite);
    EXPECT_EQ(HslScaledToRgb({0, 0, -5}), clBlack);
    EXPECT_EQ(HslScaledToRgb({-40, 400, 120}), RgbWord(255, 0, 0));
    EXPECT_EQ(HslScaledToRgb({300, 240, 120}), HslScaledToRgb({239, 240, 120}));
}

TEST(ShadeFromParent, LightnessPlusTenMovedAndCapped)
{
    const ColourWord current = 0x123456;
    EXPECT_EQ(ShadeFromParent(RgbWord(160, 150, 131), current, 0, true), current);
    EXPECT_EQ(ShadeFromParent(RgbWord(160, 150, 131), current, 0, false), current);
    // Darker by 10 cancels the +10: lightness 137 again.
    EXPECT_EQ(ShadeFromParent(RgbWord(160, 150, 131), current, 10, true), RgbWord(160, 150, 131));
    EXPECT_EQ(ShadeFromParent(RgbWord(160, 150, 131), current, 50, true), RgbWord(117, 107, 89));
    EXPECT_EQ(ShadeFromParent(RgbWord(0, 0, 0), current, 50, true), clBlack);   // not below 0
    EXPECT_EQ(ShadeFromParent(RgbWord(0, 0, 0), current, 10, false), RgbWord(21, 21, 21));   // 0 + 10 + 10
    EXPECT_EQ(ShadeFromParent(RgbWord(0, 128, 128), current, 10, false), RgbWord(0, 168, 170));
    // Lighter never passes lightness 100, so a light parent comes out darker.
    EXPECT_EQ(ShadeFromParent(RgbWord(217, 214, 197), current, 10, false), RgbWord(128, 122, 84));
    EXPECT_EQ(ShadeFromParent(clWhite, current, 10, false), RgbWord(106, 106, 106));
    EXPECT_EQ(ShadeFromParent(RgbWord(0, 128, 128), current, 100, false), RgbWord(0, 210, 212));
    // Darker by less than 10 of a very light colour passes 240 and is held at white.
    EXPECT_EQ(ShadeFromParent(clWhite, current, 5, true), clWhite);
}
