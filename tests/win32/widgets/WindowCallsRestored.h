#pragma once
// Keeps the window call table as it stands and puts it back when the test is done: the
// test empties entries (nullptr) to run as on a Windows without those functions.
#include "widgets/win32/WindowCalls.h"

class WindowCallsRestored {
public:
    WindowCallsRestored() : saved_(TheWindowCalls()) {}
    WindowCallsRestored(const WindowCallsRestored&) = delete;
    WindowCallsRestored& operator=(const WindowCallsRestored&) = delete;
    ~WindowCallsRestored() { TheWindowCalls() = saved_; }

private:
    WindowCalls saved_;
};

// Message-only windows as the system offers them (true), or as on Windows 98, Me and NT
// 4.0, which have none (false: the entry emptied), until the object goes.
class MessageOnlyWindows : private WindowCallsRestored {
public:
    explicit MessageOnlyWindows(bool offered) : offered_(offered)
    {
        if (!offered)
            TheWindowCalls().CreateMessageOnlyWindow = nullptr;
    }
    // Where the program's hidden windows are: below HWND_MESSAGE, or at the top level.
    HWND Parent() const { return offered_ ? HWND_MESSAGE : nullptr; }

private:
    const bool offered_;
};
