#include "widgets/controls/PaintedControl.h"

#include "widgets/win32/NewerWindowsDeclarations.h"
#include "widgets/win32/OffscreenPaint.h"
#include "widgets/win32/PaintSession.h"

void PaintedControl::CreatePaintedHandle(const char* windowClass, UINT classStyle, DWORD style,
                                         const std::string& text)
{
    RegisterWindowClass(windowClass, classStyle);
    CreateHandle(windowClass, style, text, Scale(Description().height), this);
}

void PaintedControl::Repaint() const
{
    InvalidateRect(Handle(), nullptr, FALSE);
    AnnounceStateChange();
}

void PaintedControl::AnnounceStateChange() const
{
    const AccessibleFacts facts = Facts();
    if (facts.role == 0 || facts.state == announcedState_)
        return;
    const bool first = announcedState_ == -1;
    announcedState_ = facts.state;
    if (!first)
        AnnounceAccessibleEvent(EVENT_OBJECT_STATECHANGE, Handle());
}

void PaintedControl::AnnounceNameChange()
{
    AnnounceAccessibleEvent(EVENT_OBJECT_NAMECHANGE, Handle());
}

LRESULT PaintedControl::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT PaintedControl::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;   // the paint covers every pixel
    case WM_PAINT:
        PaintWindow(window);
        return 0;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFONT:
        if (font_ != reinterpret_cast<HFONT>(wParam)) {
            font_ = reinterpret_cast<HFONT>(wParam);
            Repaint();
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        Repaint();
        if (Facts().role != 0)
            AnnounceNameChange();
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        // Repainted either way, as the focus shows on the face; the system announces the
        // focus itself.
        const LRESULT result = OnMessage(window, message, wParam, lParam);
        Repaint();
        return result;
    }
    case WM_GETOBJECT:
        if (Facts().role != 0)
            if (const LRESULT object = accessible_.OnGetObject(window, *this, wParam, lParam))
                return object;
        break;
    }
    return OnMessage(window, message, wParam, lParam);
}

void PaintedControl::PaintWindow(HWND window)
{
    const PaintSession paint(window);
    RECT client;
    GetClientRect(window, &client);
    if (client.right > 0 && client.bottom > 0)
        buffer_.Paint(paint.Dc(), 0, 0, client.right, client.bottom, [this](HDC dc) { Paint(dc); },
                      FaceAsLastPainted());
}
