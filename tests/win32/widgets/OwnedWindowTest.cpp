// Windows bound to their objects: from WM_NCCREATE to WM_NCDESTROY, unbound before their
// owner destroys them, with every exception of a handler reported.
#include "tests/win32/widgets/ReportedErrors.h"
#include "widgets/win32/OwnedWindow.h"

#include <algorithm>
#include <stdexcept>

namespace {

const char* const ProbeClass = "PelkarinOwnedWindowProbe";

// Records the messages it gets and whether the window was known to its owner in each.
class Probe : public MessageHandler {
public:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        knownInside.push_back(owner.Get() == window);
        if (message == WM_APP) {
            if (wParam == 1)
                throw std::runtime_error("Cannot open file back.kvd");
            if (wParam == 2)
                throw 42;
            return 7;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    bool Saw(UINT message) const { return std::find(seen.begin(), seen.end(), message) != seen.end(); }

    OwnedWindow owner;
    std::vector<UINT> seen;
    std::vector<bool> knownInside;
};

WindowCreation ProbeWindow()
{
    RegisterWindowClass(ProbeClass);
    WindowCreation creation;
    creation.className = ProbeClass;
    creation.style = WS_POPUP;
    creation.width = 50;
    creation.height = 20;
    return creation;
}

} // namespace

using OwnedWindowTest = ReportedErrors;

TEST_F(OwnedWindowTest, HandlerSeesEveryMessageFromNcCreateToNcDestroy)
{
    Probe probe;
    probe.owner.Create(ProbeWindow(), &probe, "the probe");
    HWND window = probe.owner.Get();
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(probe.seen.empty());
    EXPECT_EQ(probe.seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(probe.Saw(WM_CREATE));
    EXPECT_EQ(std::count(probe.knownInside.begin(), probe.knownInside.end(), false), 0);

    DestroyWindow(window);
    EXPECT_TRUE(probe.Saw(WM_DESTROY));
    EXPECT_EQ(probe.seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(probe.owner.Get(), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), 0);
}

TEST_F(OwnedWindowTest, OwnerUnbindsBeforeItDestroysTheWindow)
{
    Probe probe;
    HWND window = nullptr;
    {
        OwnedWindow owner;
        owner.Create(ProbeWindow(), &probe, "the probe");
        window = owner.Get();
        probe.seen.clear();
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(probe.seen.empty());
}

TEST_F(OwnedWindowTest, HandlerExceptionsAreReportedAndTheWindowGoesOn)
{
    Probe probe;
    probe.owner.Create(ProbeWindow(), &probe, "the probe");
    EXPECT_EQ(SendMessageA(probe.owner.Get(), WM_APP, 1, 0), 0);
    EXPECT_EQ(SendMessageA(probe.owner.Get(), WM_APP, 2, 0), 0);
    EXPECT_EQ(SendMessageA(probe.owner.Get(), WM_APP, 0, 0), 7);
    EXPECT_EQ(reported, (std::vector<std::string>{"Cannot open file back.kvd", "Unknown error"}));
}

TEST_F(OwnedWindowTest, ClassIsRegisteredOnceAndFailuresThrow)
{
    RegisterWindowClass(ProbeClass);
    EXPECT_NO_THROW(RegisterWindowClass(ProbeClass));
    WNDCLASSA registered;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), ProbeClass, &registered));

    EXPECT_THROW(RegisterWindowClass(std::string(300, 'x').c_str()), std::runtime_error);

    Probe probe;
    WindowCreation missing = ProbeWindow();
    missing.className = "PelkarinNoSuchClass";
    try {
        probe.owner.Create(missing, &probe, "the probe");
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Cannot create the probe");
    }
    EXPECT_EQ(probe.owner.Get(), nullptr);
}
