#include "widgets/win32/OwnedWindow.h"

#include "widgets/win32/ExceptionReport.h"
#include "widgets/win32/WindowCalls.h"

#include <stdexcept>

void RegisterWindowClass(const char* className, UINT style, HICON icon)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    if (GetClassInfoA(instance, className, &windowClass))
        return;
    windowClass.style = style;
    windowClass.lpfnWndProc = OwnedWindow::Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass))
        throw std::runtime_error(std::string("Cannot register the window class ") + className);
}

OwnedWindow::~OwnedWindow()
{
    Destroy();
}

void OwnedWindow::Destroy()
{
    if (!window_)
        return;
    if (handler_)
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
}

void OwnedWindow::Create(const WindowCreation& creation, MessageHandler* handler, const std::string& what)
{
    handler_ = handler;
    auto make = [&](const auto& create, HWND parent) {
        return create(creation.exStyle, creation.className, creation.text.c_str(), creation.style, creation.left,
                      creation.top, creation.width, creation.height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.id)), GetModuleHandleA(nullptr),
                      handler ? this : nullptr);
    };
    const bool messageOnly = creation.parent == HWND_MESSAGE;
    HWND window = messageOnly ? make(TheWindowCalls().CreateMessageOnlyWindow, HWND_MESSAGE)
                              : make(::CreateWindowExA, creation.parent);
    // Windows 95/98/Me and NT 4.0 have no message-only windows: a hidden top-level window
    // without an owner serves there.
    if (!window && messageOnly && !(creation.style & (WS_CHILD | WS_VISIBLE)))
        window = make(::CreateWindowExA, nullptr);
    if (!window)
        throw std::runtime_error("Cannot create " + what);
    window_ = window;
}

LRESULT CALLBACK OwnedWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<OwnedWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (owner) {
            owner->window_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        }
    }
    auto* owner = reinterpret_cast<OwnedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!owner)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        owner->window_ = nullptr;
    }
    try {
        return owner->handler_->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
        return 0;
    }
}
