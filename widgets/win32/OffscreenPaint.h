#pragma once
// Painting helpers the custom controls share: coloured runs and bevel frames filled on a
// DC, and an off-screen image to compose a whole face in before one block transfer.
#include "widgets/paint/FlatUtilities.h"
#include "widgets/paint/PixelGeometry.h"
#include "widgets/win32/GdiHandles.h"

#include <functional>
#include <memory>

#include <windows.h>

// Fills each run, in order, with a solid brush of its colour (system colours resolved
// now), moved by (dx, dy). Throws std::runtime_error when a brush cannot be made.
void PaintRuns(HDC dc, const ColouredRects& runs, int dx = 0, int dy = 0);

// Draws the bevel frame of BevelRuns on dc: per ring the top row and left column in
// topLeft, the whole right column and bottom row in bottomRight.
void DrawBevel(HDC dc, const PixelRect& r, ColourWord topLeft, ColourWord bottomRight, int width);

// paint draws on dc with the origin moved to place's top-left corner and the drawing
// clipped to place; the DC's state is restored afterwards. How a face is printed into
// part of a larger one.
void PaintAt(HDC dc, const RECT& place, const std::function<void(HDC)>& paint);

// A width x height bitmap selected into a memory DC compatible with target; CopyTo puts
// the whole image on a DC in one BitBlt. Not Ready when the system cannot make the DC or
// the bitmap (out of memory or of GDI handles).
class OffscreenImage {
public:
    OffscreenImage(HDC target, int width, int height);
    OffscreenImage(const OffscreenImage&) = delete;
    OffscreenImage& operator=(const OffscreenImage&) = delete;

    bool Ready() const { return dc_.Get() && bitmap_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_.Get(); }
    void CopyTo(HDC target, int x, int y) const;

private:
    int width_, height_;
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    SelectedObject selected_;
};

// The off-screen image of a face painted again and again: kept from one paint to the next,
// made anew when the face's size changes.
class OffscreenBuffer {
public:
    // paint draws a width x height face whose origin is (x, y) of target: composed in the
    // kept image, from the state a new DC has, and copied in one block transfer; or, when
    // no off-screen image can be made, straight onto target (flickering, but whole).
    // unchanged: the face looks as at the last call, so a kept image of its size is
    // copied as it is, without paint.
    void Paint(HDC target, int x, int y, int width, int height, const std::function<void(HDC)>& paint,
               bool unchanged = false);

private:
    std::unique_ptr<OffscreenImage> image_;
};
