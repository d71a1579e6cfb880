#include "ImageControl.h"

#include "ColourBrush.h"
#include "PaintedControl.h"

#include <oleacc.h>

namespace {

const char* const ImageClassName = "TImage";

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
    AccessibleFacts Facts() const override
    {
        return {ROLE_SYSTEM_GRAPHIC, Text("AccessibleName"), STATE_SYSTEM_READONLY, "", ""};
    }

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
            TransparentBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, info.bmWidth, info.bmHeight,
                           transparent);
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
    static const ComponentClass declared{ImageClassName, {{"Picture", IntegerValue(0)}, {"AccessibleName", TextValue("")}}, Create};
    return declared;
}
