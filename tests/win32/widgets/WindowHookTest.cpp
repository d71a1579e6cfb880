// Window hooks around a form's own processing: their order beside the title strips'
// observers whichever came first, Handled, errors, and the form's window replaced.
#include "tests/win32/widgets/ReportedErrors.h"
#include "tests/win32/widgets/TestForm.h"
#include "tests/win32/widgets/WindowCallsRestored.h"

#include <algorithm>
#include <iterator>

namespace {

using Journal = std::vector<std::string>;
Journal journal;

std::string Describe(UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_ACTIVATE:
        return "activate " + std::to_string(wParam);
    case WM_DESTROY:
        return "destroy";
    case WM_NCDESTROY:
        return "ncdestroy";
    }
    return message >= WM_APP ? std::to_string(message - WM_APP) + ":" + std::to_string(wParam) : "";
}

void Note(const std::string& who, UINT message, WPARAM wParam)
{
    const std::string what = Describe(message, wParam);
    if (!what.empty())
        journal.push_back(who + " " + what);
}

// A hook that notes the test's messages before and after the form's processing; before
// may act on them.
class NotingHook {
public:
    explicit NotingHook(const std::string& name, TestForm& form)
    {
        hook.BeforeMessage = [this, name](TWindowHook&, HookMessage& message, bool& handled) {
            Note(name + " before", message.message, message.wParam);
            if (before)
                before(message, handled);
        };
        hook.AfterMessage = [name](TWindowHook&, HookMessage& message, bool&) {
            Note(name + " after", message.message, message.wParam);
        };
        hook.SetWinControl(&form.Parent());
    }

    std::function<void(HookMessage&, bool&)> before;
    TWindowHook hook;
};

Journal Sent(HWND window, UINT message, WPARAM wParam, LRESULT* result = nullptr)
{
    journal.clear();
    const LRESULT answer = SendMessageA(window, message, wParam, 0);
    if (result)
        *result = answer;
    return journal;
}

} // namespace

class WindowHookTest : public ReportedErrors {
protected:
    void SetUp() override
    {
        ReportedErrors::SetUp();
        form.seen = [](UINT message, WPARAM wParam, LPARAM) { Note("form", message, wParam); };
    }

    TestForm form;
};

TEST_F(WindowHookTest, HooksAndStripObserversKeepTheirPlacesWhicheverCameFirst)
{
    const ComponentDescription caption = Row("GradientCaption1", GradientCaptionSettings{});
    const ComponentDescription strip1 = Row("FlatTitlebar1", FlatTitlebarSettings{}, 0, 40, 100, 19);
    const ComponentDescription strip2 = Row("FlatTitlebar2", FlatTitlebarSettings{}, 120, 40, 100, 19);
    const std::pair<std::vector<ComponentDescription>, Journal> cases[] = {
        {{strip1, caption, strip2},
         {"FlatTitlebar2 on", "test before activate 1", "FlatTitlebar1 on", "form activate 1", "test after activate 1"}},
        {{caption, strip1, strip2},
         {"FlatTitlebar2 on", "FlatTitlebar1 on", "test before activate 1", "form activate 1", "test after activate 1"}},
    };
    for (const auto& [rows, expected] : cases) {
        TestForm form;
        form.seen = [](UINT message, WPARAM wParam, LPARAM) { Note("form", message, wParam); };
        form.Build(rows);
        for (const auto& component : form.components.All())
            if (auto* strip = dynamic_cast<TFlatTitlebar*>(component.get()))
                strip->OnActivate = [](TFlatTitlebar& sender) { journal.push_back(sender.Name() + " on"); };
        // Attached after the caption, the test hook shares the caption's place in the chain.
        NotingHook test("test", form);
        EXPECT_EQ(Sent(form.Handle(), WM_ACTIVATE, WA_ACTIVE), expected);

        // With the caption and the test hook gone, the strips still see it first.
        test.hook.SetWinControl(nullptr);
        for (const auto& component : form.components.All())
            if (auto* gradientCaption = dynamic_cast<TGradientCaption*>(component.get()))
                gradientCaption->SetActive(false);
        EXPECT_EQ(Sent(form.Handle(), WM_ACTIVATE, WA_ACTIVE),
                  (Journal{"FlatTitlebar2 on", "FlatTitlebar1 on", "form activate 1"}));
    }
}

