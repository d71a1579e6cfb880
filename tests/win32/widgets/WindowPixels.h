#pragma once
// Pixels of a window read back exactly: a 32-bit top-down DIB section filled either by a
// block transfer from the whole window's DC (frame and caption included) or by the
// control painting its client area into it (WM_PRINTCLIENT).
#include "GdiHandles.h"

#include <cstdint>
#include <memory>

class WindowPixels {
public:
    // The block `area` of the window, in window coordinates, as the screen shows it.
    WindowPixels(HWND window, const RECT& area) : WindowPixels(area.right - area.left, area.bottom - area.top)
    {
        HDC source = GetWindowDC(window);
        BitBlt(dc_.Get(), 0, 0, width_, height_, source, area.left, area.top, SRCCOPY);
        ReleaseDC(window, source);
    }

    // The control's client area as it paints it.
    explicit WindowPixels(HWND control) : WindowPixels(ClientSize(control).cx, ClientSize(control).cy)
    {
        SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.Get()), PRF_CLIENT);
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const
    {
        const std::uint32_t bgr = bits_[y * width_ + x];
        return RGB(bgr >> 16 & 0xFF, bgr >> 8 & 0xFF, bgr & 0xFF);
    }
    int Count(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                count += At(x, y) == colour;
        return count;
    }

private:
    static SIZE ClientSize(HWND control)
    {
        RECT client;
        GetClientRect(control, &client);
        return {client.right, client.bottom};
    }

    WindowPixels(int width, int height) : width_(width), height_(height), dc_(nullptr)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;   // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = GdiObject<HBITMAP>(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const std::uint32_t*>(bits);
        selected_ = std::make_unique<SelectedObject>(dc_.Get(), bitmap_.Get());
    }

    int width_, height_;
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    const std::uint32_t* bits_ = nullptr;
    std::unique_ptr<SelectedObject> selected_;
};
