// The program's start run in this process: a start that fails shows its error box with
// no window of the program left behind.
#include "ui/Form1Description.h"
#include "ui/Program.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct StartBox {
    std::string caption;
    std::string text;
    bool programWindowLeft = true;   // a TForm1 or TApplication window existed with the box
    bool stayedOpen = false;         // the box was still there half a second later
};

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK FindBox(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

struct BoxWatch {
    DWORD threadId = 0;
    bool appeared = false;
    StartBox seen;
};

// Watches the given thread for its box, reads it, then answers it with OK.
DWORD WINAPI AnswerBoxOf(void* parameter)
{
    BoxWatch& watch = *static_cast<BoxWatch*>(parameter);
    StartBox& seen = watch.seen;
    HWND box = nullptr;
    for (int attempt = 0; attempt < 200 && !box; ++attempt) {
        EnumThreadWindows(watch.threadId, FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box)
            Sleep(50);
    }
    if (!box)
        return 0;
    watch.appeared = true;
    seen.caption = TextOf(box);
    seen.text = TextOf(GetDlgItem(box, 0xFFFF));
    seen.programWindowLeft = FindWindowA("TForm1", nullptr) || FindWindowA("TApplication", nullptr);
    Sleep(500);
    seen.stayedOpen = IsWindow(box) != FALSE;
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    return 0;
}

// Runs the program on this thread with the given description while another thread
// answers its box.
StartBox FailedStart(const FormDescription& form)
{
    BoxWatch watch;
    watch.threadId = GetCurrentThreadId();
    const HANDLE answering = CreateThread(nullptr, 0, AnswerBoxOf, &watch, 0, nullptr);
    if (!answering)
        throw std::runtime_error("No thread to answer the box");
    EXPECT_EQ(RunProgram(GetModuleHandleA(nullptr), form), 1);
    WaitForSingleObject(answering, INFINITE);
    CloseHandle(answering);
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a quit message was left";
    EXPECT_EQ(FindWindowA("TForm1", nullptr), nullptr);
    EXPECT_EQ(FindWindowA("TApplication", nullptr), nullptr);
    if (!watch.appeared)
        throw std::runtime_error("No box appeared");
    return watch.seen;
}

} // namespace

TEST(FailedStart, ComponentTheFormNeedsShowsItsErrorWithNoWindowLeft)
{
    // FlatButton6 described as a strip: every control is made, and the form finds no
    // button to bind its click to.
    FormDescription form = Form1Description();
    form.components[3].settings = FlatTitlebarSettings{};
    const StartBox box = FailedStart(form);
    EXPECT_EQ(box.caption, "Pelkarin");
    EXPECT_EQ(box.text, "No component FlatButton6 of the class the form needs.");
    EXPECT_FALSE(box.programWindowLeft);
    EXPECT_TRUE(box.stayedOpen);
}

TEST(FailedStart, RowNamedTwiceStopsTheStartBeforeAnyControl)
{
    FormDescription form = Form1Description();
    form.components.push_back(form.components[5]);   // memo
    const StartBox box = FailedStart(form);
    EXPECT_EQ(box.text, "Form1.memo is named twice.");
    EXPECT_FALSE(box.programWindowLeft);
}
