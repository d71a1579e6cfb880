#pragma once
// A band gradient: a rectangle cut into equal bands of solid colours running from a start
// colour to an end colour.
#include "widgets/paint/ColourWords.h"
#include "widgets/paint/PixelGeometry.h"

enum class GradientDirection { LeftToRight, RightToLeft, TopToBottom, BottomToTop };

// The bands of FillGradientBands over r, in painting order. Nothing for an empty r; one
// fill in start for a count below 2; else max(2, min(count, extent)) bands of extent div
// bands pixels, band i in base + MulDiv(i, delta, bands - 1) per channel, and the
// remaining pixels at the far end in the colour the gradient ends in. Both colours must
// be RGB words (system colours resolved by the caller).
ColouredRects GradientBands(const PixelRect& r, ColourWord startRgb, ColourWord endRgb, GradientDirection direction,
                            int count);
