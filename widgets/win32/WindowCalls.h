#pragma once
// The window functions that some of the Windows the program runs on lack, looked up at
// first use (LateBound) so the program loads without them; each caller has a fallback
// where one is missing. One table for the process: a test empties an entry to see the
// fallback, or puts in a stand-in: one that fails, or one that answers for the system.
#include "base/LateBound.h"
#include "widgets/win32/NewerWindowsDeclarations.h"

#include <windows.h>

struct WindowCalls {
    // Not in Windows 95 nor NT 4.0.
    LateBound<decltype(&::TransparentBlt)> TransparentBlt{
        "msimg32.dll", "TransparentBlt"};
    // Not in Windows 95 nor NT 4.0 before SP6.
    LateBound<decltype(&::GetComboBoxInfo)> GetComboBoxInfo{"user32.dll", "GetComboBoxInfo"};
    // Not in Windows 95.
    LateBound<decltype(&::TrackMouseEvent)> TrackMouseEvent{"user32.dll", "TrackMouseEvent"};
    // UI Automation's host object of a window (Windows 7 and later) and its notification
    // event (Windows 10 1709 and later).
    LateBound<UiaHostProviderFromHwndFunction> UiaHostProviderFromHwnd{
        "uiautomationcore.dll", "UiaHostProviderFromHwnd", static_cast<std::uintptr_t>(E_NOTIMPL)};
    LateBound<UiaRaiseNotificationEventFunction> UiaRaiseNotificationEvent{
        "uiautomationcore.dll", "UiaRaiseNotificationEvent", static_cast<std::uintptr_t>(E_NOTIMPL)};
    // In every Windows, and here so that a test can answer for the system: high contrast
    // switched on, with the colours of its scheme (Wine can switch neither).
    LateBound<decltype(&::SystemParametersInfoA)> SystemParametersInfoA{&::SystemParametersInfoA};
    LateBound<decltype(&::GetSysColor)> GetSysColor{&::GetSysColor};
    // Makes the message-only windows (parent HWND_MESSAGE), which Windows 95/98/Me and NT
    // 4.0 refuse: hidden top-level windows stand in there.
    LateBound<decltype(&::CreateWindowExA)> CreateMessageOnlyWindow{::CreateWindowExA};
    // The window's thread waiting for a run's end or a message.
    decltype(&::MsgWaitForMultipleObjects) MsgWaitForMultipleObjects = ::MsgWaitForMultipleObjects;
};

inline WindowCalls& TheWindowCalls()
{
    static WindowCalls calls;
    return calls;
}
