#include "ImageControl.h"

#include "ColourBrush.h"
#include "PaintedControl.h"
#include "WindowCalls.h"

namespace {

const char* const ImageClassName = "TImage";

// Copies the picture selected in source onto dc at its origin, leaving out the pixels of
// the transparent colour: TransparentBlt where the system has it, otherwise a mask of
// those pixels and three plain blits (dc ^= picture; dc &= mask; dc ^= picture).
void DrawTransparent(HDC dc, HDC source, int width, int height, COLORREF transparent)
{
    if (const auto transparentBlt = TheWindowCalls().TransparentBlt.Get()) {
        transparentBlt(dc, 0, 0, width, height, source, 0, 0, width, height, transparent);
        return;
    }
    // Copying colour to monochrome makes the source's background colour white (1), every
    // other colour black (0).
    GdiObject<HBITMAP> mask(CreateBitmap(width, height, 1, 1, nullptr));
    MemoryDc maskDc(dc);
    SelectedObject maskSelected(maskDc.Get(), mask.Get());
    const COLORREF sourceBackground = SetBkColor(source, transparent);
    BitBlt(maskDc.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    SetBkColor(source, sourceBackground);
    // Monochrome to colour takes 0 as the text colour and 1 as the background colour.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF background = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCINVERT);
    BitBlt(dc, 0, 0, width, height, maskDc.Get(), 0, 0, SRCAND);
    BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCINVERT);
    SetTextColor(dc, text);
    SetBkColor(dc, background);
}

class Image : public PaintedControl {
public:
    explicit Image(const ComponentCreation& creation)
        : PaintedControl(creation),
          picture_(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(Integer("Picture")),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)))
    {
        CreatePaintedHandle(ImageClassName, 0, 0, "");
    }

private:
    // The form's colour, then the picture with its bottom-left pixel's colour left out.
    void Paint(HDC dc) override
    {
        RECT area;
        GetClientRect(Handle(), &area);
        FillRect(dc, &area, background_.Get(Parent().colour));
        if (picture_.Get()) {
            BITMAP info;
            GetObjectA(picture_.Get(), sizeof info, &info);
            MemoryDc source(dc);
            SelectedObject pictureSelected(source.Get(), picture_.Get());
            const COLORREF transparent = GetPixel(source.Get(), 0, info.bmHeight - 1);
            DrawTransparent(dc, source.Get(), info.bmWidth, info.bmHeight, transparent);
        }
    }

    GdiObject<HBITMAP> picture_;
    ColourBrush background_;
};

std::unique_ptr<Component> Create(const ComponentCreation& creation)
{
    return std::make_unique<Image>(creation);
}

} // namespace

const ComponentClass& TImageClass()
{
    static const ComponentClass declared{ImageClassName, {{"Picture", IntegerValue(0)}}, Create};
    return declared;
}
