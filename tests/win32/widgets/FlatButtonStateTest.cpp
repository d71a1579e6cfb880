// Form1's flat buttons driven as a user drives them: the cursor really moved, mouse and
// key messages sent as the system sends them, the shared hover timer left to tick.
#include "tests/win32/widgets/FlatButtonFixture.h"
#include "tests/win32/widgets/WindowCallsRestored.h"
#include "widgets/win32/HoverTimer.h"

namespace {

using Received = std::vector<std::string>;

Look ShownLook(HWND button, ColourWord colorDown)
{
    return LookOf(WindowPixels::OnScreen(button), colorDown);
}

} // namespace

using FlatButtonStates = FlatButtonTest;

TEST_F(FlatButtonStates, PressAndReleaseInsideClickOnce)
{
    Build();
    TFlatButton& button = Button6();
    HWND window = button.Handle();
    Press(window, 50, 12);
    EXPECT_EQ(button.State(), FaceState::Pressed);
    EXPECT_TRUE(button.MousePressed());
    EXPECT_TRUE(button.Hot());
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(GetFocus(), window);
    UpdateWindow(window);
    ASSERT_EQ(ShownLook(window, clMaroon), Look::Pressed);

    // The click runs before the released face can be painted: the pressed face stays on
    // screen meanwhile, and the capture has gone.
    Look shownDuringClick = Look::Other;
    HWND captureDuringClick = window;
    onClick = [&](HWND) {
        shownDuringClick = ShownLook(window, clMaroon);
        captureDuringClick = GetCapture();
    };
    Release(window, 50, 12);
    EXPECT_EQ(received, (Received{"click FlatButton6"}));
    EXPECT_EQ(shownDuringClick, Look::Pressed);
    EXPECT_EQ(captureDuringClick, nullptr);
    EXPECT_EQ(button.State(), FaceState::Up);
    EXPECT_FALSE(button.MousePressed());
    // Then the hot face, the cursor being over the button.
    UpdateWindow(window);
    EXPECT_EQ(ShownLook(window, clMaroon), Look::Hot);
}

TEST_F(FlatButtonStates, PressMovedOutAndBackThenReleasedOutsideGivesNoClick)
{
    Build();
    TFlatButton& button = Button7();
    HWND window = button.Handle();
    Press(window, 50, 12);
    MoveTo(window, -3, 12);
    EXPECT_EQ(button.State(), FaceState::Up);
    EXPECT_EQ(LookOf(button), Look::Hot);   // still hot during the press
    MoveTo(window, 50, 12);
    EXPECT_EQ(LookOf(button), Look::Pressed);
    // The row just below counts as inside, the column just right does not.
    MoveTo(window, 50, 25);
    EXPECT_EQ(button.State(), FaceState::Pressed);
    MoveTo(window, 105, 12);
    EXPECT_EQ(button.State(), FaceState::Up);
    UpdateWindow(window);
    EXPECT_EQ(ShownLook(window, button.Colours().colorDown), Look::Hot);
    Release(window, 105, 12);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(button.Hot());
    // At once, not at the timer's next tick.
    UpdateWindow(window);
    EXPECT_EQ(ShownLook(window, button.Colours().colorDown), Look::AtRest);
}

TEST_F(FlatButtonStates, ReleaseOnTheRowBelowClicksButNotOnTheColumnRight)
{
    Build();
    HWND window = Button6().Handle();
    Press(window, 50, 12);
    Release(window, 50, 25);
    EXPECT_EQ(received, (Received{"click FlatButton6"}));
    received.clear();
    Press(window, 50, 12);
    Release(window, 105, 24);
    EXPECT_TRUE(received.empty());
    Press(window, 0, 0);
    Release(window, -1, 0);
    EXPECT_TRUE(received.empty());
}

TEST_F(FlatButtonStates, AnyReleaseEndsThePressAndADoubleClickClicksTwice)
{
    Build();
    TFlatButton& button = Button6();
    HWND window = button.Handle();
    // The right button released during a left press ends it; the left release that
    // follows, which gives the capture back, does nothing more.
    Press(window, 50, 12);
    Release(window, 50, 12, WM_RBUTTONUP);
    EXPECT_EQ(received, (Received{"click FlatButton6"}));
    EXPECT_FALSE(button.MousePressed());
    EXPECT_EQ(GetCapture(), window);
    Release(window, 50, 12);
    EXPECT_EQ(received.size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);

    // A release that ended no press does nothing.
    received.clear();
    Release(window, 50, 12);
    EXPECT_TRUE(received.empty());

    // Double clicks arrive as such, and the second press clicks again.
    EXPECT_TRUE(GetClassLongPtrA(window, GCL_STYLE) & CS_DBLCLKS);
    Press(window, 50, 12);
    Release(window, 50, 12);
    Press(window, 50, 12, WM_LBUTTONDBLCLK);
    EXPECT_EQ(button.State(), FaceState::Pressed);
    Release(window, 50, 12);
    EXPECT_EQ(received, (Received{"click FlatButton6", "click FlatButton6"}));
}

