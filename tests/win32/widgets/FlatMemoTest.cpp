// The flat memo on the screen: its frame, face and scroll bar in each look, what moves it
// between them (focus, the mouse, the program's activity), and the text behaviour it keeps.
#include "tests/win32/widgets/ControlHost.h"
#include "tests/win32/widgets/WindowCallsRestored.h"
#include "tests/win32/widgets/WindowPixels.h"
#include "widgets/controls/TFlatMemoUnit.h"
#include "widgets/win32/SystemColours.h"

#include <gtest/gtest.h>

namespace {

constexpr ColourWord HostColour = 0x402010;
constexpr ColourWord Focused = 0x3070F0;
constexpr ColourWord Border = 0x8396A0;
constexpr int Width = 393, Height = 193;

// A memo focused in its own colour, with further settings.
ComponentDescription MemoRow(const char* name, int left, int top, int width, int height,
                             void (*configure)(FlatMemoSettings&) = nullptr)
{
    FlatMemoSettings settings;
    settings.colorFocused = Focused;
    if (configure)
        configure(settings);
    return {name, left, top, width, height, settings};
}

// The report pane's settings, a second, editable memo without Enter, and one with both
// scroll bars; a plain button to hold the focus elsewhere.
class FlatMemoTest : public ::testing::Test {
protected:
    FlatMemoTest()
        : host_({MemoRow("memo", 8, 80, Width, Height,
                         [](FlatMemoSettings& pane) {
                             pane.lines = {"uno", "dos"};
                             pane.fontColor = clMenu;
                             pane.readOnly = true;
                             pane.scrollBars = FlatMemoSettings::ScrollBars::Vertical;
                             pane.wantReturns = false;
                         }),
                 MemoRow("other", 8, 8, 100, 60, [](FlatMemoSettings& other) { other.wantReturns = false; }),
                 MemoRow("both", 120, 8, 120, 66,
                         [](FlatMemoSettings& both) {
                             both.scrollBars = FlatMemoSettings::ScrollBars::Both;
                             both.wordWrap = false;
                         })},
                HostColour),
          memo_(host_.Get<TFlatMemo>("memo")),
          button_(CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 300, 8, 60, 20, host_.Handle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr))
    {
        MoveMouseTo(Away(), 0);
        host_.Activate();
        SetFocus(button_);
        PumpMessages();
    }

    static POINT Away() { return {900, 700}; }
    POINT Inside(const TFlatMemo& memo, int x, int y) const
    {
        RECT outer;
        GetWindowRect(memo.Handle(), &outer);
        return {outer.left + x, outer.top + y};
    }

    // The three rings: the outline in Border, then two in the state colour.
    static ::testing::AssertionResult Frame(const WindowPixels& pixels, ColourWord state)
    {
        const int right = pixels.Width() - 1, bottom = pixels.Height() - 1;
        for (auto ring : {pixels.Ring(0, 0, right, bottom, Border), pixels.Ring(1, 1, right - 1, bottom - 1, state),
                          pixels.Ring(2, 2, right - 2, bottom - 2, state)})
            if (!ring)
                return ring;
        return ::testing::AssertionSuccess();
    }

    // The frame and, below the two lines of text, the face in the state colour.
    ::testing::AssertionResult Look(ColourWord state) const
    {
        const WindowPixels pixels = WindowPixels::Repainted(memo_.Handle());
        if (auto frame = Frame(pixels, state); !frame)
            return frame;
        return pixels.Block(3, 150, 300, 189, state);
    }

    ControlHost host_;
    TFlatMemo& memo_;
    HWND button_;
};

} // namespace

TEST_F(FlatMemoTest, ReportPaneHasItsFrameTextAreaAndScrollBarInside)
{
    EXPECT_EQ(memo_.ColorFlat(), HostColour);   // ParentColor
    EXPECT_TRUE(Look(HostColour));

    // The text area starts 3 pixels in; the scroll bar stands at its right inside the frame.
    const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    RECT client;
    GetClientRect(memo_.Handle(), &client);
    EXPECT_EQ(client.right, Width - 6 - scrollBar);
    EXPECT_EQ(client.bottom, Height - 6);
    POINT origin{0, 0};
    ClientToScreen(memo_.Handle(), &origin);
    const POINT corner = Inside(memo_, 3, 3);
    EXPECT_EQ(origin.x, corner.x);
    EXPECT_EQ(origin.y, corner.y);
    SCROLLBARINFO bar = {};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(memo_.Handle(), OBJID_VSCROLL, &bar));
    const POINT barCorner = Inside(memo_, Width - 3 - scrollBar, 3);
    EXPECT_EQ(bar.rcScrollBar.left, barCorner.x);
    EXPECT_EQ(bar.rcScrollBar.top, barCorner.y);
    EXPECT_EQ(bar.rcScrollBar.right - bar.rcScrollBar.left, scrollBar);
    EXPECT_EQ(bar.rcScrollBar.bottom - bar.rcScrollBar.top, Height - 6);
}

// Printed into a memory bitmap, the memo gives what the screen shows, plain and focused:
// frame, face and text; the scroll bar is the platform's to print (Wine leaves it out).
TEST_F(FlatMemoTest, PrintedWindowIsTheLookOnScreen)
{
    const int barLeft = Width - 3 - GetSystemMetrics(SM_CXVSCROLL);
    for (HWND focus : {button_, memo_.Handle()}) {
        SetFocus(focus);
        PumpMessages();
        HideCaret(memo_.Handle());   // a print leaves the caret out
        const WindowPixels screen = WindowPixels::Repainted(memo_.Handle());
        const WindowPixels printed = WindowPixels::Printed(memo_.Handle());
        ShowCaret(memo_.Handle());
        EXPECT_TRUE(Frame(printed, focus == button_ ? HostColour : Focused));
        int differing = 0;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                differing += (x < barLeft || x >= Width - 3) && printed.At(x, y) != screen.At(x, y);
        EXPECT_EQ(differing, 0) << (focus == button_ ? "plain" : "focused");
    }
}

