// Form1 built in this process and offered keys as its message loop offers them; and a
// run whose wait for messages fails.
#include "ui/Form1Description.h"
#include "ui/Unit1.h"
#include "widgets/win32/KeyboardCues.h"
#include "widgets/win32/WindowCalls.h"

#include <gtest/gtest.h>

namespace {

enum CreationIndex { ComboBox1 = 2, FlatButton6, FlatButton7, Memo };

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

MSG Key(HWND window, UINT message, WPARAM key, LPARAM flags = 1)
{
    MSG msg = {};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = key;
    msg.lParam = flags;
    return msg;
}

// A key as the message loop hands it on: to the form's keyboard handling first, then,
// unless that took it, to the window it was meant for.
void Press(TForm1& form, const MSG& key)
{
    if (!form.PreTranslateMessage(key))
        SendMessageA(key.hwnd, key.message, key.wParam, key.lParam);
}

void HoldShift(bool held)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

// The pixel of a control's face as it paints it.
COLORREF PaintedPixel(HWND control, int x, int y)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixel;
}

int failedWaits = 0;

DWORD WINAPI FailingWait(DWORD, const HANDLE*, BOOL, DWORD, DWORD)
{
    ++failedWaits;
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
}

class Form1Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.Show();
        ASSERT_FALSE(TextOf(Control(Memo)).empty());
    }

    HWND Control(int index) const { return GetDlgItem(form.Handle(), FormComponents::FirstControlId + index); }
    bool PaneCleared() const { return TextOf(Control(Memo)).empty(); }
    void RefillPane() const { SetWindowTextA(Control(Memo), "x"); }

    Application application{GetModuleHandleA(nullptr)};
    TForm1 form{application, Form1Description()};
};

} // namespace

TEST_F(Form1Keyboard, TabVisitsSelectorButtonsAndPaneInOrderAndShiftTabGoesBack)
{
    auto focused = [&] {
        HWND focus = GetFocus();
        for (int index : {ComboBox1, FlatButton6, FlatButton7, Memo})
            if (focus == Control(index) || IsChild(Control(index), focus))
                return index;
        return -1;
    };
    ASSERT_EQ(focused(), ComboBox1);
    for (int expected : {FlatButton6, FlatButton7, Memo, ComboBox1, FlatButton6}) {
        Press(form, Key(GetFocus(), WM_KEYDOWN, VK_TAB));
        EXPECT_EQ(focused(), expected);
    }
    HoldShift(true);
    for (int expected : {ComboBox1, Memo, FlatButton7}) {
        Press(form, Key(GetFocus(), WM_KEYDOWN, VK_TAB));
        EXPECT_EQ(focused(), expected);
    }
    HoldShift(false);
}

TEST_F(Form1Keyboard, TabShowsTheFocusRectangleWhereTheCuesWereHidden)
{
    // Hidden, as the system hides them until the keyboard is used; a click's focus shows none.
    SendMessageA(form.Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS | UISF_HIDEACCEL);
    HWND button = Control(FlatButton6);
    const COLORREF face = PaintedPixel(button, 2, 2);
    SetFocus(button);
    EXPECT_EQ(PaintedPixel(button, 3, 3), face);

    // Tab on: the rectangle's corner dot two pixels inside the frame of the button it reached.
    SetFocus(Control(ComboBox1));
    Press(form, Key(GetFocus(), WM_KEYDOWN, VK_TAB));
    ASSERT_EQ(GetFocus(), button);
    EXPECT_NE(PaintedPixel(button, 3, 3), face);
    EXPECT_EQ(PaintedPixel(button, 2, 2), face);
    // The underlines wait for Alt.
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUERYUISTATE, 0, 0), UISF_HIDEACCEL);
    Press(form, Key(button, WM_SYSKEYDOWN, VK_MENU, 0x20000001));
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUERYUISTATE, 0, 0), 0);
}

TEST_F(Form1Keyboard, AltLetterEnterAndSpaceEachClickOnce)
{
    // "Desinfectar" with nothing selected clears the pane: one run each time it clears.
    // Alt with a letter no caption marks is left to the window; the marked one, in either
    // case, clicks from anywhere in the form.
    EXPECT_FALSE(form.PreTranslateMessage(Key(GetFocus(), WM_SYSCHAR, 'x')));
    EXPECT_FALSE(PaneCleared());
    EXPECT_TRUE(form.PreTranslateMessage(Key(GetFocus(), WM_SYSCHAR, 'd')));
    EXPECT_TRUE(PaneCleared());

    // Enter on the focused button: one run on its key down, none for the repeats and the
    // key up.
    HWND button = Control(FlatButton6);
    SetFocus(button);
    RefillPane();
    Press(form, Key(button, WM_KEYDOWN, VK_RETURN));
    EXPECT_TRUE(PaneCleared());
    RefillPane();
    Press(form, Key(button, WM_KEYDOWN, VK_RETURN, 0x40000001));
    Press(form, Key(button, WM_KEYUP, VK_RETURN, 0xC0000001));
    EXPECT_FALSE(PaneCleared());

    // Space: the run on its key up.
    Press(form, Key(button, WM_KEYDOWN, VK_SPACE));
    EXPECT_FALSE(PaneCleared());
    Press(form, Key(button, WM_KEYUP, VK_SPACE, 0xC0000001));
    EXPECT_TRUE(PaneCleared());

    // Esc clicks nothing and leaves the window open, wherever the focus is.
    for (int index : {ComboBox1, FlatButton6, FlatButton7, Memo}) {
        RefillPane();
        SetFocus(Control(index));
        Press(form, Key(GetFocus(), WM_KEYDOWN, VK_ESCAPE));
        Press(form, Key(GetFocus(), WM_CHAR, VK_ESCAPE));
        Press(form, Key(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0000001));
        MSG pending;
        while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&pending);
        EXPECT_FALSE(PaneCleared()) << index;
        EXPECT_TRUE(IsWindow(form.Handle())) << index;
    }
}

TEST_F(Form1Keyboard, ARunWhoseWaitFailsStillEndsWithoutSpinning)
{
    const WindowCalls saved = TheWindowCalls();
    TheWindowCalls().MsgWaitForMultipleObjects = FailingWait;
    failedWaits = 0;
    SendMessageA(Control(ComboBox1), CB_SETCURSEL, 2, 0);   // "Cadena ": two walks of drive C:
    const DWORD start = GetTickCount();
    form.FlatButton6Click();
    const DWORD took = GetTickCount() - start;
    TheWindowCalls() = saved;
    const std::string pane = TextOf(Control(Memo));
    EXPECT_NE(pane.find("Su sistema no hab\xED" "a sido infectado :)\r\n"), std::string::npos) << pane;
    EXPECT_GT(failedWaits, 0);
    EXPECT_LE(failedWaits, static_cast<int>(took / 5 + 5)) << "in " << took << " ms";
}
