#include "widgets/paint/PixelGeometry.h"

namespace {

void AppendIfNotEmpty(ColouredRects& runs, const PixelRect& r, ColourWord colour)
{
    if (!r.IsEmpty())
        runs.push_back({r, colour});
}

}  // namespace

void AppendRing(ColouredRects& runs, const PixelRect& r, ColourWord colour)
{
    if (r.IsEmpty())
        return;
    AppendIfNotEmpty(runs, {r.left, r.top, r.right, r.top + 1}, colour);
    if (r.Height() > 1)
        AppendIfNotEmpty(runs, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
    AppendIfNotEmpty(runs, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, colour);
    if (r.Width() > 1)
        AppendIfNotEmpty(runs, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, colour);
}
