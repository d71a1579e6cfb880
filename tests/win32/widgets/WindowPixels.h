#pragma once
// A window's pixels read back exactly into a 32-bit top-down DIB section, as colour words
// (red in the low byte): as the screen shows the window (GetWindowDC and BitBlt, frame
// and caption included), or as the window paints its client area (WM_PRINTCLIENT) or
// prints itself whole (WM_PRINT).
#include "widgets/paint/ColourWords.h"
#include "widgets/paint/PixelGeometry.h"
#include "widgets/win32/GdiHandles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

class WindowPixels {
public:
    // The whole window as the screen shows it now, non-client area included.
    static WindowPixels OnScreen(HWND window)
    {
        RECT outer;
        GetWindowRect(window, &outer);
        return OnScreen(window, {0, 0, outer.right - outer.left, outer.bottom - outer.top});
    }

    // The whole window as the screen shows it once its pending repaints are done.
    static WindowPixels Repainted(HWND window)
    {
        UpdateWindow(window);
        return OnScreen(window);
    }

    // The block `area` of the window, in window coordinates, as the screen shows it.
    static WindowPixels OnScreen(HWND window, const RECT& area)
    {
        return WindowPixels(area.right - area.left, area.bottom - area.top, [&](HDC dc, int width, int height) {
            HDC source = GetWindowDC(window);
            BitBlt(dc, 0, 0, width, height, source, area.left, area.top, SRCCOPY);
            ReleaseDC(window, source);
        });
    }

    // The client area as the window paints it, on a grey ground that shows what it leaves.
    static WindowPixels Painted(HWND window)
    {
        RECT client;
        GetClientRect(window, &client);
        return WindowPixels(client.right, client.bottom, [&](HDC dc, int width, int height) {
            const RECT all{0, 0, width, height};
            FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        });
    }

    // The whole window as it prints itself (WM_PRINT, frame and client area), on the
    // same grey ground.
    static WindowPixels Printed(HWND window)
    {
        RECT outer;
        GetWindowRect(window, &outer);
        return WindowPixels(outer.right - outer.left, outer.bottom - outer.top, [&](HDC dc, int width, int height) {
            const RECT all{0, 0, width, height};
            FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT);
        });
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    ColourWord At(int x, int y) const { return pixels_.at(static_cast<std::size_t>(y * width_ + x)); }
    bool operator==(const WindowPixels& other) const { return pixels_ == other.pixels_; }

    int Count(ColourWord colour) const { return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), colour)); }

    // The smallest rectangle holding every pixel of that colour from inset pixels in;
    // empty when there is none.
    PixelRect BoundingBox(ColourWord colour, int inset = 0) const
    {
        PixelRect box{width_, height_, 0, 0};
        for (int y = inset; y < height_ - inset; ++y)
            for (int x = inset; x < width_ - inset; ++x)
                if (At(x, y) == colour) {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                }
        return box;
    }

    // Every pixel from (x0, y0) to (x1, y1), both inclusive, in colour.
    ::testing::AssertionResult Block(int x0, int y0, int x1, int y1, ColourWord colour) const
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (At(x, y) != colour)
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << Hex(At(x, y))
                                                         << ", expected " << Hex(colour);
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult Row(int y, int x0, int x1, ColourWord colour) const { return Block(x0, y, x1, y, colour); }
    // The 1-pixel ring along the inside of the rectangle from (left, top) to (right, bottom),
    // both inclusive.
    ::testing::AssertionResult Ring(int left, int top, int right, int bottom, ColourWord colour) const
    {
        for (auto side : {Block(left, top, right, top, colour), Block(left, bottom, right, bottom, colour),
                          Block(left, top, left, bottom, colour), Block(right, top, right, bottom, colour)})
            if (!side)
                return side;
        return ::testing::AssertionSuccess();
    }

private:
    template <typename Fill>
    WindowPixels(int width, int height, Fill fill) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;   // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        MemoryDc dc(nullptr);
        GdiObject<HBITMAP> bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        {
            SelectedObject selected(dc.Get(), bitmap.Get());
            fill(dc.Get(), width, height);
            GdiFlush();
        }
        const auto* pixels = static_cast<const DWORD*>(bits);
        pixels_.reserve(static_cast<std::size_t>(width * height));
        for (int i = 0; i < width * height; ++i)   // 0x00RRGGBB to a colour word
            pixels_.push_back(RgbWord(pixels[i] >> 16 & 0xFF, pixels[i] >> 8 & 0xFF, pixels[i] & 0xFF));
    }

    static std::string Hex(ColourWord colour)
    {
        char text[16];
        std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(colour));
        return text;
    }

    int width_ = 0, height_ = 0;
    std::vector<ColourWord> pixels_;
};
