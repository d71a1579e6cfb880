#include "widgets/win32/OffscreenPaint.h"

#include "widgets/win32/CheckedGdi.h"
#include "widgets/win32/SystemColours.h"

#include <algorithm>
#include <utility>
#include <vector>

void PaintRuns(HDC dc, const ColouredRects& runs, int dx, int dy)
{
    // One brush for each colour: the runs of a frame or an arrow share a few.
    std::vector<std::pair<COLORREF, GdiObject<HBRUSH>>> brushes;
    for (const ColouredRect& run : runs) {
        const COLORREF colour = ResolveColour(run.colour);
        auto brush =
            std::find_if(brushes.begin(), brushes.end(), [colour](const auto& made) { return made.first == colour; });
        if (brush == brushes.end()) {
            brushes.emplace_back(colour, GdiObject<HBRUSH>(Checked(CreateSolidBrush(colour), "a brush")));
            brush = brushes.end() - 1;
        }
        const RECT area{run.rect.left + dx, run.rect.top + dy, run.rect.right + dx, run.rect.bottom + dy};
        FillRect(dc, &area, brush->second.Get());
    }
}

void DrawBevel(HDC dc, const PixelRect& r, ColourWord topLeft, ColourWord bottomRight, int width)
{
    PaintRuns(dc, BevelRuns(r, topLeft, bottomRight, width));
}

void PaintAt(HDC dc, const RECT& place, const std::function<void(HDC)>& paint)
{
    const SavedDcState restored(dc);
    IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
    OffsetViewportOrgEx(dc, place.left, place.top, nullptr);
    paint(dc);
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

void OffscreenBuffer::Paint(HDC target, int x, int y, int width, int height, const std::function<void(HDC)>& paint,
                            bool unchanged)
{
    if (!image_ || !image_->Ready() || image_->Width() != width || image_->Height() != height) {
        image_.reset();   // the old bitmap goes before the new one is made
        image_ = std::make_unique<OffscreenImage>(target, width, height);
        unchanged = false;
    }
    if (image_->Ready()) {
        if (!unchanged) {
            const SavedDcState fresh(image_->Dc());
            paint(image_->Dc());
        }
        image_->CopyTo(target, x, y);
        return;
    }
    PaintAt(target, {x, y, x + width, y + height}, paint);
}
