#pragma once
// A DC for a window's whole area, non-client part included (GetWindowDC), released with
// ReleaseDC: what a control draws its own frame through.
#include <windows.h>

class WindowAreaDc {
public:
    explicit WindowAreaDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowAreaDc() { if (dc_) ReleaseDC(window_, dc_); }
    WindowAreaDc(const WindowAreaDc&) = delete;
    WindowAreaDc& operator=(const WindowAreaDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
