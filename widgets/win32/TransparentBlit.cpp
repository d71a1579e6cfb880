#include "widgets/win32/TransparentBlit.h"

#include "widgets/win32/CheckedGdi.h"
#include "widgets/win32/GdiHandles.h"
#include "widgets/win32/WindowCalls.h"

void DrawTransparent(HDC dc, HDC source, int width, int height, COLORREF transparent)
{
    if (const auto transparentBlt = TheWindowCalls().TransparentBlt.Get()) {
        transparentBlt(dc, 0, 0, width, height, source, 0, 0, width, height, transparent);
        return;
    }
    // Colour to monochrome makes the source's background colour white (1) and every other
    // colour black (0).
    GdiObject<HBITMAP> mask(Checked(CreateBitmap(width, height, 1, 1, nullptr), "a transparency mask"));
    MemoryDc maskDc(dc);
    Checked(maskDc.Get(), "a memory DC");
    SelectedObject maskSelected(maskDc.Get(), mask.Get());
    const COLORREF sourceBackground = SetBkColor(source, transparent);
    BitBlt(maskDc.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    SetBkColor(source, sourceBackground);
    // Monochrome to colour takes 0 as the text colour and 1 as the background colour:
    // dc ^= picture; dc &= mask; dc ^= picture leaves dc where the mask is white and puts
    // the picture where it is black.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF background = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCINVERT);
    BitBlt(dc, 0, 0, width, height, maskDc.Get(), 0, 0, SRCAND);
    BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCINVERT);
    SetTextColor(dc, text);
    SetBkColor(dc, background);
}
