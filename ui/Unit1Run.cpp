// TForm1's disinfection run: the plan works on a thread of its own while the window's
// thread keeps answering in a loop of its own. Only the window's thread touches the
// windows: on a timer it hands the run's new Report lines to the pane in one change and
// shows the walk's progress in the strip, and it shows the engine's box for the run.
#include "ui/Unit1.h"

#include "cleaning/SystemCleaning.h"
#include "cleaning/Undo.h"
#include "cleaning/Win32Platform.h"
#include "cleaning/Win32Redirection.h"
#include "engine/DisinfectionRun.h"
#include "ui/BackgroundJob.h"
#include "widgets/controls/TFlatButtonUnit.h"
#include "widgets/controls/TFlatComboBoxUnit.h"
#include "widgets/controls/TFlatTitlebarUnit.h"
#include "widgets/win32/ExceptionReport.h"
#include "widgets/win32/WindowCalls.h"
#include "widgets/win32/WindowText.h"

namespace {

const UINT_PTR RunTimer = 0x5275;
const UINT RunTimerPeriod = 50;      // ms: how often the window looks at the run
// ms: the pane changes at most ten times a second, so a Report line reaches it within this.
// A change costs the same whatever it holds (under Wine the drawing of the pane's scroll
// bar, 10 to 30 ms): the faster the lines come, the more of them share one.
const DWORD PanePeriod = 100;
const DWORD StripPeriod = 100;       // ms: the strip changes at most ten times a second
const UINT EngineBoxRequest = WM_APP + 0x3100;   // lParam: the box's text
// What wakes the window's thread: every message. mingw-w64's QS_ALLINPUT also holds
// QS_RAWINPUT, which Windows 2000 and earlier refuse; the program registers no raw input.
const DWORD WakeMask = QS_KEY | QS_MOUSE | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY | QS_SENDMESSAGE;
const DWORD FailedWaitPause = 10;   // ms between two looks at the queue when the wait fails

bool IsInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// The window or a parent of it is disabled: input for it is dropped, so nothing clicked
// or typed during the run reaches a control, then or afterwards.
bool DisabledOrWithin(HWND window)
{
    for (; window; window = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr)
        if (!IsWindowEnabled(window))
            return true;
    return false;
}

} // namespace

void TForm1::FlatButton6Click()
{
    const int index = SelectedIndex();
    RunInBackground([this, index] { DisinfectionRun(index, *cleaning_, *platform_, runReport_, ProcessFlags(), runMonitor_); });
}

void TForm1::UndoClick()
{
    runReport_.Clear();
    RunInBackground([this] {
        try {
            UndoLastRun(*platform_, cleaning_->Data(), runReport_, runMonitor_);
        } catch (const RunStopped&) {
            runReport_.Append(InterruptedLine);
        }
    });
}

void TForm1::RunInBackground(const std::function<void()>& work)
{
    runMonitor_.Restart();
    closeAfterRun_ = false;
    std::exception_ptr failure;
    {
        // The window's run looks from the start of the run to its end, whatever happens.
        struct RunLooks {
            explicit RunLooks(TForm1& form) : form(form) { form.SetRunLooks(true); }
            ~RunLooks() { form.SetRunLooks(false); }
            TForm1& form;
        } looks(*this);
        BackgroundJob run([this, &work] {
            // Taken and let go on the run's thread, as a mutex must be.
            const std::unique_ptr<RunLock> lock = platform_->TakeRunLock();
            if (!lock) {
                runReport_.Clear();
                runReport_.Append(AnotherRunLine);
                return;
            }
            const RedirectionOff wholeFileSystem(platform_->Calls(), cleaning_->Data());
            work();
        });
        run_ = &run;
        WaitAnswering(run);
        run_ = nullptr;
        runReport_.DeliverTo(*memo_);
        failure = run.Failure();
    }
    if (!closeAfterRun_) {
        if (failure)
            std::rethrow_exception(failure);
        AnnounceOutcome(runReport_.LastLine());
        return;
    }
    // The window closes once the error, if any, has been seen.
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (...) {
            ReportCurrentException();
        }
    }
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::WaitAnswering(const BackgroundJob& run)
{
    bool quit = false;
    WPARAM exitCode = 0;
    while (!run.Finished()) {
        const HANDLE ended = run.Handle();
        if (TheWindowCalls().MsgWaitForMultipleObjects(1, &ended, FALSE, INFINITE, WakeMask) == WAIT_FAILED)
            Sleep(FailedWaitPause);   // never a loop that spins
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The program is to end: the run stops first, then the loop hears of it.
                quit = true;
                exitCode = message.wParam;
                runMonitor_.RequestStop();
                continue;
            }
            if (IsInput(message.message) && DisabledOrWithin(message.hwnd))
                continue;
            if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
                (message.hwnd == Handle() || IsChild(Handle(), message.hwnd))) {
                StopRun(false);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (quit)
        PostQuitMessage(static_cast<int>(exitCode));
}

