#include "widgets/win32/HoverTimer.h"

namespace {
const UINT_PTR TimerId = 1;
}

const char* const HoverTimer::WindowClassName = "TFlatButtonHoverTimer";

HoverTimer::HoverTimer(void (*tick)()) : tick_(tick)
{
    RegisterWindowClass(WindowClassName);
    WindowCreation creation;
    creation.className = WindowClassName;
    creation.parent = HWND_MESSAGE;
    window_.Create(creation, this, "the hover timer");
}

void HoverTimer::Start()
{
    // Setting an existing timer again restarts its period.
    running_ = SetTimer(window_.Get(), TimerId, Period, nullptr) != 0;
}

void HoverTimer::Stop()
{
    if (running_)
        KillTimer(window_.Get(), TimerId);
    running_ = false;
}

LRESULT HoverTimer::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == TimerId) {
        if (running_)
            tick_();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
