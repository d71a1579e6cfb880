#pragma once
// Where a title strip draws its caption.
#include "widgets/paint/PixelGeometry.h"

// The caption's top-left corner: (W div 2 - tw div 2, H div 2 - th div 2) for a strip of
// W x H and a text of tw x th; a text wider than the strip starts left of it.
inline PixelPoint TitlebarTextOrigin(PixelSize strip, PixelSize text)
{
    return {strip.width / 2 - text.width / 2, strip.height / 2 - text.height / 2};
}