TEST_F(FlatMemoTest, FocusHighlightsItWhereverTheMouseIs)
{
    SetFocus(memo_.Handle());
    PumpMessages();
    EXPECT_TRUE(Look(Focused));
    MoveMouseTo(Inside(memo_, 100, 100));
    MoveMouseTo(Away(), MouseLeaveTime);
    EXPECT_TRUE(Look(Focused));
    SetFocus(button_);
    PumpMessages();
    EXPECT_TRUE(Look(HostColour));
}

TEST_F(FlatMemoTest, MouseOverHighlightsItWhileAnotherControlHasTheFocus)
{
    // Also where the system has no TrackMouseEvent: a timer sees the mouse leave.
    for (const bool tracked : {true, false}) {
        WindowCallsRestored restored;
        if (!tracked)
            TheWindowCalls().TrackMouseEvent = nullptr;
        MoveMouseTo(Inside(memo_, 100, 100));
        EXPECT_TRUE(memo_.MouseInside()) << "tracked " << tracked;
        EXPECT_TRUE(Look(Focused)) << "tracked " << tracked;
        // From the text onto the scroll bar is still over the memo, also once the platform
        // has noticed the mouse leaving the text.
        MoveMouseTo(Inside(memo_, Width - 5, 100), MouseLeaveTime);
        EXPECT_TRUE(memo_.MouseInside()) << "tracked " << tracked;
        EXPECT_TRUE(Look(Focused)) << "tracked " << tracked;
        MoveMouseTo(Away(), MouseLeaveTime);
        EXPECT_FALSE(memo_.MouseInside()) << "tracked " << tracked;
        EXPECT_TRUE(Look(HostColour)) << "tracked " << tracked;
    }
}

TEST_F(FlatMemoTest, MouseOverLeavesItPlainWhileAnotherFlatMemoHasTheFocus)
{
    SetFocus(host_.Get<TFlatMemo>("other").Handle());
    MoveMouseTo(Inside(memo_, 100, 100));
    EXPECT_TRUE(memo_.MouseInside());
    EXPECT_TRUE(Look(HostColour));
}

TEST_F(FlatMemoTest, MouseOverLeavesItPlainWhileTheProgramIsInactive)
{
    ControlHost::Deactivate();
    ASSERT_EQ(GetActiveWindow(), nullptr);
    MoveMouseTo(Inside(memo_, 100, 100));
    EXPECT_FALSE(memo_.MouseInside());
    EXPECT_TRUE(Look(HostColour));
}

TEST_F(FlatMemoTest, ColourSettersRepaintAndParentColorFollowsTheParent)
{
    memo_.SetColorFlat(0x00C000);
    EXPECT_FALSE(memo_.ParentColor());
    EXPECT_TRUE(Look(0x00C000));
    memo_.SetColorBorder(0x0000C0);
    EXPECT_EQ(WindowPixels::Repainted(memo_.Handle()).At(0, 0), 0x0000C0u);
    memo_.SetColorBorder(Border);

    memo_.SetParentColor(true);
    EXPECT_EQ(memo_.ColorFlat(), HostColour);
    EXPECT_TRUE(Look(HostColour));

    SetFocus(memo_.Handle());
    memo_.SetColorFocused(0x00C0C0);
    EXPECT_TRUE(Look(0x00C0C0));
}

TEST_F(FlatMemoTest, BothScrollBarsLeaveTheSquareBetweenThemInTheStateColour)
{
    const TFlatMemo& both = host_.Get<TFlatMemo>("both");
    const WindowPixels pixels = WindowPixels::Repainted(both.Handle());
    EXPECT_TRUE(Frame(pixels, HostColour));
    EXPECT_TRUE(pixels.Block(120 - 19, 66 - 19, 120 - 4, 66 - 4, HostColour));
    // With one scroll bar the same place is the scroll bar's.
    const WindowPixels single = WindowPixels::Repainted(memo_.Handle());
    EXPECT_NE(single.At(Width - 12, Height - 12), HostColour);
}

TEST_F(FlatMemoTest, EnterAndTypingFollowTheSettings)
{
    auto press = [](HWND target, WPARAM key) {
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        PumpMessages();
    };
    auto text = [](HWND window) {
        char buffer[256] = {};
        GetWindowTextA(window, buffer, sizeof buffer);
        return std::string(buffer);
    };
    // The read-only pane takes neither a letter nor Enter.
    SetFocus(memo_.Handle());
    press(memo_.Handle(), 'X');
    press(memo_.Handle(), VK_RETURN);
    EXPECT_EQ(text(memo_.Handle()), "uno\r\ndos\r\n");

    // An editable memo takes letters; Enter makes a line only with WantReturns.
    HWND other = host_.Get<TFlatMemo>("other").Handle();
    SetFocus(other);
    press(other, 'X');
    press(other, VK_RETURN);
    EXPECT_EQ(text(other), "x");
    HWND both = host_.Get<TFlatMemo>("both").Handle();
    SetFocus(both);
    press(both, VK_RETURN);
    EXPECT_EQ(text(both), "\r\n");
}
