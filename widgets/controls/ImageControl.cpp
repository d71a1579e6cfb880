#include "widgets/controls/ImageControl.h"

#include "widgets/controls/PaintedControl.h"
#include "widgets/win32/CheckedGdi.h"
#include "widgets/win32/ColourBrush.h"
#include "widgets/win32/GdiHandles.h"
#include "widgets/win32/HighContrastMode.h"
#include "widgets/win32/SystemColours.h"
#include "widgets/win32/TransparentBlit.h"

#include <oleacc.h>

#include <utility>

namespace {

const char* const ImageClassName = ImageSettings::ClassName;

class Image : public PaintedControl {
public:
    Image(const ComponentCreation& creation, const ImageSettings& settings)
        : PaintedControl(creation),
          accessibleName_(settings.accessibleName),
          picture_(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(settings.picture),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)))
    {
        CreatePaintedHandle(ImageClassName, 0, 0, "");
    }

private:
    AccessibleFacts Facts() const override
    {
        return {ROLE_SYSTEM_GRAPHIC, accessibleName_, STATE_SYSTEM_READONLY, "", ""};
    }

    // Composed again only when the form's ground changes (a new size the paint sees itself).
    bool FaceAsLastPainted() override
    {
        const COLORREF background = ResolveColour(FormGround(Parent().colour));
        return std::exchange(paintedBackground_, background) == background;
    }

    // The form's ground, then the picture with its bottom-left pixel's colour left out.
    void Paint(HDC dc) override
    {
        RECT area;
        GetClientRect(Handle(), &area);
        FillRect(dc, &area, background_.Get(FormGround(Parent().colour)));
        if (picture_.Get()) {
            BITMAP info;
            GetObjectA(picture_.Get(), sizeof info, &info);
            MemoryDc source(dc);
            Checked(source.Get(), "a memory DC");
            SelectedObject pictureSelected(source.Get(), picture_.Get());
            const COLORREF transparent = GetPixel(source.Get(), 0, info.bmHeight - 1);
            // The control grows and shrinks with the form on screens of other resolutions;
            // the picture then fills it, scaled.
            const int width = area.right, height = area.bottom;
            SelectedObject scaledSelected(source.Get(), PictureAtSize(dc, source.Get(), info, width, height));
            DrawTransparent(dc, source.Get(), width, height, transparent);
        }
    }

    // The picture itself at the size it was drawn for; at another, a copy scaled smoothly,
    // made once. source holds the picture.
    HBITMAP PictureAtSize(HDC dc, HDC source, const BITMAP& info, int width, int height)
    {
        if (width == info.bmWidth && height == info.bmHeight)
            return picture_.Get();
        if (!scaled_.Get()) {
            MemoryDc target(dc);
            Checked(target.Get(), "a memory DC");
            scaled_ = GdiObject<HBITMAP>(Checked(CreateCompatibleBitmap(dc, width, height), "the scaled picture"));
            SelectedObject selected(target.Get(), scaled_.Get());
            SetStretchBltMode(target.Get(), HALFTONE);
            SetBrushOrgEx(target.Get(), 0, 0, nullptr);
            StretchBlt(target.Get(), 0, 0, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        }
        return scaled_.Get();
    }

    const std::string accessibleName_;
    // Null for picture 0 and where the module lacks the resource (the test programs that
    // build the form have none): the control then shows the form's colour alone, the
    // picture being decoration.
    GdiObject<HBITMAP> picture_;
    GdiObject<HBITMAP> scaled_;   // the picture at the control's size, when that is another
    ColourBrush background_;
    COLORREF paintedBackground_ = CLR_INVALID;   // the form's colour at the last paint
};

} // namespace

std::unique_ptr<Component> CreateImage(const ComponentCreation& creation, const ImageSettings& settings)
{
    return std::make_unique<Image>(creation, settings);
}
