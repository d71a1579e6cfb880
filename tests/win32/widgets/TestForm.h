#pragma once
// A small top-level form for the tests of the title strip, the window hook and the
// gradient caption: a visible tool window at a fixed place whose own procedure reports
// each message to the test, with components built on it from rows.
#include "widgets/controls/FormComponents.h"
#include "widgets/controls/GradientCaption.h"
#include "widgets/controls/TFlatTitlebarUnit.h"
#include "widgets/win32/GdiHandles.h"
#include "widgets/win32/OwnedWindow.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// The form's own processing of WM_APP + FormFails throws.
const UINT FormFails = 9;

class TestForm : private MessageHandler {
    // The window goes last, after the components on it.
    DWORD style_, exStyle_;
    // The program's form font: text 13 pixels high.
    GdiObject<HFONT> font_{CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                       "MS Sans Serif")};
    std::unique_ptr<OwnedWindow> window_;
    ComponentParent parent_;
    FormDescription description_;

public:
    explicit TestForm(DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, DWORD exStyle = WS_EX_TOOLWINDOW)
        : style_(style), exStyle_(exStyle)
    {
        RegisterWindowClass("PelkarinTestForm");
        parent_.metrics.font = font_.Get();
        Create();
        parent_.isForm = true;
    }

    HWND Handle() const { return window_->Get(); }
    ComponentParent& Parent() { return parent_; }

    // Builds the rows' components on the form, the last row's end of loading last.
    void Build(std::vector<ComponentDescription> rows)
    {
        description_.components = std::move(rows);
        components.Build(description_, parent_);
    }
    template <typename T>
    T& Component(std::size_t index) const
    {
        return dynamic_cast<T&>(*components.All().at(index));
    }

    // Replaces the form's window with a new one, as a form that recreates its window does.
    void Recreate()
    {
        DestroyWindow(Handle());
        window_.reset();
        Create();
    }

    // Sees every message the form's own procedure gets; its return value is not used.
    std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> seen;
    FormComponents components;

private:
    void Create()
    {
        window_ = std::make_unique<OwnedWindow>();
        WindowCreation creation;
        creation.exStyle = exStyle_;
        creation.className = "PelkarinTestForm";
        creation.text = "Form";
        creation.style = style_ | WS_VISIBLE;
        creation.left = 40;
        creation.top = 30;
        creation.width = 320;
        creation.height = 120;
        window_->Create(creation, this, "the test form");
        parent_.window = window_->Get();
    }

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (seen)
            seen(message, wParam, lParam);
        if (message == WM_APP + FormFails)
            throw std::runtime_error("Cannot open file deep.kvd");
        if (message >= WM_APP)
            return static_cast<LRESULT>(wParam * 10);
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

inline ComponentDescription Row(const std::string& name, ComponentSettings settings, int left = 0, int top = 0,
                                int width = 0, int height = 0)
{
    return {name, left, top, width, height, std::move(settings)};
}

// Another top-level window of the test, to take the activation from the form.
class OtherWindow {
public:
    OtherWindow()
        : window_(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 500, 40, 40, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~OtherWindow() { DestroyWindow(window_); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

// Lets the queued messages of this thread be handled.
inline void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

inline void Activate(HWND window)
{
    SetForegroundWindow(window);
    SetActiveWindow(window);
    PumpMessages();
}
