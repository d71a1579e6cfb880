#pragma once
// A window owned by an object: destroyed with it, and, for the program's own window
// classes, bound to the object that handles its messages from WM_NCCREATE to WM_NCDESTROY.
#include <windows.h>

#include <string>

// The object that handles a bound window's messages. Exceptions it throws are caught by
// the window procedure and reported (ExceptionReport.h); the message then returns 0.
class MessageHandler {
public:
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~MessageHandler() = default;
};

// Registers a window class of this module whose windows OwnedWindow binds, unless it is
// registered already. Throws std::runtime_error when the system refuses it.
void RegisterWindowClass(const char* className, UINT style = 0, HICON icon = nullptr);

struct WindowCreation {
    DWORD exStyle = 0;
    const char* className = nullptr;
    std::string text;
    DWORD style = 0;
    int left = 0, top = 0, width = 0, height = 0;
    HWND parent = nullptr;   // parent, or owner for a top-level window
    int id = 0;              // a child window's control id
};

class OwnedWindow {
public:
    OwnedWindow() = default;
    // Unbinds the handler first, so it sees nothing of the destruction, then destroys
    // the window if it still exists. A window of a system class must go this way before
    // its parent does (the parent would destroy it unnoticed).
    ~OwnedWindow();
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    // Creates the window. handler: null for the system's classes; for a class registered
    // with RegisterWindowClass it receives every message from WM_NCCREATE on, and Get()
    // already answers inside them. Throws std::runtime_error "Cannot create <what>".
    void Create(const WindowCreation& creation, MessageHandler* handler, const std::string& what);
    // Destroys the window as the destructor does; Create may make another one.
    void Destroy();

    // The window, null before Create and, for a bound window, once it has been destroyed
    // by any means.
    HWND Get() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    MessageHandler* handler_ = nullptr;
    friend void RegisterWindowClass(const char*, UINT, HICON);
};
