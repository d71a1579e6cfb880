#include "widgets/win32/FlatUtilitiesDrawing.h"

#include "widgets/win32/OffscreenPaint.h"

void DrawBevel(HDC dc, const PixelRect& r, ColourWord topLeft, ColourWord bottomRight, int width)
{
    PaintRuns(dc, BevelRuns(r, topLeft, bottomRight, width));
}
