#pragma once
// An alert a window raises for assistive technology: an accessible object of the alert
// role named with the alert's text, announced with EVENT_SYSTEM_ALERT, which screen
// readers speak whatever has the focus; and, where the system has UI Automation's
// notifications (Windows 10 1709 on), the same text as a notification.
#include "widgets/win32/AccessibleObject.h"

class AccessibleAlert : private AccessibleSource {
public:
    // The id a client asks the window for the alert's object by (WM_GETOBJECT).
    static const LONG ObjectId = 1;

    void Raise(HWND window, const std::string& text);
    // The answer to WM_GETOBJECT: the alert's object when asked for it, else 0.
    LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam);

private:
    AccessibleFacts Facts() const override;
    void DoDefaultAction() override {}

    std::string text_;
    AccessibleObject object_;
};
