#pragma once
// The flat controls' shared geometry and colour helpers: bevel frames, the placement of a
// button's caption and image, and shading from the parent's colour.
#include "widgets/paint/ColourWords.h"
#include "widgets/paint/PixelGeometry.h"

// The rings of a bevel frame of the given width inside r: per ring the top row and left
// column in topLeft, then the whole right column and bottom row in bottomRight (so the
// top-right and bottom-left corners are bottomRight). Paint the runs in order.
ColouredRects BevelRuns(const PixelRect& r, ColourWord topLeft, ColourWord bottomRight, int width);

// Which side of the caption a button's image goes.
enum class ButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct FaceLayout {
    PixelRect captionRect;     // CaptionRect: the caption's box, empty for an empty caption
    PixelPoint glyphOrigin;    // GlyphOrigin: top-left corner of the image
};

// Places caption and image on a client area. captionExtent is the caption's one-line
// extent (0 x 0 when empty), glyphSize one image of the strip (0 x 0 without image);
// margin -1 centres the pair, otherwise it is the image's distance from its side; spacing
// (negative counts as 0) separates image and caption. Both are then moved by offset.
FaceLayout LayoutFace(PixelSize client, PixelPoint offset, PixelSize captionExtent, PixelSize glyphSize,
                      ButtonLayout layout, int margin, int spacing);

// A colour derived from the parent's: current unchanged for percent 0, else the parent's
// hue and saturation with its lightness + 10 moved down (darker, not below 0) or up (not
// above 100) by percent (clamped to 0..100). parentRgb must be resolved already.
ColourWord ShadeFromParent(ColourWord parentRgb, ColourWord current, int percent, bool darker);
