#include "ui/Application.h"

#include "ui/EngineMessageBox.h"
#include "ui/PaneText.h"
#include "widgets/win32/ExceptionReport.h"

#include "res/resource.h"

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

// A filter's exception is reported like a handler's; the message then takes its usual way.
bool Filtered(const std::function<bool(const MSG&)>& filter, const MSG& message)
{
    try {
        return filter(message);
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}

} // namespace

Application::Application(HINSTANCE instance) : instance_(instance)
{
    RegisterWindowClass(ApplicationClassName, 0, LoadIconA(instance, MAKEINTRESOURCEA(IDI_PELKARIN)));
    // A zero-sized window at the screen's centre: it is never seen, but it carries the
    // taskbar button of the program.
    WindowCreation creation;
    creation.className = ApplicationClassName;
    creation.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    creation.left = GetSystemMetrics(SM_CXSCREEN) / 2;
    creation.top = GetSystemMetrics(SM_CYSCREEN) / 2;
    window_.Create(creation, this, "the application window");
    ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
    SetExceptionReport([this](const std::string& message) { ShowException(message); });
}

Application::~Application()
{
    SetExceptionReport(nullptr);
}

void Application::SetTitle(const std::string& title)
{
    title_ = title;
    SetWindowTextA(window_.Get(), title.c_str());
}

int Application::Run(const std::function<bool(const MSG&)>& filter)
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (filter && Filtered(filter, message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void Application::ShowException(const std::string& message)
{
    {
        ThreadWindowsDisabled disabled;
        MessageBoxA(window_.Get(), ErrorBoxText(message).c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
    }
    ReturnToMainWindow();
}

void Application::ShowEngineBox(const std::string& text)
{
    {
        ThreadWindowsDisabled disabled;
        ShowEngineMessageBox(window_.Get(), title_, text);
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

LRESULT Application::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        // Activated through its taskbar button: the main window takes the activation.
        if (LOWORD(wParam) != WA_INACTIVE && mainWindow_ && IsWindowEnabled(mainWindow_)) {
            SetActiveWindow(mainWindow_);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (mainWindow_) {
            PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
