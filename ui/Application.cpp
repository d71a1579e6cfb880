#include "Application.h"

#include "EngineMessageBox.h"
#include "PaneText.h"

#include "../res/resource.h"

#include <stdexcept>
#include <vector>

namespace {

const char* const ApplicationClassName = "TApplication";

// While a modal box is up, the program's other windows take no input; they get it back
// when the box closes.
class ThreadWindowsDisabled {
public:
    ThreadWindowsDisabled()
    {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(&disabled_));
    }
    ~ThreadWindowsDisabled()
    {
        for (HWND window : disabled_)
            EnableWindow(window, TRUE);
    }
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM list)
    {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
    }

    std::vector<HWND> disabled_;
};

} // namespace

Application::Application(HINSTANCE instance) : instance_(instance)
{
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(instance, ApplicationClassName, &windowClass)) {
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PELKARIN));
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = ApplicationClassName;
        if (!RegisterClassA(&windowClass))
            throw std::runtime_error("Cannot register the application window class");
    }
    // A zero-sized window at the screen's centre: it is never seen, but it carries the
    // taskbar button of the program.
    window_ = CreateWindowExA(0, ApplicationClassName, "",
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                              nullptr, nullptr, instance, this);
    if (!window_)
        throw std::runtime_error("Cannot create the application window");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
}

Application::~Application()
{
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void Application::SetTitle(const std::string& title)
{
    title_ = title;
    SetWindowTextA(window_, title.c_str());
}

int Application::Run(const std::function<bool(const MSG&)>& filter)
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (filter && filter(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void Application::ShowException(const std::exception& error)
{
    {
        ThreadWindowsDisabled disabled;
        MessageBoxA(window_, ErrorBoxText(error.what()).c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
    }
    ReturnToMainWindow();
}

void Application::ShowEngineBox(const std::string& text)
{
    {
        ThreadWindowsDisabled disabled;
        ShowEngineMessageBox(window_, title_, text);
    }
    ReturnToMainWindow();
}

void Application::ReturnToMainWindow()
{
    // The closed box hands the activation to its owner, the application window, while
    // the main window is still disabled.
    if (mainWindow_ && IsWindow(mainWindow_))
        SetActiveWindow(mainWindow_);
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* application = reinterpret_cast<Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    HWND mainWindow = application ? application->mainWindow_ : nullptr;
    switch (message) {
    case WM_ACTIVATE:
        // Activated through its taskbar button: the main window takes the activation.
        if (LOWORD(wParam) != WA_INACTIVE && mainWindow && IsWindowEnabled(mainWindow)) {
            SetActiveWindow(mainWindow);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (mainWindow) {
            PostMessageA(mainWindow, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
