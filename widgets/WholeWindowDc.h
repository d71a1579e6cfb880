#pragma once
// A DC for a whole window, frame and caption included (GetWindowDC), origin at the
// window's outer top-left corner; released with ReleaseDC.
#include <windows.h>

class WholeWindowDc {
public:
    explicit WholeWindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WholeWindowDc() { if (dc_) ReleaseDC(window_, dc_); }
    WholeWindowDc(const WholeWindowDc&) = delete;
    WholeWindowDc& operator=(const WholeWindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
