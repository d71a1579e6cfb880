#include "widgets/win32/WindowHook.h"

#include "widgets/win32/ExceptionReport.h"

#include <algorithm>
#include <exception>

const char* const THookList::RequestWindowClass = "THookList";

namespace {

// The requests queued to the hidden window.
const UINT ReinstallRequest = WM_APP;        // lParam: the form
const UINT DeleteRetiredRequest = WM_APP + 1;

// Counts a message passing through an interception while it is in scope.
class Passing {
public:
    explicit Passing(int& depth) : depth_(depth) { ++depth_; }
    ~Passing() { --depth_; }
    Passing(const Passing&) = delete;
    Passing& operator=(const Passing&) = delete;

private:
    int& depth_;
};

} // namespace

TWindowHook::~TWindowHook()
{
    SetWinControl(nullptr);
}

void TWindowHook::SetWinControl(const ComponentParent* form)
{
    if (form_ && form_ != form) {
        THookList::Instance().Detach(*this, *form_);
        form_ = nullptr;
    }
    // Attaching again to the same form puts its interception back on the form's window
    // if it has lost it.
    if (form) {
        THookList::Instance().Attach(*this, *form);
        form_ = form;
    }
}

TControlHook::TControlHook(const ComponentParent& form)
    : form_(form), subclass_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return Intercept(message, wParam, lParam);
      })
{
}

void TControlHook::Add(TWindowHook& hook)
{
    if (std::find(hooks_.begin(), hooks_.end(), &hook) == hooks_.end())
        hooks_.insert(hooks_.begin(), &hook);
}

void TControlHook::Remove(TWindowHook& hook)
{
    hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), &hook), hooks_.end());
}

void TControlHook::Install()
{
    if (subclass_.Window() == form_.window || !form_.window || !IsWindow(form_.window))
        return;
    subclass_.Install(form_.window);
    windowGoing_ = false;
}

LRESULT TControlHook::Intercept(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUIT || windowGoing_ || hooks_.empty())
        return subclass_.CallNext(message, wParam, lParam);

    Passing passing(depth_);
    HookMessage record{message, wParam, lParam, 0};
    bool handled = false;
    Raise(&TWindowHook::BeforeMessage, record, handled);
    if (handled && message != WM_DESTROY)
        return record.result;

    std::exception_ptr error;
    try {
        record.result = subclass_.CallNext(record.message, record.wParam, record.lParam);
    } catch (...) {
        error = std::current_exception();
    }
    bool afterHandled = false;
    Raise(&TWindowHook::AfterMessage, record, afterHandled);
    if (message == WM_DESTROY) {
        // The window is going: silence until it is gone, then follow the form to the
        // window that replaces it.
        windowGoing_ = true;
        THookList::Instance().RequestReinstall(form_);
    }
    if (error)
        std::rethrow_exception(error);
    return record.result;
}

void TControlHook::Raise(THookMessageEvent TWindowHook::*event, HookMessage& record, bool& handled)
{
    // Handlers may attach and detach hooks: call the ones attached now that are still
    // attached when their turn comes.
    const std::vector<TWindowHook*> hooks = hooks_;
    for (TWindowHook* hook : hooks) {
        if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end())
            continue;
        const THookMessageEvent handler = hook->*event;
        if (!handler)
            continue;
        try {
            handler(*hook, record, handled);
        } catch (...) {
            ReportCurrentException();
        }
        if (handled)
            break;
    }
}

THookList& THookList::Instance()
{
    static THookList list;
    return list;
}

TControlHook* THookList::Find(const ComponentParent& form) const
{
    for (const auto& control : hooks_)
        if (&control->Form() == &form)
            return control.get();
    return nullptr;
}

void THookList::Attach(TWindowHook& hook, const ComponentParent& form)
{
    TControlHook* control = Find(form);
    if (control) {
        control->Install();
    } else {
        auto made = std::make_unique<TControlHook>(form);
        made->Install();
        RequestWindow();
        hooks_.push_back(std::move(made));
        control = hooks_.back().get();
    }
    control->Add(hook);
}

void THookList::Detach(TWindowHook& hook, const ComponentParent& form)
{
    const auto at = std::find_if(hooks_.begin(), hooks_.end(),
                                 [&form](const auto& control) { return &control->Form() == &form; });
    if (at == hooks_.end())
        return;
    (*at)->Remove(hook);
    if (!(*at)->Empty())
        return;
    std::unique_ptr<TControlHook> emptied = std::move(*at);
    hooks_.erase(at);
    if (emptied->Busy()) {
        // Detached from inside a message it is passing on: it may not leave the window
        // before that message is done.
        retired_.push_back(std::move(emptied));
        PostMessageA(RequestWindow(), DeleteRetiredRequest, 0, 0);
        return;
    }
    emptied.reset();
    ReleaseRequestWindowWhenIdle();
}

void THookList::RequestReinstall(const ComponentParent& form)
{
    PostMessageA(RequestWindow(), ReinstallRequest, 0, reinterpret_cast<LPARAM>(&form));
}

HWND THookList::RequestWindow()
{
    if (!requests_) {
        RegisterWindowClass(RequestWindowClass);
        WindowCreation creation;
        creation.className = RequestWindowClass;
        creation.parent = HWND_MESSAGE;
        auto window = std::make_unique<OwnedWindow>();
        window->Create(creation, this, "the window hooks' request window");
        requests_ = std::move(window);
    }
    return requests_->Get();
}

void THookList::ReleaseRequestWindowWhenIdle()
{
    if (hooks_.empty() && retired_.empty())
        requests_.reset();
}

LRESULT THookList::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case ReinstallRequest:
        // The form is only compared: it may have gone since the request was queued.
        for (const auto& control : hooks_)
            if (&control->Form() == reinterpret_cast<const ComponentParent*>(lParam))
                control->Install();
        return 0;
    case DeleteRetiredRequest:
        retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                      [](const auto& control) { return !control->Busy(); }),
                       retired_.end());
        ReleaseRequestWindowWhenIdle();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
