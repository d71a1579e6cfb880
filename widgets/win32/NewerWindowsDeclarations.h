#pragma once
// Declarations of Windows 98 / 2000 and later that headers set for older systems leave
// out, and of newer ones the headers lack. The program still reaches what they name only
// where the system answers it: an old system leaves these messages to the default
// procedure, which returns 0, and lacks the functions, which are looked up at first use.
#include <windows.h>

#ifndef WM_GETOBJECT
#define WM_GETOBJECT 0x003D
#endif
#ifndef WM_CHANGEUISTATE
#define WM_CHANGEUISTATE 0x0127
#define WM_UPDATEUISTATE 0x0128
#define WM_QUERYUISTATE 0x0129
#endif
#ifndef UIS_SET
#define UIS_SET 1
#define UIS_CLEAR 2
#define UIS_INITIALIZE 3
#endif
#ifndef UISF_HIDEFOCUS
#define UISF_HIDEFOCUS 0x1
#define UISF_HIDEACCEL 0x2
#endif
#ifndef SPI_GETKEYBOARDCUES
#define SPI_GETKEYBOARDCUES 0x100A
#endif
#ifndef OBJID_CLIENT
#define OBJID_WINDOW static_cast<LONG>(0x00000000)
#define OBJID_CLIENT static_cast<LONG>(0xFFFFFFFC)
#endif
#ifndef CHILDID_SELF
#define CHILDID_SELF 0
#endif
#ifndef EVENT_OBJECT_STATECHANGE
#define EVENT_OBJECT_STATECHANGE 0x800A
#define EVENT_OBJECT_NAMECHANGE 0x800C
#endif
#ifndef EVENT_SYSTEM_ALERT
#define EVENT_SYSTEM_ALERT 0x0002
#endif
#ifndef EVENT_OBJECT_VALUECHANGE
#define EVENT_OBJECT_VALUECHANGE 0x800E
#endif

// UI Automation (Windows 7 and later): the host object of a window, and the notification
// event of Windows 10 1709, which the headers do not declare (or not in C++).
#include <uiautomationcore.h>

using UiaHostProviderFromHwndFunction = HRESULT(WINAPI*)(HWND window, IRawElementProviderSimple** provider);
enum UiaNotificationKind { UiaNotificationKind_ActionCompleted = 2 };
enum UiaNotificationProcessing { UiaNotificationProcessing_ImportantAll = 0 };
using UiaRaiseNotificationEventFunction = HRESULT(WINAPI*)(IRawElementProviderSimple* provider,
                                                           UiaNotificationKind kind,
                                                           UiaNotificationProcessing processing,
                                                           BSTR displayString, BSTR activityId);
