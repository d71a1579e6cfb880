#pragma once
// A small raster that paints lists of coloured rectangles in order, clipped to its size,
// as a device context would; tests read its pixels back.
#include "widgets/paint/PixelGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

class PixelCanvas {
public:
    static constexpr ColourWord Unpainted = 0xFF000000u;   // no colour word has these bits

    PixelCanvas(int width, int height)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), Unpainted)
    {
    }

    void Paint(const ColouredRects& runs)
    {
        for (const ColouredRect& run : runs)
            for (int y = run.rect.top; y < run.rect.bottom; ++y)
                for (int x = run.rect.left; x < run.rect.right; ++x) {
                    if (x < 0 || y < 0 || x >= width_ || y >= height_)
                        ++clippedPixels_;
                    else
                        pixels_[static_cast<std::size_t>(y * width_ + x)] = run.colour;
                }
    }

    ColourWord At(int x, int y) const { return pixels_.at(static_cast<std::size_t>(y * width_ + x)); }
    int ClippedPixels() const { return clippedPixels_; }

    // Every pixel from (x0, y0) to (x1, y1), both inclusive, in colour.
    ::testing::AssertionResult Block(int x0, int y0, int x1, int y1, ColourWord colour) const
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (At(x, y) != colour)
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is 0x" << std::hex
                                                         << At(x, y) << ", expected 0x" << colour;
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult Row(int y, int x0, int x1, ColourWord colour) const { return Block(x0, y, x1, y, colour); }
    ::testing::AssertionResult Column(int x, int y0, int y1, ColourWord colour) const { return Block(x, y0, x, y1, colour); }

    // The smallest rectangle holding every pixel of that colour (empty: none), and how many
    // pixels of a row have it.
    PixelRect BoundingBox(ColourWord colour) const
    {
        PixelRect box{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) == colour)
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
        return box;
    }
    int Count(ColourWord colour, int y) const
    {
        int count = 0;
        for (int x = 0; x < width_; ++x)
            count += At(x, y) == colour;
        return count;
    }

private:
    int width_, height_;
    std::vector<ColourWord> pixels_;
    int clippedPixels_ = 0;
};
