// The program's window made in this process, as a user who needs high contrast sees it:
// the mode switched on while the window is open and off again, the system's answers
// given through the call table (Wine can switch it on neither for real nor for one
// process). The window is read back from the screen, frame and caption bar included.
#include "tests/win32/support/HighContrastScheme.h"
#include "tests/win32/support/MessagePump.h"
#include "tests/win32/widgets/WindowPixels.h"
#include "ui/Application.h"
#include "ui/Form1Description.h"
#include "ui/Unit1.h"

#include <gtest/gtest.h>

namespace {

using Scheme = HighContrastScheme;
enum CreationIndex { Image5, FlatTitlebar1, ComboBox1, FlatButton6, FlatButton7, Memo, FlatTitlebar2 };

class FormLook : public ::testing::Test {
protected:
    FormLook() : form_(application_, Form1Description())
    {
        application_.SetTitle("Pelkarin");
        application_.SetMainWindow(form_.Handle());
        SetCursorPos(1000, 740);   // nothing hot
        form_.Show();
        SetForegroundWindow(form_.Handle());
        SetFocus(form_.Handle());   // no caret, no focused control
        PumpMessages(100);
    }

    // The system's look has changed: the window hears of it as every top-level window does.
    void SystemLookChanged()
    {
        SendMessageA(form_.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        PumpMessages(100);
    }

    WindowPixels Screen() const { return WindowPixels::Repainted(form_.Handle()); }

    // A control's block of the window's pixels.
    WindowPixels Control(int index) const
    {
        RECT outer, place;
        GetWindowRect(form_.Handle(), &outer);
        GetWindowRect(GetDlgItem(form_.Handle(), 100 + index), &place);
        OffsetRect(&place, -outer.left, -outer.top);
        return WindowPixels::OnScreen(form_.Handle(), place);
    }

    Application application_{GetModuleHandleA(nullptr)};
    TForm1 form_;
};

// The ground at a named pixel, the text in its colour somewhere inside, inset pixels in.
::testing::AssertionResult Readable(const WindowPixels& pixels, int x, int y, COLORREF ground, COLORREF text,
                                    int inset)
{
    if (pixels.At(x, y) != ground)
        return ::testing::AssertionFailure() << "the ground is 0x" << std::hex << pixels.At(x, y);
    if (pixels.BoundingBox(text, inset).IsEmpty())
        return ::testing::AssertionFailure() << "no text in 0x" << std::hex << text;
    return ::testing::AssertionSuccess();
}

} // namespace

TEST_F(FormLook, HighContrastIsFollowedLiveAndLeftAgain)
{
    const WindowPixels before = Screen();
    {
        const Scheme scheme;
        SystemLookChanged();
        const WindowPixels window = Screen();
        RECT client = {0, 0, 0, 0};
        MapWindowPoints(form_.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 1);
        RECT outer;
        GetWindowRect(form_.Handle(), &outer);
        EXPECT_EQ(window.At(client.left - outer.left + 2, client.top - outer.top + 2), Scheme::Window);
        // The caption bar: the active caption's pair, without the gradient.
        const int frameX = GetSystemMetrics(SM_CXDLGFRAME), frameY = GetSystemMetrics(SM_CYDLGFRAME);
        const RECT strip = {frameX, frameY, outer.right - outer.left - frameX - GetSystemMetrics(SM_CXSMSIZE),
                            frameY + GetSystemMetrics(SM_CYSMCAPTION) - 1};
        const WindowPixels caption = WindowPixels::OnScreen(form_.Handle(), strip);
        EXPECT_TRUE(caption.Row(0, 0, caption.Width() - 1, Scheme::ActiveCaption));
        EXPECT_TRUE(Readable(caption, 0, caption.Height() - 1, Scheme::ActiveCaption, Scheme::CaptionText, 0));

        EXPECT_EQ(Control(Image5).At(10, 60), Scheme::Window);
        for (int button : {FlatButton6, FlatButton7}) {
            const WindowPixels face = Control(button);
            EXPECT_EQ(face.At(0, 0), Scheme::ButtonText) << button;
            EXPECT_TRUE(Readable(face, 2, 2, Scheme::ButtonFace, Scheme::ButtonText, 2)) << button;
        }
        // (The pane lies over the first strip's top row, the frame over the second's bottom row.)
        for (int strip : {FlatTitlebar1, FlatTitlebar2})
            EXPECT_TRUE(Readable(Control(strip), 0, 10, Scheme::ActiveCaption, Scheme::CaptionText, 1)) << strip;
        const WindowPixels pane = Control(Memo), selector = Control(ComboBox1);
        EXPECT_EQ(pane.At(0, 0), Scheme::WindowText);
        EXPECT_TRUE(Readable(pane, 1, 1, Scheme::Window, Scheme::WindowText, 3));
        EXPECT_EQ(selector.At(0, 0), Scheme::WindowText);
        EXPECT_TRUE(Readable(selector, 1, 1, Scheme::Window, Scheme::WindowText, 3));

        // Another window active: the strips and the caption bar take the inactive pair.
        SetForegroundWindow(GetDesktopWindow());
        PumpMessages(100);
        EXPECT_EQ(Control(FlatTitlebar1).At(0, 10), Scheme::InactiveCaption);
        EXPECT_EQ(WindowPixels::OnScreen(form_.Handle(), strip).At(0, 0), Scheme::InactiveCaption);
        SetForegroundWindow(form_.Handle());
        SetFocus(form_.Handle());
    }
    SystemLookChanged();
    EXPECT_TRUE(Screen() == before);
}
