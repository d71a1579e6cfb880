#pragma once
// The main window TForm1: built from its description, it runs the two buttons' handlers
// and owns the report pane and the machinery the engine works through.
#include "Application.h"
#include "ColourBrush.h"
#include "FormControl.h"
#include "GdiHandles.h"
#include "ReportPane.h"

#include <memory>
#include <vector>

class Win32Platform;
class SystemCleaning;

class TForm1 {
public:
    TForm1(Application& application, const FormDescription& description);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    HWND Handle() const { return window_; }
    void Show();

    // Keyboard handling ahead of the controls: Tab and Shift+Tab move the focus between
    // the tab stops. True when the message was handled.
    bool PreTranslateMessage(const MSG& message);

    // "Desinfectar": the removal plan of the row selected at the click.
    void FlatButton6Click();
    // The information button: the selected row's description in the pane.
    void FlatButton7Click();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCommand(WPARAM wParam);
    bool OnEraseBackground(HDC dc);
    void OnActivate(bool active);
    LRESULT OnControlColour(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateFormFont();
    void CreateControls();
    FormControl* ControlById(int id) const;
    FormControl* ControlByHandle(HWND handle) const;
    HWND ControlHandle(const std::string& name) const;
    int SelectedIndex() const;
    std::vector<HWND> TabStops() const;

    Application& application_;
    const FormDescription& description_;
    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;   // the control that had the focus when the window was left
    GdiObject<HFONT> font_;
    FormMetrics metrics_;
    ColourBrush background_;
    std::vector<std::unique_ptr<FormControl>> controls_;
    std::unique_ptr<ReportPane> memo_;
    std::unique_ptr<Win32Platform> platform_;
    std::unique_ptr<SystemCleaning> cleaning_;
};
