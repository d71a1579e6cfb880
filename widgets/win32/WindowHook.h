#pragma once
// Watching a form's window messages before and after the form's own processing.
//
// A TWindowHook attaches to a form (its WinControl) and raises BeforeMessage and
// AfterMessage for the messages of the form's window:
//   1. BeforeMessage for every message but WM_QUIT, before the window's own processing;
//   2. then, unless a handler set Handled (WM_DESTROY goes on regardless), the window's
//      own processing, whose return value becomes the record's result;
//   3. then AfterMessage with the same record, also when that processing raised an error;
//      not for a message that was handled before and therefore not passed on.
// Each event starts with Handled false. The hooks of one form share one interception
// (THookList keeps one TControlHook per form), which calls them last attached first and
// stops at the first that sets Handled. An error a handler raises is reported
// (ExceptionReport.h) and the message goes on. Once the window is being destroyed (from
// WM_DESTROY on) no event is raised; when the form gets a new window the interception
// moves to it by a request queued to the GUI thread.
//
// The interception is one WindowSubclass of the form's window, so it keeps its place in
// the chain beside any other subclass, whichever was installed first.
#include "widgets/win32/ComponentParent.h"
#include "widgets/win32/OwnedWindow.h"
#include "widgets/win32/WindowSubclass.h"

#include <functional>
#include <memory>
#include <vector>

// A message as the hooks see it; handlers may change any field in place.
struct HookMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

class TWindowHook;
using THookMessageEvent = std::function<void(TWindowHook& sender, HookMessage& message, bool& handled)>;

// Must not be destroyed from inside its own handlers.
class TWindowHook {
public:
    TWindowHook() = default;
    ~TWindowHook();   // detaches, without a repaint or any message
    TWindowHook(const TWindowHook&) = delete;
    TWindowHook& operator=(const TWindowHook&) = delete;

    THookMessageEvent BeforeMessage;
    THookMessageEvent AfterMessage;

    // Attaches to the form (null: detaches). The form outlives the attachment; its
    // window field names the form's current window and is read again when the window
    // is replaced.
    void SetWinControl(const ComponentParent* form);
    const ComponentParent* WinControl() const { return form_; }

private:
    const ComponentParent* form_ = nullptr;
};

// The interception of one form's window: the hooks attached to the form, last attached
// first, in front of the window's procedure.
class TControlHook {
public:
    explicit TControlHook(const ComponentParent& form);
    TControlHook(const TControlHook&) = delete;
    TControlHook& operator=(const TControlHook&) = delete;

    const ComponentParent& Form() const { return form_; }
    void Add(TWindowHook& hook);
    void Remove(TWindowHook& hook);
    bool Empty() const { return hooks_.empty(); }
    // Whether a message is passing through it now.
    bool Busy() const { return depth_ > 0; }
    // Puts the interception in front of the form's current window, if it is not there
    // already and the window exists.
    void Install();

private:
    LRESULT Intercept(UINT message, WPARAM wParam, LPARAM lParam);
    void Raise(THookMessageEvent TWindowHook::*event, HookMessage& record, bool& handled);

    const ComponentParent& form_;
    std::vector<TWindowHook*> hooks_;   // the first is called first
    int depth_ = 0;
    bool windowGoing_ = false;          // WM_DESTROY has reached the window
    WindowSubclass subclass_;
};

// The process-wide list of interceptions, one per form, and the hidden window that
// receives the requests queued to the GUI thread.
class THookList : private MessageHandler {
public:
    // The class of the requests' window, for looking it up.
    static const char* const RequestWindowClass;

    static THookList& Instance();

    void Attach(TWindowHook& hook, const ComponentParent& form);
    void Detach(TWindowHook& hook, const ComponentParent& form);

    // Queues the re-installation of the form's interception on its next window.
    void RequestReinstall(const ComponentParent& form);

private:
    THookList() = default;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    TControlHook* Find(const ComponentParent& form) const;
    HWND RequestWindow();
    void ReleaseRequestWindowWhenIdle();

    std::vector<std::unique_ptr<TControlHook>> hooks_;
    // Interceptions left without hooks while a message was passing through them: they go
    // on passing messages and are deleted by a queued request.
    std::vector<std::unique_ptr<TControlHook>> retired_;
    std::unique_ptr<OwnedWindow> requests_;
};
