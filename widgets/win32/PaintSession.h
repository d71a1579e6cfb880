#pragma once
// One WM_PAINT's painting: BeginPaint on construction, EndPaint on destruction, so a paint
// that throws still gives its DC back and shows the caret BeginPaint hid.
#include "widgets/paint/PixelGeometry.h"

#include <windows.h>

class PaintSession {
public:
    explicit PaintSession(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintSession() { EndPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;

    HDC Dc() const { return dc_; }
    // The part of the client area to paint.
    PixelRect Area() const
    {
        return {paint_.rcPaint.left, paint_.rcPaint.top, paint_.rcPaint.right, paint_.rcPaint.bottom};
    }

private:
    HWND window_;
    PAINTSTRUCT paint_;
    HDC dc_;
};
