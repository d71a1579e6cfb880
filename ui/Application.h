#pragma once
// The application object: the hidden application window that owns the program's one
// taskbar button and Alt+Tab entry, its title, the message loop, and the two boxes.
// While it lives, what leaves a message handler is shown in its error box.
#include "widgets/win32/OwnedWindow.h"

#include <functional>
#include <string>

class Application : private MessageHandler {
public:
    explicit Application(HINSTANCE instance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE Instance() const { return instance_; }
    HWND Window() const { return window_.Get(); }

    // The title is the application window's text and the caption of every box.
    void SetTitle(const std::string& title);
    const std::string& Title() const { return title_; }

    // The window whose closing ends the program; the application window hands
    // activation and closing on to it.
    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }

    // Runs the message loop until the program ends; filter sees each message first and
    // returns true for one it has handled. Returns the exit code.
    int Run(const std::function<bool(const MSG&)>& filter);

    // The engine's own box.
    void ShowEngineBox(const std::string& text);

private:
    // The error box for the message of an exception that left a handler.
    void ShowException(const std::string& message);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void ReturnToMainWindow();

    HINSTANCE instance_;
    OwnedWindow window_;
    HWND mainWindow_ = nullptr;
    std::string title_;
};
