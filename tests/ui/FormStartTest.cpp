// The program's start run in this process: Form1's table against its classes, and a
// start that fails showing its error box with no window of the program left behind.
#include "ui/Form1Classes.h"
#include "ui/Form1Description.h"
#include "ui/Program.h"
#include "widgets/controls/Control.h"
#include "widgets/controls/GradientCaption.h"
#include "widgets/controls/ImageControl.h"
#include "widgets/controls/TFlatButtonUnit.h"
#include "widgets/controls/TFlatComboBoxUnit.h"
#include "widgets/controls/TFlatMemoUnit.h"
#include "widgets/controls/TFlatTitlebarUnit.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A control whose window class does not exist: its construction fails once the form's
// window and the controls before it are there.
class Missing : public Control {
public:
    explicit Missing(const ComponentCreation& creation) : Control(creation)
    {
        CreateHandle("PelkarinNoSuchClass", 0, "", 10);
    }
};

std::unique_ptr<Component> CreateMissing(const ComponentCreation& creation)
{
    return std::make_unique<Missing>(creation);
}

const ComponentClass MissingClass{"TMissing", {}, CreateMissing};

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

// Runs the program on this thread with the given description and classes while another
// thread answers its box.
StartBox FailedStart(const FormDescription& form, const ComponentRegistry& classes)
{
    BoxWatch watch;
    watch.threadId = GetCurrentThreadId();
    const HANDLE answering = CreateThread(nullptr, 0, AnswerBoxOf, &watch, 0, nullptr);
    if (!answering)
        throw std::runtime_error("No thread to answer the box");
    EXPECT_EQ(RunProgram(GetModuleHandleA(nullptr), form, classes), 1);
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

TEST(Form1Table, EveryRowSetsOnlyPropertiesItsClassDeclares)
{
    EXPECT_NO_THROW(Form1Classes().Check(Form1Description()));
}

TEST(FailedStart, ControlThatCannotBeMadeShowsItsErrorWithNoWindowLeft)
{
    FormDescription form = Form1Description();
    ComponentDescription missing;
    missing.name = "Missing1";
    missing.className = "TMissing";
    form.components.push_back(missing);
    const ComponentRegistry classes({&TImageClass(), &TFlatTitlebarClass(), &TFlatComboBoxClass(),
                                     &TFlatButtonClass(), &TFlatMemoClass(), &TGradientCaptionClass(),
                                     &MissingClass});

    const StartBox box = FailedStart(form, classes);
    EXPECT_EQ(box.caption, "Pelkarin");
    EXPECT_EQ(box.text, "Cannot create control Missing1.");
    EXPECT_FALSE(box.programWindowLeft);
    EXPECT_TRUE(box.stayedOpen);
}

TEST(FailedStart, RowNamingWhatItsFormLacksStopsTheStartBeforeAnyWindow)
{
    FormDescription form = Form1Description();
    form.components[5].Set("ColorDown", ColourValue(clMaroon));   // memo
    StartBox box = FailedStart(form, Form1Classes());
    EXPECT_EQ(box.text, "Form1.memo: TFlatMemo has no property ColorDown.");
    EXPECT_TRUE(box.stayedOpen);

    form = Form1Description();
    form.components[3].Set("OnClick", EventValue("FlatButton8Click"));   // FlatButton6
    box = FailedStart(form, Form1Classes());
    EXPECT_EQ(box.text, "Form1.FlatButton6: TForm1 has no handler FlatButton8Click.");
    EXPECT_FALSE(box.programWindowLeft);
}
