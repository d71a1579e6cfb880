#include "widgets/win32/AccessibleAlert.h"

#include "widgets/win32/AccessibilityCalls.h"
#include "widgets/win32/WindowCalls.h"

#include <oleacc.h>

namespace {

// The text as a UI Automation notification of the window's host object.
void Notify(HWND window, const std::string& text)
{
    WindowCalls& calls = TheWindowCalls();
    if (!calls.UiaRaiseNotificationEvent.Get())
        return;
    IRawElementProviderSimple* provider = nullptr;
    if (FAILED(calls.UiaHostProviderFromHwnd(window, &provider)) || !provider)
        return;
    BSTR display = nullptr, activity = nullptr;
    if (AccessibleText(text, &display) == S_OK && AccessibleText("alert", &activity) == S_OK)
        calls.UiaRaiseNotificationEvent(provider, UiaNotificationKind_ActionCompleted,
                                        UiaNotificationProcessing_ImportantAll, display, activity);
    AccessibilityAtFirstUse::SysFreeString(display);
    AccessibilityAtFirstUse::SysFreeString(activity);
    provider->Release();
}

} // namespace

void AccessibleAlert::Raise(HWND window, const std::string& text)
{
    text_ = text;
    AccessibilityAtFirstUse::NotifyWinEvent(EVENT_SYSTEM_ALERT, window, ObjectId, CHILDID_SELF);
    Notify(window, text);
}

LRESULT AccessibleAlert::OnGetObject(HWND window, WPARAM wParam, LPARAM lParam)
{
    return object_.OnGetObject(window, *this, wParam, lParam, ObjectId);
}

AccessibleFacts AccessibleAlert::Facts() const
{
    return {ROLE_SYSTEM_ALERT, text_, STATE_SYSTEM_READONLY, "", ""};
}
