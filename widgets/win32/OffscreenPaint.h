#pragma once
// Painting helpers the custom controls share: coloured runs filled on a DC, and an
// off-screen image to compose a whole face in before one block transfer.
#include "widgets/paint/PixelGeometry.h"
#include "widgets/win32/GdiHandles.h"

#include <windows.h>

// Fills each run, in order, with a solid brush of its colour (system colours resolved
// now), moved by (dx, dy).
void PaintRuns(HDC dc, const ColouredRects& runs, int dx = 0, int dy = 0);

// A width x height bitmap selected into a memory DC compatible with target; CopyTo puts
// the whole image on a DC in one BitBlt.
class OffscreenImage {
public:
    OffscreenImage(HDC target, int width, int height);
    OffscreenImage(const OffscreenImage&) = delete;
    OffscreenImage& operator=(const OffscreenImage&) = delete;

    HDC Dc() const { return dc_.Get(); }
    void CopyTo(HDC target, int x, int y) const;

private:
    int width_, height_;
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    SelectedObject selected_;
};
