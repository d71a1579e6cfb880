#include "ImageControl.h"

#include "ColourBrush.h"
#include "Control.h"
#include "OffscreenPaint.h"

namespace {

const char* const ImageClassName = "TImage";

class Image : public Control, private MessageHandler {
public:
    explicit Image(const ComponentCreation& creation)
        : Control(creation),
          picture_(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(Integer("Picture")),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)))
    {
        RegisterWindowClass(ImageClassName);
        CreateHandle(ImageClassName, 0, "", Scale(Description().height), this);
    }

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Paint(HDC target)
    {
        RECT area;
        GetClientRect(Handle(), &area);
        OffscreenImage buffer(target, area.right, area.bottom);
        FillRect(buffer.Dc(), &area, background_.Get(Parent().colour));
        if (picture_.Get()) {
            BITMAP info;
            GetObjectA(picture_.Get(), sizeof info, &info);
            MemoryDc source(target);
            SelectedObject pictureSelected(source.Get(), picture_.Get());
            const COLORREF transparent = GetPixel(source.Get(), 0, info.bmHeight - 1);
            TransparentBlt(buffer.Dc(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0,
                           info.bmWidth, info.bmHeight, transparent);
        }
        buffer.CopyTo(target, 0, 0);
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
