#pragma once
// A timer that ticks every Period milliseconds through the message queue of the thread
// that made it, while it runs. It lives in a message-only window of its own, so it can
// exist stopped, and is gone with its object.
#include "widgets/win32/OwnedWindow.h"

class HoverTimer : private MessageHandler {
public:
    static const UINT Period = 100;
    // The class of the timer's window, for looking it up.
    static const char* const WindowClassName;

    // Made stopped; tick runs at each period once started. Throws when the window
    // cannot be made.
    explicit HoverTimer(void (*tick)());

    // Starts it, or starts it again: the next tick comes a full period from now.
    void Start();
    // Stops it; no tick already due arrives after this.
    void Stop();

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    void (*tick_)();
    bool running_ = false;
    OwnedWindow window_;
};