TEST_F(WindowHookTest, LastAttachedFirstHandledStopsAllAndErrorsAreReported)
{
    NotingHook a("a", form);
    NotingHook b("b", form);
    LRESULT result = 0;
    b.before = [](HookMessage& message, bool& handled) {
        if (message.message == WM_APP + 2) {
            message.result = 99;
            handled = true;
        }
        if (message.message == WM_APP + 3)
            message.wParam = 4;
        if (message.message == WM_APP + 4)
            throw std::runtime_error("Cannot open file netol.kvd");
    };
    EXPECT_EQ(Sent(form.Handle(), WM_APP + 2, 2, &result), (Journal{"b before 2:2"}));
    EXPECT_EQ(result, 99);
    EXPECT_EQ(Sent(form.Handle(), WM_APP + 3, 3, &result),
              (Journal{"b before 3:3", "a before 3:4", "form 3:4", "b after 3:4", "a after 3:4"}));
    EXPECT_EQ(result, 40);
    // An error in a handler, and one in the form's own processing: the message goes on.
    EXPECT_EQ(Sent(form.Handle(), WM_APP + 4, 1),
              (Journal{"b before 4:1", "a before 4:1", "form 4:1", "b after 4:1", "a after 4:1"}));
    EXPECT_EQ(Sent(form.Handle(), WM_APP + FormFails, 1),
              (Journal{"b before 9:1", "a before 9:1", "form 9:1", "b after 9:1", "a after 9:1"}));
    EXPECT_EQ(reported, (std::vector<std::string>{"Cannot open file netol.kvd", "Cannot open file deep.kvd"}));
}

// The requests queued to the window's thread reach a message-only window, or, where the
// system has no such windows (Windows 98, Me, NT 4.0: the entry emptied), a hidden one at
// the top level.
class HookRequests : public WindowHookTest, public testing::WithParamInterface<bool> {
protected:
    bool RequestWindowMade() const
    {
        const HWND window = FindWindowExA(messageOnly_.Parent(), nullptr, THookList::RequestWindowClass, nullptr);
        return window && !IsWindowVisible(window);
    }

    const MessageOnlyWindows messageOnly_{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(MessageOnlyOrTopLevel, HookRequests, testing::Bool());

TEST_P(HookRequests, DestroyedWindowIsLeftInSilenceAndItsSuccessorHooked)
{
    NotingHook a("a", form);
    a.before = [](HookMessage& message, bool& handled) { handled = message.message == WM_DESTROY; };
    journal.clear();
    form.Recreate();
    // WM_DESTROY goes on although handled, and nothing is raised after it. (The activation
    // moves as the old window goes and the new one shows.)
    Journal seen;
    std::copy_if(journal.begin(), journal.end(), std::back_inserter(seen),
                 [](const std::string& line) { return line.find("activate") == std::string::npos; });
    EXPECT_EQ(seen, (Journal{"a before destroy", "form destroy", "a after destroy", "form ncdestroy"}));
    EXPECT_EQ(Sent(form.Handle(), WM_APP + 1, 1), (Journal{"form 1:1"}));
    EXPECT_TRUE(RequestWindowMade());
    PumpMessages();   // the queued re-installation
    EXPECT_EQ(Sent(form.Handle(), WM_APP + 1, 2), (Journal{"a before 1:2", "form 1:2", "a after 1:2"}));
}

TEST_P(HookRequests, HooksDetachedInsideAMessageLeaveTheWindowAsItWas)
{
    const LONG_PTR original = GetWindowLongPtrA(form.Handle(), GWLP_WNDPROC);
    NotingHook a("a", form);
    NotingHook b("b", form);
    b.before = [&](HookMessage&, bool&) {
        a.hook.SetWinControl(nullptr);
        b.hook.SetWinControl(nullptr);
    };
    EXPECT_EQ(Sent(form.Handle(), WM_APP + 1, 1), (Journal{"b before 1:1", "form 1:1"}));
    EXPECT_TRUE(RequestWindowMade());
    PumpMessages();   // the emptied interception leaves the window
    EXPECT_EQ(GetWindowLongPtrA(form.Handle(), GWLP_WNDPROC), original);
}
