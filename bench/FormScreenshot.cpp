// Makes a picture of the program's main window as it shows on this screen, frame and
// caption bar included, the way the docs/ screenshots are made: the window built in this
// process, active, with nothing under the mouse. With "highcontrast" the system answers,
// through the window call table, that high contrast is on with a black scheme (Wine can
// switch it on neither for real nor for one process).
//   pelkarin_screenshot <picture.bmp> [highcontrast]
#include "tests/win32/support/HighContrastScheme.h"
#include "tests/win32/support/MessagePump.h"
#include "ui/Application.h"
#include "ui/Form1Description.h"
#include "ui/Unit1.h"
#include "widgets/win32/GdiHandles.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The window's pixels as the screen shows them, written as a 24-bit bottom-up BMP.
bool SaveWindow(HWND window, const char* path)
{
    RECT outer;
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    void* bits = nullptr;
    const WholeWindowDc screen(window);
    const MemoryDc memory(screen.Get());
    const GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&header),
                                                     DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory.Get() || !bitmap.Get())
        return false;
    {
        const SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;   // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&header, sizeof header, 1, out) == 1 &&
                         std::fwrite(bits, header.biSizeImage, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: pelkarin_screenshot <picture.bmp> [highcontrast]\n");
        return 2;
    }
    std::unique_ptr<HighContrastScheme> scheme;
    if (argc > 2 && std::strcmp(argv[2], "highcontrast") == 0)
        scheme = std::make_unique<HighContrastScheme>();
    Application application(GetModuleHandleA(nullptr));
    application.SetTitle("Pelkarin");
    TForm1 form(application, Form1Description());
    application.SetMainWindow(form.Handle());
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    form.Show();
    SetForegroundWindow(form.Handle());
    PumpMessages(1000);
    if (!SaveWindow(form.Handle(), argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
