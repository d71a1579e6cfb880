#include "widgets/win32/OffscreenPaint.h"

#include "widgets/win32/CheckedGdi.h"
#include "widgets/win32/SystemColours.h"

void PaintRuns(HDC dc, const ColouredRects& runs, int dx, int dy)
{
    for (const ColouredRect& run : runs) {
        const RECT area{run.rect.left + dx, run.rect.top + dy, run.rect.right + dx, run.rect.bottom + dy};
        GdiObject<HBRUSH> brush(Checked(CreateSolidBrush(ResolveColour(run.colour)), "a brush"));
        FillRect(dc, &area, brush.Get());
    }
}

OffscreenImage::OffscreenImage(HDC target, int width, int height)
    : width_(width), height_(height), dc_(target),
      bitmap_(CreateCompatibleBitmap(target, width, height)), selected_(dc_.Get(), bitmap_.Get())
{
}

void OffscreenImage::CopyTo(HDC target, int x, int y) const
{
    BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

void PaintOffscreen(HDC target, int x, int y, int width, int height, const std::function<void(HDC)>& paint)
{
    const OffscreenImage image(target, width, height);
    if (image.Ready()) {
        paint(image.Dc());
        image.CopyTo(target, x, y);
        return;
    }
    const int saved = SaveDC(target);
    OffsetViewportOrgEx(target, x, y, nullptr);
    IntersectClipRect(target, 0, 0, width, height);
    paint(target);
    RestoreDC(target, saved);
}
