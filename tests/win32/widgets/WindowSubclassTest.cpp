// Subclass chains: every message passes through the handlers still installed, last
// installed first, and on to the window's own procedure, whatever order they come and go.
#include "tests/win32/widgets/ReportedErrors.h"
#include "widgets/win32/InvalidOperation.h"
#include "widgets/win32/OwnedWindow.h"
#include "widgets/win32/WindowSubclass.h"

#include <memory>
#include <stdexcept>

namespace {

const char* const TargetClass = "PelkarinSubclassTarget";

std::vector<std::string> journal;   // who saw which test message, in order

// A subclass that notes the messages of the test (WM_APP and up, WM_SETTEXT, WM_NCDESTROY)
// and passes everything on unchanged.
class Noting {
public:
    explicit Noting(std::string name)
        : name_(std::move(name)), subclass_([this](UINT message, WPARAM wParam, LPARAM lParam) {
              Note(name_, message, wParam);
              return subclass_.CallNext(message, wParam, lParam);
          })
    {
    }
    WindowSubclass& Subclass() { return subclass_; }

    static void Note(const std::string& who, UINT message, WPARAM wParam)
    {
        if (message >= WM_APP)
            journal.push_back(who + " " + std::to_string(message - WM_APP) + ":" + std::to_string(wParam));
        else if (message == WM_SETTEXT)
            journal.push_back(who + " settext");
        else if (message == WM_NCDESTROY)
            journal.push_back(who + " ncdestroy");
    }

private:
    std::string name_;
    WindowSubclass subclass_;
};

// The window's own procedure: notes the message and answers WM_APP with wParam * 10.
class Target : public MessageHandler {
public:
    Target()
    {
        RegisterWindowClass(TargetClass);
        WindowCreation creation;
        creation.className = TargetClass;
        creation.style = WS_POPUP;
        window_.Create(creation, this, "the target");
    }
    HWND Handle() const { return window_.Get(); }

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        Noting::Note("window", message, wParam);
        if (message >= WM_APP)
            return static_cast<LRESULT>(wParam * 10);
        return DefWindowProcA(window, message, wParam, lParam);
    }

    OwnedWindow window_;
};

// A procedure of other code, put in front by hand.
WNDPROC foreignPrevious = nullptr;
LRESULT CALLBACK ForeignProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Noting::Note("foreign", message, wParam);
    return CallWindowProcA(foreignPrevious, window, message, wParam, lParam);
}

LONG_PTR ProcedureOf(HWND window)
{
    return GetWindowLongPtrA(window, GWLP_WNDPROC);
}

std::vector<std::string> Sent(HWND window, UINT offset, WPARAM wParam, LRESULT* result = nullptr)
{
    journal.clear();
    const LRESULT answer = SendMessageA(window, WM_APP + offset, wParam, 0);
    if (result)
        *result = answer;
    return journal;
}

using Journal = std::vector<std::string>;

} // namespace

class WindowSubclassTest : public ReportedErrors {
protected:
    void SetUp() override
    {
        ReportedErrors::SetUp();
        journal.clear();
    }
};

TEST_F(WindowSubclassTest, ChainPassesEveryMessageOnWhicheverOrderItsHandlersGo)
{
    for (const bool firstInstalledGoesFirst : {true, false}) {
        SCOPED_TRACE(firstInstalledGoesFirst ? "removed in installation order" : "removed in reverse order");
        Target target;
        const LONG_PTR original = ProcedureOf(target.Handle());
        auto a = std::make_unique<Noting>("a");
        auto b = std::make_unique<Noting>("b");
        a->Subclass().Install(target.Handle());
        b->Subclass().Install(target.Handle());
        LRESULT result = 0;
        EXPECT_EQ(Sent(target.Handle(), 1, 1, &result), (Journal{"b 1:1", "a 1:1", "window 1:1"}));
        EXPECT_EQ(result, 10);

        (firstInstalledGoesFirst ? a : b).reset();
        const std::string remaining = firstInstalledGoesFirst ? "b" : "a";
        EXPECT_EQ(Sent(target.Handle(), 2, 2, &result), (Journal{remaining + " 2:2", "window 2:2"}));
        EXPECT_EQ(result, 20);

        (firstInstalledGoesFirst ? b : a).reset();
        EXPECT_EQ(Sent(target.Handle(), 3, 3, &result), (Journal{"window 3:3"}));
        EXPECT_EQ(result, 30);
        EXPECT_EQ(ProcedureOf(target.Handle()), original);
    }
}

