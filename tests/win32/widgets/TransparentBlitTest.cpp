// The picture with its transparent colour left out, by TransparentBlt and by the mask
// drawn where the system lacks it: the same pixels. And an off-screen paint too large for
// any bitmap, drawn straight onto its target.
#include "tests/win32/widgets/WindowCallsRestored.h"
#include "widgets/win32/GdiHandles.h"
#include "widgets/win32/OffscreenPaint.h"
#include "widgets/win32/TransparentBlit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int Width = 7, Height = 3;
constexpr COLORREF Transparent = RGB(0xFF, 0x00, 0xFF);

// A 32-bit top-down DIB section selected into a memory DC, its pixels open to the test.
class Canvas {
public:
    Canvas() : dc_(nullptr), bitmap_(MakeBitmap(bits_)), selected_(dc_.Get(), bitmap_.Get()) {}
    HDC Dc() const { return dc_.Get(); }
    // As a COLORREF: red in the low byte (the DIB holds blue there).
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const std::uint32_t pixel = bits_[y * Width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    void Set(int x, int y, COLORREF colour)
    {
        GdiFlush();
        bits_[y * Width + x] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }

private:
    static HBITMAP MakeBitmap(std::uint32_t*& bits)
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* memory = nullptr;
        const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<std::uint32_t*>(memory);
        return bitmap;
    }

    MemoryDc dc_;
    std::uint32_t* bits_ = nullptr;
    GdiObject<HBITMAP> bitmap_;
    SelectedObject selected_;
};

// Every pixel of the ground that shows through, and of the picture elsewhere.
void ExpectPictureOverGround(bool withTransparentBlt)
{
    WindowCallsRestored restored;
    if (!withTransparentBlt)
        TheWindowCalls().TransparentBlt = nullptr;
    Canvas picture, ground;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            picture.Set(x, y, (x + y) % 3 ? RGB(x * 30, y * 80, 0x40) : Transparent);
            ground.Set(x, y, RGB(0x10, x * 20, y * 50));
        }
    std::vector<COLORREF> expected;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            expected.push_back((x + y) % 3 ? picture.At(x, y) : ground.At(x, y));

    DrawTransparent(ground.Dc(), picture.Dc(), Width, Height, Transparent);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            EXPECT_EQ(ground.At(x, y), expected[y * Width + x])
                << "pixel " << x << "," << y << (withTransparentBlt ? " by TransparentBlt" : " by the mask");
}

} // namespace

TEST(TransparentBlit, MaskDrawsWhatTransparentBltDraws)
{
    ExpectPictureOverGround(true);
    ExpectPictureOverGround(false);
}

TEST(OffscreenPaint, WithoutAnOffscreenBitmapPaintsStraightOntoTheTarget)
{
    const Canvas canvas;
    const int huge = 1 << 16;   // 2^32 pixels: no bitmap can hold them
    ASSERT_FALSE(OffscreenImage(canvas.Dc(), huge, huge).Ready());
    OffscreenBuffer().Paint(canvas.Dc(), 2, 1, huge, huge, [](HDC dc) {
        PaintRuns(dc, {{{0, 0, 1, 1}, RgbWord(0x12, 0x34, 0x56)}, {{4, 1, 9, 9}, RgbWord(0xFF, 0, 0)}});
    });
    EXPECT_EQ(canvas.At(2, 1), RGB(0x12, 0x34, 0x56));   // moved to (2, 1)
    EXPECT_EQ(canvas.At(6, 2), RGB(0xFF, 0, 0));
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(5, 2), RGB(0, 0, 0));
}
