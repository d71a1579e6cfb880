#pragma once
// RGB to HSL and back, with hue on 0..239 and saturation and lightness on 0..240.
#include "widgets/paint/ColourWords.h"

constexpr int HueScale = 239;
constexpr int HslScale = 240;

struct HslScaled {
    int hue = 0, saturation = 0, lightness = 0;
};

// The HSL of an RGB word (system colours resolved by the caller); each value rounded to
// nearest, ties to even.
HslScaled RgbToHslScaled(ColourWord rgb);

// The RGB word of a scaled HSL triple, channels rounded to nearest, ties to even; values
// outside their scales are first clamped to them.
ColourWord HslScaledToRgb(HslScaled hsl);
