#include "tests/win32/widgets/ControlHost.h"

namespace {
const char* const HostClass = "PelkarinControlHost";
}

ControlHost::ControlHost(std::vector<ComponentDescription> rows, ColourWord colour, int dpi)
{
    form_.name = "Host";
    form_.colour = colour;
    form_.components = std::move(rows);
    RegisterWindowClass(HostClass);
    WindowCreation creation;
    creation.className = HostClass;
    creation.style = WS_POPUP | WS_CLIPCHILDREN;
    creation.left = 40;
    creation.top = 40;
    creation.width = 420;
    creation.height = 300;
    window_.Create(creation, this, "the host");
    font_ = GdiObject<HFONT>(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));
    ComponentParent parent;
    parent.window = Handle();
    parent.isForm = true;
    parent.colour = colour;
    parent.metrics.font = font_.Get();
    parent.metrics.dpi = dpi;
    components_.Build(form_, parent);
    ShowWindow(Handle(), SW_SHOWNA);
    UpdateWindow(Handle());
}

ControlHost::~ControlHost() = default;

void ControlHost::Activate() const
{
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
    PumpMessages();
}

void ControlHost::Deactivate()
{
    SetForegroundWindow(GetDesktopWindow());
    PumpMessages();
}

LRESULT ControlHost::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (Control* control = components_.ControlById(LOWORD(wParam)))
            if (control->Notification(HIWORD(wParam)))
                return 0;
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        if (Control* control = components_.ControlByHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = control->ControlColour(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void MoveMouseTo(POINT screenPoint, DWORD settle)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screenPoint.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screenPoint.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    PumpMessages(settle);
}
