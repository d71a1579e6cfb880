#pragma once
// The accessibility functions, looked up at their first call so the program still loads
// where they are missing: oleacc.dll (not on Windows 95 nor NT 4.0 without Active
// Accessibility), its companion oleaut32.dll, and user32's NotifyWinEvent (not on
// Windows 95 nor NT 4.0). Each does nothing where its function is missing.
#include <windows.h>
#include <oleacc.h>

namespace AccessibilityAtFirstUse {
// Hands an object to the caller of WM_GETOBJECT; 0 where oleacc is missing (the default
// procedure's answer).
LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object);
// The system's object for a window's part (OBJID_WINDOW: its frame); E_NOTIMPL where
// oleacc is missing.
HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID riid, void** object);
// The system's own object for a window's part; E_NOTIMPL where oleacc is missing.
HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID riid, void** object);
// A string for a client; null where oleaut32 is missing.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
void NotifyWinEvent(DWORD event, HWND window, LONG objectId, LONG childId);
}
