#pragma once
// What a control that paints itself tells assistive technology: an IAccessible object of
// its own for its client area, handed out in answer to WM_GETOBJECT, and the events that
// announce its changes.
#include "widgets/win32/NewerWindowsDeclarations.h"

#include <windows.h>

#include <string>

struct AccessibleFacts {
    long role = 0;               // ROLE_SYSTEM_...
    std::string name;            // Windows-1252
    long state = 0;              // STATE_SYSTEM_...
    std::string shortcut;        // "Alt+D"; empty for none
    std::string defaultAction;   // empty for none
};

// The control behind an object: its facts as they are at the moment, and its action.
class AccessibleSource {
public:
    virtual AccessibleFacts Facts() const = 0;
    virtual void DoDefaultAction() = 0;

protected:
    ~AccessibleSource() = default;
};

class ControlAccessible;

// The control's object, made at the first WM_GETOBJECT. When the control goes, clients
// that still hold the object get RPC_E_DISCONNECTED from every call.
class AccessibleObject {
public:
    AccessibleObject() = default;
    ~AccessibleObject();
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // The answer to WM_GETOBJECT: the object when asked for objectId (by default the
    // window's client area), else 0 (the default procedure's part).
    LRESULT OnGetObject(HWND window, AccessibleSource& source, WPARAM wParam, LPARAM lParam,
                        LONG objectId = OBJID_CLIENT);

private:
    ControlAccessible* object_ = nullptr;   // one reference of ours
};

// Announces a change of the window's client object (EVENT_OBJECT_...).
void AnnounceAccessibleEvent(DWORD event, HWND window);

// A Windows-1252 text as a new string for a client; S_FALSE and null for an empty one.
HRESULT AccessibleText(const std::string& text, BSTR* result);
