#pragma once
// The application object: the hidden application window that owns the program's one
// taskbar button and Alt+Tab entry, its title, the message loop, and the two boxes.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

class Application {
public:
    explicit Application(HINSTANCE instance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE Instance() const { return instance_; }
    HWND Window() const { return window_; }

    // The title is the application window's text and the caption of every box.
    void SetTitle(const std::string& title);
    const std::string& Title() const { return title_; }

    // The window whose closing ends the program; the application window hands
    // activation and closing on to it.
    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }

    // Runs the message loop until the program ends; filter sees each message first and
    // returns true for one it has handled. Returns the exit code.
    int Run(const std::function<bool(const MSG&)>& filter);

    // The error box for an exception that left a handler.
    void ShowException(const std::exception& error);
    // The engine's own box.
    void ShowEngineBox(const std::string& text);

private:
    void ReturnToMainWindow();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND mainWindow_ = nullptr;
    std::string title_;
};
