// A picture from the program's resources, drawn at the control's top-left corner with one
// transparent colour, that of the picture's bottom-left pixel, where the control's
// background colour shows.
#include "ColourBrush.h"
#include "ControlClasses.h"

#include <stdexcept>

namespace {

const char* const ImageClassName = "TImage";

class Image : public FormControl {
public:
    Image(const ControlDescription& description, HWND handle)
        : FormControl(description, handle),
          picture_(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                   MAKEINTRESOURCEA(description.resourceId), IMAGE_BITMAP,
                                                   0, 0, LR_CREATEDIBSECTION)))
    {
        SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Image() override { SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0); }

    void Paint(HDC target)
    {
        RECT area;
        GetClientRect(Handle(), &area);
        MemoryDc buffer(target);
        GdiObject<HBITMAP> bufferBitmap(CreateCompatibleBitmap(target, area.right, area.bottom));
        SelectedObject bufferSelected(buffer.Get(), bufferBitmap.Get());
        FillRect(buffer.Get(), &area, background_.Get(Description().colour));
        if (picture_.Get()) {
            BITMAP info;
            GetObjectA(picture_.Get(), sizeof info, &info);
            MemoryDc source(target);
            SelectedObject pictureSelected(source.Get(), picture_.Get());
            const COLORREF transparent = GetPixel(source.Get(), 0, info.bmHeight - 1);
            TransparentBlt(buffer.Get(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0,
                           info.bmWidth, info.bmHeight, transparent);
        }
        BitBlt(target, 0, 0, area.right, area.bottom, buffer.Get(), 0, 0, SRCCOPY);
    }

private:
    GdiObject<HBITMAP> picture_;
    ColourBrush background_;
};

LRESULT CALLBACK ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* image = reinterpret_cast<Image*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (image)
            image->Paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (image)
            image->Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterImageClass()
{
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(nullptr), ImageClassName, &existing))
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ImageProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = ImageClassName;
    if (!RegisterClassA(&windowClass))
        throw std::runtime_error("Cannot register the picture class");
}

} // namespace

std::unique_ptr<FormControl> CreateImage(const ControlDescription& d, HWND parent, int id,
                                         const FormMetrics& metrics)
{
    RegisterImageClass();
    HWND handle = CreateWindowExA(0, ImageClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                  metrics.Scale(d.left), metrics.Scale(d.top), metrics.Scale(d.width),
                                  metrics.Scale(d.height), parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!handle)
        throw std::runtime_error("Cannot create control " + d.name);
    return std::make_unique<Image>(d, handle);
}
