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
