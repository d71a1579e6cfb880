#pragma once
// A control: a component with a window of its own, a child of the form it is placed on.
#include "widgets/form/Component.h"
#include "widgets/win32/ComponentParent.h"
#include "widgets/win32/OwnedWindow.h"

#include <windows.h>

// A control's window goes when the control does. A class that handles the messages of
// its own window class is bound to it until then, so its members must not send messages
// to that window from their destructors.
class Control : public Component {
public:
    HWND Handle() const { return window_.Get(); }

    // Where the Tab key stops: controls with TabStop, in TabOrder.
    bool TabStop() const { return tab_.tabStop; }
    int TabOrder() const { return tab_.tabOrder; }

    // Requests the form passes on from the control: WM_CTLCOLOR* and the notification
    // code of WM_COMMAND (CBN_CLOSEUP, ...). null / false: the control leaves it to the
    // default handling.
    virtual HBRUSH ControlColour(HDC) { return nullptr; }
    virtual bool Notification(WORD /*code*/) { return false; }

protected:
    // tab: where the Tab key stops; a control that takes no focus keeps the default of none.
    explicit Control(const ComponentCreation& creation, TabPlace tab = {false});

    const ComponentParent& Parent() const { return parent_; }
    int Scale(int designLength) const { return parent_.metrics.Scale(designLength); }

    // Makes the control's window: a visible child of the form at the row's place, scaled
    // to this system's font, with the control's id, a tab stop when TabStop is set, and
    // the form's font. handler as for OwnedWindow::Create. Throws when it cannot.
    void CreateHandle(const char* windowClass, DWORD style, const std::string& text, int height,
                      MessageHandler* handler = nullptr);
    // Destroys the control's window, for a control that makes it anew with CreateHandle.
    void DestroyHandle() { window_.Destroy(); }

private:
    ComponentParent parent_;
    int id_;
    TabPlace tab_;
    OwnedWindow window_;
};
