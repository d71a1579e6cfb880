#include "widgets/paint/GradientBands.h"

#include "base/MulDiv.h"

#include <algorithm>

ColouredRects GradientBands(const PixelRect& r, ColourWord startRgb, ColourWord endRgb, GradientDirection direction,
                            int count)
{
    if (r.IsEmpty())
        return {};
    if (count < 2)
        return {{r, startRgb}};

    const bool reversed = direction == GradientDirection::RightToLeft || direction == GradientDirection::BottomToTop;
    const bool vertical = direction == GradientDirection::TopToBottom || direction == GradientDirection::BottomToTop;
    const ColourWord base = reversed ? endRgb : startRgb;
    const ColourWord farEnd = reversed ? startRgb : endRgb;   // the colour at the far end
    const int deltaRed = RedOf(farEnd) - RedOf(base);
    const int deltaGreen = GreenOf(farEnd) - GreenOf(base);
    const int deltaBlue = BlueOf(farEnd) - BlueOf(base);

    const int extent = vertical ? r.Height() : r.Width();
    const int origin = vertical ? r.top : r.left;
    const int bands = std::max(2, std::min(count, extent));
    const int bandSize = extent / bands;
    const int remainder = extent % bands;

    // The part of r from position `from` to `to` along the gradient, full across it.
    auto slice = [&](int from, int to) {
        return vertical ? PixelRect{r.left, from, r.right, to} : PixelRect{from, r.top, to, r.bottom};
    };

    ColouredRects runs;
    if (bandSize > 0) {
        runs.reserve(static_cast<std::size_t>(bands) + 1);
        for (int i = 0; i < bands; ++i) {
            const ColourWord colour = RgbWord(RedOf(base) + MulDivRounded(i, deltaRed, bands - 1),
                                              GreenOf(base) + MulDivRounded(i, deltaGreen, bands - 1),
                                              BlueOf(base) + MulDivRounded(i, deltaBlue, bands - 1));
            const int from = origin + i * bandSize;
            runs.push_back({slice(from, from + bandSize), colour});
        }
    }
    if (remainder > 0) {
        const int end = origin + extent;
        runs.push_back({slice(end - remainder, end), farEnd});
    }
    return runs;
}
