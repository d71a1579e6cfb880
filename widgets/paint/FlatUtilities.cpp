#include "widgets/paint/FlatUtilities.h"

#include "widgets/paint/HSLUtils.h"

#include <algorithm>

ColouredRects BevelRuns(const PixelRect& r, ColourWord topLeft, ColourWord bottomRight, int width)
{
    ColouredRects runs;
    // Inclusive bounds: the last column and the last row of the ring.
    int left = r.left, top = r.top, last = r.right - 1, bottom = r.bottom - 1;
    for (int ring = 0; ring < width && left <= last && top <= bottom; ++ring) {
        const ColouredRect pieces[] = {
            {{left, top, last, top + 1}, topLeft},              // top row, short of the last column
            {{left, top, left + 1, bottom}, topLeft},           // left column, short of the last row
            {{last, top, last + 1, bottom + 1}, bottomRight},   // whole right column
            {{left, bottom, last + 1, bottom + 1}, bottomRight} // whole bottom row
        };
        for (const ColouredRect& piece : pieces)
            if (!piece.rect.IsEmpty())
                runs.push_back(piece);
        ++left;
        ++top;
        --last;
        --bottom;
    }
    return runs;
}

namespace {

// Start of a run of the given length centred in extent: (extent - length + 1) div 2.
int Centred(int extent, int length) { return (extent - length + 1) / 2; }

// Image and caption along one axis. Returns the image's and the caption's start.
struct AxisPlacement {
    int glyph = 0, caption = 0;
};

AxisPlacement PlaceAlong(int extent, int glyphLength, int captionLength, bool glyphFirst, int margin, int gap)
{
    const int total = glyphLength + gap + captionLength;
    AxisPlacement placement;
    if (glyphFirst) {
        placement.glyph = margin < 0 ? Centred(extent, total) : margin;
        placement.caption = placement.glyph + glyphLength + gap;
    } else {
        placement.glyph = margin < 0 ? Centred(extent, total) + captionLength + gap : extent - margin - glyphLength;
        placement.caption = placement.glyph - gap - captionLength;
    }
    return placement;
}

}  // namespace

FaceLayout LayoutFace(PixelSize client, PixelPoint offset, PixelSize captionExtent, PixelSize glyphSize,
                      ButtonLayout layout, int margin, int spacing)
{
    PixelPoint caption{Centred(client.width, captionExtent.width), Centred(client.height, captionExtent.height)};
    PixelPoint glyph{Centred(client.width, glyphSize.width), Centred(client.height, glyphSize.height)};

    const bool hasGlyph = glyphSize.width > 0 && glyphSize.height > 0;
    if (hasGlyph) {
        const bool hasCaption = captionExtent.width > 0 && captionExtent.height > 0;
        const int gap = hasCaption ? std::max(spacing, 0) : 0;
        const bool horizontal = layout == ButtonLayout::blGlyphLeft || layout == ButtonLayout::blGlyphRight;
        const bool glyphFirst = layout == ButtonLayout::blGlyphLeft || layout == ButtonLayout::blGlyphTop;
        if (horizontal) {
            const AxisPlacement along =
                PlaceAlong(client.width, glyphSize.width, captionExtent.width, glyphFirst, margin, gap);
            glyph.x = along.glyph;
            caption.x = along.caption;
        } else {
            const AxisPlacement along =
                PlaceAlong(client.height, glyphSize.height, captionExtent.height, glyphFirst, margin, gap);
            glyph.y = along.glyph;
            caption.y = along.caption;
        }
    }

    FaceLayout result;
    result.captionRect = {caption.x + offset.x, caption.y + offset.y, caption.x + offset.x + captionExtent.width,
                          caption.y + offset.y + captionExtent.height};
    result.glyphOrigin = {glyph.x + offset.x, glyph.y + offset.y};
    return result;
}

ColourWord ShadeFromParent(ColourWord parentRgb, ColourWord current, int percent, bool darker)
{
    if (percent == 0)
        return current;
    percent = std::clamp(percent, 0, 100);
    HslScaled hsl = RgbToHslScaled(parentRgb);
    hsl.lightness += 10;
    hsl.lightness = darker ? std::max(hsl.lightness - percent, 0) : std::min(hsl.lightness + percent, 100);
    return HslScaledToRgb(hsl);
}
