#pragma once
// A window's pixels as the screen shows them, non-client area included: GetWindowDC and
// BitBlt into a 32-bit top-down DIB section. Colours come back as colour words (red in
// the low byte), for comparing with resolved colours.
#include "ColourWords.h"
#include "GdiHandles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

class WindowPixels {
public:
    explicit WindowPixels(HWND window)
    {
        UpdateWindow(window);
        RECT outer;
        GetWindowRect(window, &outer);
        width_ = outer.right - outer.left;
        height_ = outer.bottom - outer.top;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC source = GetWindowDC(window);
        MemoryDc memory(source);
        GdiObject<HBITMAP> bitmap(CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        {
            SelectedObject selected(memory.Get(), bitmap.Get());
            BitBlt(memory.Get(), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        }
        ReleaseDC(window, source);
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        pixels_.reserve(static_cast<std::size_t>(width_ * height_));
        for (int i = 0; i < width_ * height_; ++i) {
            const DWORD bgr = pixels[i];
            pixels_.push_back(RgbWord(bgr >> 16 & 0xFF, bgr >> 8 & 0xFF, bgr & 0xFF));
        }
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    ColourWord At(int x, int y) const { return pixels_.at(static_cast<std::size_t>(y * width_ + x)); }
    bool operator==(const WindowPixels& other) const { return pixels_ == other.pixels_; }

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
    static std::string Hex(ColourWord colour)
    {
        char text[16];
        std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(colour));
        return text;
    }

    int width_ = 0, height_ = 0;
    std::vector<ColourWord> pixels_;
};
