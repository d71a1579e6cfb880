#pragma once
// A form for control tests: a top-level window at a fixed place on the screen, with the
// program's font, whose components come from description rows. Like the program's form
// it passes WM_COMMAND notifications and WM_CTLCOLOR* on to its controls.
#include "tests/win32/support/MessagePump.h"
#include "widgets/controls/FormComponents.h"
#include "widgets/win32/GdiHandles.h"

#include <stdexcept>
#include <string>
#include <vector>

class ControlHost : private MessageHandler {
public:
    // dpi: the screen's resolution, against 96 the rows were laid out for.
    ControlHost(std::vector<ComponentDescription> rows, ColourWord colour, int dpi = 96);
    ~ControlHost();

    HWND Handle() const { return window_.Get(); }
    HFONT Font() const { return font_.Get(); }

    // The component of that name, of the given class.
    template <typename T>
    T& Get(const std::string& name) const
    {
        for (const auto& component : components_.All())
            if (component->Name() == name)
                return dynamic_cast<T&>(*component);
        throw std::runtime_error("No component " + name);
    }

    // Activates the window, or leaves this program without an active window.
    void Activate() const;
    static void Deactivate();

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    FormDescription form_;
    OwnedWindow window_;
    GdiObject<HFONT> font_;
    FormComponents components_;
};


// Moves the mouse to a point of the screen, as the user would, and dispatches messages
// for the given time. The platform notices a leaving mouse within its hover time.
const DWORD MouseLeaveTime = 600;
void MoveMouseTo(POINT screenPoint, DWORD settle = 100);