bool TForm1::OnRunMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == EngineBoxRequest) {
        ShowEngineBox(*reinterpret_cast<const std::string*>(lParam));
        return true;
    }
    if (!running_)
        return false;
    switch (message) {
    case WM_TIMER:
        if (wParam != RunTimer)
            return false;
        OnRunTimer();
        return true;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
        result = TRUE;
        return true;
    case WM_CLOSE:
        StopRun(true);
        return true;
    case WM_QUERYENDSESSION:
        StopRun(true);
        result = TRUE;
        return true;
    case WM_ENDSESSION:
        // The process may end as soon as this returns: the run stops first.
        if (wParam && run_) {
            StopRun(true);
            WaitAnswering(*run_);
        }
        return true;
    }
    return false;
}

void TForm1::StopRun(bool closeAfterwards)
{
    runMonitor_.RequestStop();
    closeAfterRun_ = closeAfterRun_ || closeAfterwards;
}

void TForm1::ShowEngineBox(const std::string& text)
{
    if (GetWindowThreadProcessId(Handle(), nullptr) != GetCurrentThreadId()) {
        // Asked by the run: the window's thread shows it while the run waits.
        SendMessageA(Handle(), EngineBoxRequest, 0, reinterpret_cast<LPARAM>(&text));
        return;
    }
    runReport_.DeliverTo(*memo_);
    application_.ShowEngineBox(text);
}

void TForm1::OnRunTimer()
{
    const DWORD now = GetTickCount();
    if (now - paneChanged_ >= PanePeriod && runReport_.DeliverTo(*memo_))
        paneChanged_ = now;
    const std::string progress = runMonitor_.Progress();
    if (now - stripShown_ < StripPeriod || progress.empty())
        return;
    const HWND strip = flatTitlebar1_->Handle();
    if (progress != WindowText(strip)) {
        SetWindowTextA(strip, progress.c_str());
        stripShown_ = now;
    }
}

void TForm1::SetRunLooks(bool running)
{
    running_ = running;
    const HWND strip = flatTitlebar1_->Handle();
    if (running) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus))
            lastFocus_ = focus;
        stripCaption_ = WindowText(strip);
        SetTimer(Handle(), RunTimer, RunTimerPeriod, nullptr);
    } else {
        KillTimer(Handle(), RunTimer);
        SetWindowTextA(strip, stripCaption_.c_str());
    }
    for (HWND control : {comboBox1_->Handle(), flatButton6_->Handle(), flatButton7_->Handle()})
        EnableWindow(control, running ? FALSE : TRUE);
    // During the run the focus waits in the pane, the one control left enabled, where the
    // reader can go through the Report; then it goes back.
    if (running && GetActiveWindow() == Handle())
        SetFocus(PaneWindow());
    else if (!running && (GetFocus() == Handle() || GetFocus() == PaneWindow()))
        SetFocus(lastFocus_ && IsChild(Handle(), lastFocus_) ? lastFocus_ : comboBox1_->Handle());
    UpdatePointer();
}

void TForm1::AnnounceOutcome(const std::string& lastLine)
{
    // After the focus has gone back, whose announcement would cut the alert short.
    AnnounceAccessibleEvent(EVENT_OBJECT_VALUECHANGE, PaneWindow());
    alert_.Raise(Handle(), lastLine);
}

void TForm1::UpdatePointer() const
{
    POINT at;
    GetCursorPos(&at);
    const HWND under = WindowFromPoint(at);
    if (under != Handle() && !IsChild(Handle(), under))
        return;
    const LRESULT hit = SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}
