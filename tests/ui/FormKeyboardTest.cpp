// Form1 built in this process and offered keys as its message loop offers them.
#include "Form1Classes.h"
#include "Form1Description.h"
#include "Unit1.h"

#include <gtest/gtest.h>

namespace {

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

MSG SystemCharacter(HWND window, char typed)
{
    MSG message = {};
    message.hwnd = window;
    message.message = WM_SYSCHAR;
    message.wParam = static_cast<unsigned char>(typed);
    return message;
}

} // namespace

TEST(Form1Keyboard, AltWithTheLetterACaptionMarksClicksThatButton)
{
    FormDescription description = Form1Description();
    description.components[3].Set("Caption", TextValue("&Desinfectar"));   // FlatButton6
    Application application(GetModuleHandleA(nullptr));
    TForm1 form(application, description, Form1Classes());
    form.Show();
    HWND pane = GetDlgItem(form.Handle(), FormComponents::FirstControlId + 5);
    ASSERT_FALSE(TextOf(pane).empty());

    // Typed in the selector, which has the focus: a letter no caption marks is left to
    // the window, the marked one (in either case) clicks, and "Desinfectar" with nothing
    // selected clears the pane.
    EXPECT_FALSE(form.PreTranslateMessage(SystemCharacter(GetFocus(), 'x')));
    EXPECT_FALSE(TextOf(pane).empty());
    EXPECT_TRUE(form.PreTranslateMessage(SystemCharacter(GetFocus(), 'D')));
    EXPECT_EQ(TextOf(pane), "");
}