TEST_F(FlatButtonStates, LosingTheCaptureDuringAPressEndsItWithoutAClick)
{
    Build();
    TFlatButton& button = Button6();
    Press(button.Handle(), 50, 12);
    SetCapture(form_);
    EXPECT_FALSE(button.MousePressed());
    EXPECT_EQ(button.State(), FaceState::Up);
    ReleaseCapture();
    Release(button.Handle(), 50, 12);
    EXPECT_TRUE(received.empty());
}

TEST_F(FlatButtonStates, SpaceBarPressesOnKeyDownAndClicksOnceOnKeyUp)
{
    Build();
    TFlatButton& button = Button7();
    HWND window = button.Handle();
    SetFocus(window);
    EXPECT_TRUE(button.Hot());
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(LookOf(button), Look::Pressed);
    for (int repeat = 0; repeat < 3; ++repeat)   // held down: auto-repeated key downs
        SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0x40000001);
    EXPECT_EQ(button.State(), FaceState::Pressed);
    EXPECT_TRUE(received.empty());
    SendMessageA(window, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(received, (Received{"click FlatButton7"}));
    EXPECT_EQ(button.State(), FaceState::Up);

    // A key up whose key went down elsewhere clicks too; Enter clicks once on its key
    // down, however long it is held; other keys do nothing, also on a default button.
    SendMessageA(window, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(received.size(), 2u);
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0x40000001);
    SendMessageA(window, WM_KEYUP, VK_RETURN, 0xC0000001);
    EXPECT_EQ(received.size(), 3u);
    button.SetDefault(true);
    for (int key : {VK_ESCAPE, int{'A'}}) {
        SendMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        EXPECT_EQ(button.State(), FaceState::Up);
        SendMessageA(window, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
    }
    EXPECT_EQ(received.size(), 3u);
}

TEST_F(FlatButtonStates, AcceleratorMarkedInTheCaptionClicks)
{
    Build();
    TFlatButton& button = Button7();
    HWND window = button.Handle();
    SetWindowTextA(window, "&Informaci\xF3n");
    EXPECT_EQ(SendMessageA(window, CM_DIALOGCHAR, 'x', 0), 0);
    EXPECT_TRUE(received.empty());
    EXPECT_NE(SendMessageA(window, CM_DIALOGCHAR, 'i', 0), 0);
    EXPECT_EQ(received, (Received{"click FlatButton7"}));
    EnableWindow(window, FALSE);
    EXPECT_EQ(SendMessageA(window, CM_DIALOGCHAR, 'I', 0), 0);
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(FlatButtonStates, FocusMakesHotUntilTheTimerFindsTheCursorElsewhere)
{
    Build();
    TFlatButton& six = Button6();
    TFlatButton& seven = Button7();
    MoveTo(six.Handle(), 50, 12);
    SetFocus(six.Handle());
    EXPECT_TRUE(six.Hot());
    CursorElsewhere();
    Pump(300);
    EXPECT_FALSE(six.Hot());
    EXPECT_EQ(LookOf(six), Look::AtRest);
    EXPECT_EQ(GetFocus(), six.Handle());

    // Focus alone involves no timer: the hot look stays until the focus goes.
    SetFocus(seven.Handle());
    Pump(300);
    EXPECT_TRUE(seven.Hot());
    SetFocus(six.Handle());
    EXPECT_FALSE(seven.Hot());
}

TEST_F(FlatButtonStates, CursorFromOneButtonOntoTheOtherThenOntoTheForm)
{
    Build();
    TFlatButton& six = Button6();
    TFlatButton& seven = Button7();
    MoveTo(six.Handle(), 100, 12);
    EXPECT_TRUE(six.Hot());
    MoveTo(seven.Handle(), 2, 12);   // 8 pixels of form between them, crossed in one move
    EXPECT_FALSE(six.Hot());
    EXPECT_TRUE(seven.Hot());
    EXPECT_EQ(LookOf(six), Look::AtRest);
    EXPECT_EQ(LookOf(seven), Look::Hot);

    // Onto the form's background: the button does not hear of it, the timer notices.
    SetCursorTo(form_, 200, 80);
    SendMessageA(form_, WM_MOUSEMOVE, 0, At(200, 80));
    EXPECT_TRUE(seven.Hot());
    const DWORD start = GetTickCount();
    while (seven.Hot() && GetTickCount() - start < 1000)
        Pump(5);
    EXPECT_FALSE(seven.Hot());
    EXPECT_LE(GetTickCount() - start, 250u);
}

TEST_F(FlatButtonStates, NoHotLookWhileTheProgramHasNoActiveWindow)
{
    Build(false);
    ASSERT_EQ(GetActiveWindow(), nullptr);
    TFlatButton& six = Button6();
    MoveTo(six.Handle(), 50, 12);
    EXPECT_FALSE(six.Hot());
    EXPECT_EQ(LookOf(six), Look::AtRest);
    SetForegroundWindow(form_);
    SetActiveWindow(form_);
    MoveTo(six.Handle(), 51, 12);
    EXPECT_TRUE(six.Hot());
}

// The timer's window is message-only, or, where the system has no such windows (Windows 98,
// Me, NT 4.0: the entry emptied), hidden at the top level.
class HoverTimerWindow : public FlatButtonTest, public testing::WithParamInterface<bool> {
protected:
    int HoverTimerWindows() const
    {
        int count = 0;
        for (HWND timer = nullptr;
             (timer = FindWindowExA(messageOnly_.Parent(), timer, HoverTimer::WindowClassName, nullptr));) {
            EXPECT_FALSE(IsWindowVisible(timer));
            ++count;
        }
        return count;
    }

    const MessageOnlyWindows messageOnly_{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(MessageOnlyOrTopLevel, HoverTimerWindow, testing::Bool());

TEST_P(HoverTimerWindow, LivesFromTheFirstButtonToTheLast)
{
    EXPECT_EQ(HoverTimerWindows(), 0);
    Build();
    EXPECT_EQ(HoverTimerWindows(), 1);
    FormDescription another;
    another.components = {description_.components.front()};
    another.components.front().left = 8;
    another.components.front().top = 60;
    std::unique_ptr<FormComponents> more = BuildMore(another);
    EXPECT_EQ(HoverTimerWindows(), 1);

    // The one the timer watches goes first: the others keep working with it.
    TFlatButton& remaining = dynamic_cast<TFlatButton&>(*more->All().front());
    MoveTo(Button6().Handle(), 50, 12);
    components_.reset();
    EXPECT_EQ(HoverTimerWindows(), 1);
    MoveTo(remaining.Handle(), 50, 12);
    EXPECT_TRUE(remaining.Hot());
    CursorElsewhere();
    Pump(300);
    EXPECT_FALSE(remaining.Hot());
    more.reset();
    EXPECT_EQ(HoverTimerWindows(), 0);
}

TEST_F(FlatButtonStates, SettersRepaintAndDerivedColoursFollowTheParent)
{
    Build();
    TFlatButton& button = Button7();
    HWND window = button.Handle();
    auto repainted = [window] {
        const bool pending = GetUpdateRect(window, nullptr, FALSE) != FALSE;
        ValidateRect(window, nullptr);
        return pending;
    };
    // The rows leave Color to the form.
    EXPECT_TRUE(button.ParentColor());
    EXPECT_EQ(button.Colours().color, clBtnText);
    ValidateRect(window, nullptr);
    button.SetColorShadow(clMaroon);
    EXPECT_TRUE(repainted());
    button.SetDefault(false);
    EXPECT_TRUE(repainted());
    button.SetUseAdvColors(false);   // unchanged
    EXPECT_FALSE(repainted());

    // Derived from the form's black: lightness 0 + 10, then lighter by 10 or darker by 10
    // and 50, not below 0.
    button.SetUseAdvColors(true);
    EXPECT_TRUE(repainted());
    EXPECT_EQ(button.Colours().colorFocused, RgbWord(21, 21, 21));
    EXPECT_EQ(button.Colours().colorDown, clBlack);
    EXPECT_EQ(button.Colours().colorBorder, clBlack);
    button.SetAdvColorFocused(50);
    EXPECT_TRUE(repainted());
    EXPECT_EQ(button.Colours().colorFocused, RgbWord(64, 64, 64));
    button.SetAdvColorFocused(0);   // 0 keeps the colour as it is
    EXPECT_EQ(button.Colours().colorFocused, RgbWord(64, 64, 64));

    // Color set by itself leaves the parent; a change of the system's colours brings a
    // button with derived colours back to it.
    button.SetColor(clWhite);
    EXPECT_FALSE(button.ParentColor());
    EXPECT_TRUE(repainted());
    button.SetAdvColorFocused(10);
    EXPECT_EQ(button.Colours().colorFocused, RgbWord(106, 106, 106));   // white: 240 + 10 + 10, capped at 100
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(button.ParentColor());
    EXPECT_EQ(button.Colours().color, clBtnText);
    EXPECT_EQ(button.Colours().colorFocused, RgbWord(21, 21, 21));
    EXPECT_TRUE(repainted());
}