TEST_F(WindowSubclassTest, SystemControlKeepsItsOwnHandlingAndGetsItsProcedureBack)
{
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
    ASSERT_NE(edit, nullptr);
    const LONG_PTR original = ProcedureOf(edit);
    {
        Noting a("a");
        Noting b("b");
        a.Subclass().Install(edit);
        b.Subclass().Install(edit);
        SetWindowTextA(edit, "Netol ");
        EXPECT_EQ(journal, (Journal{"b settext", "a settext"}));
        char text[16] = {};
        GetWindowTextA(edit, text, sizeof text);
        EXPECT_STREQ(text, "Netol ");
    }
    EXPECT_EQ(ProcedureOf(edit), original);
    DestroyWindow(edit);
}

TEST_F(WindowSubclassTest, HandlerMayChangeAMessageOrAnswerItItself)
{
    Target target;
    Noting behind("behind");
    behind.Subclass().Install(target.Handle());
    WindowSubclass front([&front](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_APP + 1)
            return front.CallNext(message, wParam + 1, lParam) + 1;   // changed on the way in and out
        if (message == WM_APP + 2)
            return 99;                                              // answered, not passed on
        return front.CallNext(message, wParam, lParam);
    });
    front.Install(target.Handle());

    LRESULT result = 0;
    EXPECT_EQ(Sent(target.Handle(), 1, 5, &result), (Journal{"behind 1:6", "window 1:6"}));
    EXPECT_EQ(result, 61);
    EXPECT_EQ(Sent(target.Handle(), 2, 5, &result), Journal{});
    EXPECT_EQ(result, 99);
    EXPECT_THROW(front.CallNext(WM_APP, 0, 0), InvalidOperation);
}

TEST_F(WindowSubclassTest, DestroyedWindowLeavesItsSubclassesReadyForAnother)
{
    Noting a("a");
    Noting b("b");
    {
        Target first;
        a.Subclass().Install(first.Handle());
        b.Subclass().Install(first.Handle());
        journal.clear();
        DestroyWindow(first.Handle());
        EXPECT_EQ(journal, (Journal{"b ncdestroy", "a ncdestroy", "window ncdestroy"}));
        EXPECT_EQ(a.Subclass().Window(), nullptr);
        EXPECT_EQ(b.Subclass().Window(), nullptr);
    }
    Target second;
    a.Subclass().Install(second.Handle());
    EXPECT_EQ(a.Subclass().Window(), second.Handle());
    EXPECT_EQ(Sent(second.Handle(), 1, 1), (Journal{"a 1:1", "window 1:1"}));
}

TEST_F(WindowSubclassTest, ProcedureOfOtherCodeInFrontKeepsTheChainPassingMessagesOn)
{
    Target target;
    auto a = std::make_unique<Noting>("a");
    a->Subclass().Install(target.Handle());
    foreignPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(target.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProcedure)));
    EXPECT_EQ(Sent(target.Handle(), 1, 1), (Journal{"foreign 1:1", "a 1:1", "window 1:1"}));

    a.reset();
    EXPECT_EQ(ProcedureOf(target.Handle()), reinterpret_cast<LONG_PTR>(ForeignProcedure));
    EXPECT_EQ(Sent(target.Handle(), 2, 2), (Journal{"foreign 2:2", "window 2:2"}));

    Noting b("b");
    b.Subclass().Install(target.Handle());
    EXPECT_EQ(Sent(target.Handle(), 3, 3), (Journal{"foreign 3:3", "b 3:3", "window 3:3"}));
}

TEST_F(WindowSubclassTest, HandlerExceptionIsReportedAndTheMessageStillGoesOnOnce)
{
    Target target;
    WindowSubclass throwing([&throwing](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_APP + 1)
            throw std::runtime_error("Cannot create file c:\\mirc\\mirc.ini");
        const LRESULT result = throwing.CallNext(message, wParam, lParam);
        if (message == WM_APP + 2)
            throw 7;
        return result;
    });
    throwing.Install(target.Handle());

    LRESULT result = 0;
    EXPECT_EQ(Sent(target.Handle(), 1, 4, &result), (Journal{"window 1:4"}));
    EXPECT_EQ(result, 40);
    EXPECT_EQ(Sent(target.Handle(), 2, 4), (Journal{"window 2:4"}));
    EXPECT_EQ(reported, (std::vector<std::string>{"Cannot create file c:\\mirc\\mirc.ini", "Unknown error"}));
}
