#include "widgets/win32/WindowSubclass.h"

#include "base/CriticalSection.h"
#include "widgets/win32/InvalidOperation.h"
#include "widgets/win32/ExceptionReport.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

class SubclassChain;

namespace {

// Every subclassed window's chain, found by window at each message. Kept in the process
// rather than in a window property, which under Wine costs a round trip to the server per
// message; locked, as windows of several threads may be subclassed. Never destroyed:
// windows can still get messages while the program exits.
class ChainRegistry {
public:
    SubclassChain* Find(HWND window)
    {
        const CriticalSection::Lock lock(section_);
        const auto found = chains_.find(window);
        return found == chains_.end() ? nullptr : found->second;
    }
    void Add(HWND window, SubclassChain* chain)
    {
        const CriticalSection::Lock lock(section_);
        chains_[window] = chain;
    }
    void Remove(HWND window)
    {
        const CriticalSection::Lock lock(section_);
        chains_.erase(window);
    }

private:
    CriticalSection section_;
    std::unordered_map<HWND, SubclassChain*> chains_;
};

ChainRegistry& Chains()
{
    static ChainRegistry* const registry = new ChainRegistry;
    return *registry;
}

} // namespace

// Everything installed on one window: the procedure it had before, and its subclasses in
// the order they see messages. It deletes itself once it has left its window and no
// message is passing through it any more.
class SubclassChain {
public:
    explicit SubclassChain(HWND window) : window_(window) {}

    static SubclassChain* Of(HWND window) { return Chains().Find(window); }

    // The window's chain, put in front of its procedure if it has none yet.
    static SubclassChain& Attach(HWND window)
    {
        if (SubclassChain* chain = Of(window))
            return *chain;
        auto chain = std::make_unique<SubclassChain>(window);
        Chains().Add(window, chain.get());
        SetLastError(0);
        const LONG_PTR previous = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure));
        if (!previous && GetLastError() != 0) {
            Chains().Remove(window);
            throw std::runtime_error("Cannot subclass the window");
        }
        chain->previous_ = reinterpret_cast<WNDPROC>(previous);
        return *chain.release();
    }

    void Add(WindowSubclass& subclass) { subclasses_.insert(subclasses_.begin(), &subclass); }

    void Remove(WindowSubclass& subclass)
    {
        subclasses_.erase(std::remove(subclasses_.begin(), subclasses_.end(), &subclass), subclasses_.end());
        // With a procedure of other code in front, the chain stays, passing everything on.
        if (subclasses_.empty() && InFront()) {
            Leave();
            DeleteWhenIdle();
        }
    }

    // Passes the message to the subclass after `after` (null: to the first), or to the
    // window's previous procedure. A subclass no longer in the chain passes straight to it.
    LRESULT CallAfter(const WindowSubclass* after, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (windowDestroyed_)
            return 0;
        std::size_t next = 0;
        if (after) {
            const auto at = std::find(subclasses_.begin(), subclasses_.end(), after);
            next = at == subclasses_.end() ? subclasses_.size() : static_cast<std::size_t>(at - subclasses_.begin()) + 1;
        }
        if (next < subclasses_.size())
            return subclasses_[next]->Dispatch(*this, message, wParam, lParam);
        return CallWindowProcA(previous_, window_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        SubclassChain* chain = Of(window);
        if (!chain)
            return DefWindowProcA(window, message, wParam, lParam);
        ++chain->activeMessages_;
        const LRESULT result = chain->CallAfter(nullptr, message, wParam, lParam);
        if (message == WM_NCDESTROY && chain->attached_) {
            chain->Leave();
            chain->windowDestroyed_ = true;
        }
        --chain->activeMessages_;
        chain->DeleteWhenIdle();
        return result;
    }

    bool InFront() const
    {
        return GetWindowLongPtrA(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(Procedure);
    }

    // Gives the window its previous procedure back and leaves every subclass uninstalled.
    void Leave()
    {
        if (InFront())
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        Chains().Remove(window_);
        for (WindowSubclass* subclass : subclasses_)
            subclass->window_ = nullptr;
        subclasses_.clear();
        attached_ = false;
    }

    void DeleteWhenIdle()
    {
        if (!attached_ && activeMessages_ == 0)
            delete this;
    }

    HWND window_;
    WNDPROC previous_ = nullptr;
    std::vector<WindowSubclass*> subclasses_;   // the first sees each message first
    int activeMessages_ = 0;                     // messages passing through the chain now
    bool attached_ = true;
    bool windowDestroyed_ = false;
};

struct WindowSubclass::Frame {
    SubclassChain& chain;
    bool passedOn;
};

WindowSubclass::WindowSubclass(Handler handler) : handler_(std::move(handler)) {}

WindowSubclass::~WindowSubclass()
{
    Remove();
}

void WindowSubclass::Install(HWND window)
{
    Remove();
    SubclassChain::Attach(window).Add(*this);
    window_ = window;
}

void WindowSubclass::Remove()
{
    if (!window_)
        return;
    if (SubclassChain* chain = SubclassChain::Of(window_))
        chain->Remove(*this);
    window_ = nullptr;
}

LRESULT WindowSubclass::CallNext(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!frame_)
        throw InvalidOperation("CallNext outside the subclass's handler");
    frame_->passedOn = true;
    return frame_->chain.CallAfter(this, message, wParam, lParam);
}

LRESULT WindowSubclass::Dispatch(SubclassChain& chain, UINT message, WPARAM wParam, LPARAM lParam)
{
    Frame frame{chain, false};
    Frame* const outer = std::exchange(frame_, &frame);
    LRESULT result = 0;
    try {
        result = handler_(message, wParam, lParam);
    } catch (...) {
        // Reported like any handler's error; the message still goes on unless it already has.
        ReportCurrentException();
        if (!frame.passedOn)
            result = chain.CallAfter(this, message, wParam, lParam);
    }
    frame_ = outer;
    return result;
}
