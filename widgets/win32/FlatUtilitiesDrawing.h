#pragma once
// The flat controls' shared drawing on a device context.
#include "widgets/paint/FlatUtilities.h"

#include <windows.h>

// Draws the bevel frame of BevelRuns on dc: per ring the top row and left column in
// topLeft, the whole right column and bottom row in bottomRight. The rectangle is not
// changed.
void DrawBevel(HDC dc, const PixelRect& r, ColourWord topLeft, ColourWord bottomRight, int width);
