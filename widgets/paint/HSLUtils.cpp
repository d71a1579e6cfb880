#include "widgets/paint/HSLUtils.h"

#include <algorithm>
#include <cstdint>

// Both conversions run in exact integer fractions, so that ties are real ties and round to
// even whatever the floating-point unit would have made of them.

namespace {

using Wide = std::int64_t;

// n / d rounded to the nearest integer, ties to even; d > 0.
Wide RoundHalfEven(Wide n, Wide d)
{
    Wide quotient = n / d;
    Wide remainder = n % d;
    if (remainder < 0) {
        remainder += d;
        --quotient;
    }
    if (2 * remainder > d || (2 * remainder == d && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

// One channel of the inverse conversion. p and q are over the denominator 240 * 240; the
// hue position t is over 3 * 239 and already moved into 0..1 by whole turns.
// Returns the channel on 0..1 as a numerator over 240 * 240 * 3 * 239.
Wide HueToChannel(Wide p, Wide q, Wide t)
{
    constexpr Wide turn = 3 * HueScale;
    if (6 * t < turn)
        return p * turn + (q - p) * 6 * t;
    if (2 * t < turn)
        return q * turn;
    if (3 * t < 2 * turn)
        return p * turn + (q - p) * (4 * turn - 6 * t);
    return p * turn;
}

}  // namespace

HslScaled RgbToHslScaled(ColourWord rgb)
{
    const int red = RedOf(rgb), green = GreenOf(rgb), blue = BlueOf(rgb);
    const int high = std::max({red, green, blue});
    const int low = std::min({red, green, blue});
    const int sum = high + low;   // lightness is sum / 510
    const int delta = high - low;

    HslScaled hsl;
    hsl.lightness = static_cast<int>(RoundHalfEven(Wide{HslScale} * sum, 2 * 255));
    if (delta == 0)
        return hsl;

    // Saturation: delta / (max + min) up to half lightness, delta / (2 - max - min) above.
    const int saturationBase = sum > 255 ? 2 * 255 - sum : sum;
    hsl.saturation = static_cast<int>(RoundHalfEven(Wide{HslScale} * delta, saturationBase));

    // Hue in sixths of the circle, as a numerator over delta; red is tested first.
    Wide sixths;
    if (high == red)
        sixths = green - blue + (green < blue ? 6 * delta : 0);
    else if (high == green)
        sixths = blue - red + 2 * delta;
    else
        sixths = red - green + 4 * delta;
    hsl.hue = static_cast<int>(RoundHalfEven(HueScale * sixths, 6 * Wide{delta}));
    return hsl;
}

ColourWord HslScaledToRgb(HslScaled hsl)
{
    const Wide hue = std::clamp(hsl.hue, 0, HueScale);
    const Wide saturation = std::clamp(hsl.saturation, 0, HslScale);
    const Wide lightness = std::clamp(hsl.lightness, 0, HslScale);

    if (saturation == 0) {
        const int grey = static_cast<int>(RoundHalfEven(lightness * 255, HslScale));
        return RgbWord(grey, grey, grey);
    }

    constexpr Wide unit = Wide{HslScale} * HslScale;   // denominator of p and q
    const Wide q = 2 * lightness < HslScale ? lightness * (HslScale + saturation)
                                            : (lightness + saturation) * HslScale - lightness * saturation;
    const Wide p = 2 * lightness * HslScale - q;

    constexpr Wide turn = 3 * HueScale;    // denominator of the hue positions
    auto channel = [&](Wide thirds) {
        Wide t = 3 * hue + thirds * HueScale;
        if (t < 0)
            t += turn;
        if (t > turn)
            t -= turn;
        const Wide value = RoundHalfEven(HueToChannel(p, q, t) * 255, unit * turn);
        return static_cast<int>(std::clamp<Wide>(value, 0, 255));
    };
    return RgbWord(channel(1), channel(0), channel(-1));
}
