#pragma once
// Puts a handler in front of a window's procedure. The handler sees each message first
// and either answers it itself or passes it on with CallNext, changed or not, and may act
// again on the result. The subclasses of one window form a chain, the last installed
// first; one installed procedure (the pointer-sized GWLP_WNDPROC) serves the whole chain.
//
// Removing a subclass, in any order, leaves the others as they were; the window gets its
// previous procedure back when the last one goes (or, if other code has put its own
// procedure in front meanwhile, the chain stays in place passing everything on). When the
// window is destroyed, every handler still sees WM_NCDESTROY, then the chain undoes itself
// and its subclasses are left uninstalled, ready to be installed on another window.
#include <windows.h>

#include <functional>

class SubclassChain;

// A subclass must not be destroyed from inside its own handler.
class WindowSubclass {
public:
    using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit WindowSubclass(Handler handler);
    ~WindowSubclass();   // removes itself
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // Puts the handler in front of the window's procedure, first taking it from the window
    // it was on. Throws std::runtime_error when the window cannot be subclassed.
    void Install(HWND window);
    void Remove();
    // The window it is installed on, or null.
    HWND Window() const { return window_; }

    // Inside the handler: passes the message to the next handler of the chain, or to the
    // window's own procedure, and returns its result.
    LRESULT CallNext(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Frame;
    friend class SubclassChain;
    LRESULT Dispatch(SubclassChain& chain, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND window_ = nullptr;
    Frame* frame_ = nullptr;   // the innermost message being handled
};
