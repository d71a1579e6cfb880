#pragma once
// The main window TForm1: built from its description, it runs the two buttons' handlers
// and owns the report pane and the machinery the engine works through.
#include "ui/Application.h"
#include "ui/ReportPane.h"
#include "ui/ReportQueue.h"
#include "ui/RunMonitor.h"
#include "widgets/controls/FormComponents.h"
#include "widgets/win32/AccessibleAlert.h"
#include "widgets/win32/ColourBrush.h"
#include "widgets/win32/GdiHandles.h"

#include <functional>
#include <memory>
#include <vector>

class BackgroundJob;
class TFlatButton;
class TFlatComboBox;
class TFlatTitlebar;
class Win32Platform;
class SystemCleaning;

class TForm1 : private MessageHandler {
public:
    // Makes the window and its components, and binds the buttons' clicks. Throws when any
    // of it fails (a component the form needs is missing from the description, say),
    // leaving no window behind.
    TForm1(Application& application, const FormDescription& description);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    HWND Handle() const { return window_.Get(); }
    void Show();

    // Keyboard handling ahead of the controls: Tab and Shift+Tab move the focus between
    // the tab stops and show the focus rectangles, Alt shows the accelerators' underlines,
    // and a character typed with Alt is offered to the controls as an accelerator. True
    // when the message was handled.
    bool PreTranslateMessage(const MSG& message);

    // "Desinfectar": the removal plan of the row selected at the click, run on a thread
    // of its own while the window keeps answering; returns when the run has ended.
    void FlatButton6Click();
    // The information button: the selected row's description in the pane.
    void FlatButton7Click();
    // The system menu's "Deshacer la última desinfección": clears the pane and puts back
    // the last run's items, in the background as a run works; returns when it has ended.
    void UndoClick();

    // The end of a run as assistive technology hears it: the pane's new value, and an
    // alert named with the Report's last line (the verdict), spoken wherever the focus is.
    void AnnounceOutcome(const std::string& lastLine);

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam);
    bool OnEraseBackground(HDC dc);
    // WM_SETTINGCHANGE, WM_SYSCOLORCHANGE: high contrast, colours or metrics may have changed.
    void OnSystemLookChanged();
    void OnActivate(bool active);
    // WM_CHANGEUISTATE, from the form itself or a control: the controls hear of a change.
    void OnChangeKeyboardCues(WPARAM change);
    LRESULT OnControlColour(UINT message, WPARAM wParam, LPARAM lParam);

    void ShowKeyboardCues(WORD cues) const;   // UISF_HIDEFOCUS, UISF_HIDEACCEL

    // The system menu's undo item, and whether it can be chosen now.
    void AddUndoItem();
    void OnInitSystemMenu(HMENU menu);

    // The run under way (Unit1Run.cpp): work is called on the run's thread, holding the
    // machine's run lock.
    void RunInBackground(const std::function<void()>& work);
    void WaitAnswering(const BackgroundJob& run);
    bool OnRunMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void StopRun(bool closeAfterwards);
    void ShowEngineBox(const std::string& text);
    void OnRunTimer();
    void SetRunLooks(bool running);
    void UpdatePointer() const;

    bool OfferAccelerator(char typed) const;
    void ForwardToControls(UINT message, WPARAM wParam, LPARAM lParam) const;
    void CreateFormFont();
    // The window's outer size around its client area, as the description and the screen have it.
    SIZE OuterSize() const;
    HWND PaneWindow() const;
    void BindComponents();
    int SelectedIndex() const;
    std::vector<HWND> TabStops() const;

    Application& application_;
    const FormDescription& description_;
    OwnedWindow window_;         // goes last, after everything that lives on it
    HWND lastFocus_ = nullptr;   // the control that had the focus when the window was left
    WORD hiddenCues_ = 0;        // keyboard cues hidden: UISF_HIDEFOCUS, UISF_HIDEACCEL
    GdiObject<HFONT> font_;
    ComponentParent parent_;
    ColourBrush background_;
    AccessibleAlert alert_;
    std::unique_ptr<ReportPane> memo_;
    ReportQueue runReport_;      // the Report as the run's thread writes it
    RunMonitor runMonitor_;
    bool running_ = false;
    const BackgroundJob* run_ = nullptr;   // the run under way
    bool closeAfterRun_ = false;
    std::string stripCaption_;   // the progress strip's own text, shown again after a run
    DWORD stripShown_ = 0;       // when the strip last changed
    DWORD paneChanged_ = 0;      // when the run's lines last went to the pane
    std::unique_ptr<Win32Platform> platform_;
    std::unique_ptr<SystemCleaning> cleaning_;
    FormComponents components_;  // goes first, while the rest of the form still serves it
    // The components the form works with, bound once it is built.
    TFlatComboBox* comboBox1_ = nullptr;
    TFlatButton* flatButton6_ = nullptr;
    TFlatButton* flatButton7_ = nullptr;
    TFlatTitlebar* flatTitlebar1_ = nullptr;   // shows the run's progress
};
