#include "tests/win32/widgets/FlatButtonFixture.h"

#include "tests/win32/support/MessagePump.h"
#include "widgets/controls/ImageControl.h"
#include "widgets/controls/TFlatTitlebarUnit.h"
#include "widgets/win32/NewerWindowsDeclarations.h"

namespace {

const char* const TestFormClass = "PelkarinFlatButtonTestForm";

FlatButtonTest* current = nullptr;

} // namespace

void FlatButtonTest::SetUp()
{
    ReportedErrors::SetUp();
    current = this;
    CursorElsewhere();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = TestFormClass;
    RegisterClassA(&windowClass);
    font_ = GdiObject<HFONT>(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));
    for (const ComponentDescription& row : Form1Description().components)
        if (row.As<FlatButtonSettings>())
            description_.components.push_back(row);
}

void FlatButtonTest::TearDown()
{
    components_.reset();
    if (form_)
        DestroyWindow(form_);
    Pump(0);
    current = nullptr;
    EXPECT_TRUE(reported.empty()) << reported.front();
    ReportedErrors::TearDown();
}

void FlatButtonTest::Build(bool activate)
{
    form_ = CreateWindowExA(0, TestFormClass, "", WS_POPUP | WS_CLIPCHILDREN, FormLeft, FormTop, 240, 90, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(form_, nullptr);
    if (activate) {
        ShowWindow(form_, SW_SHOW);
        SetForegroundWindow(form_);
        SetActiveWindow(form_);
    } else {
        ShowWindow(form_, SW_SHOWNOACTIVATE);
    }
    parent_.window = form_;
    parent_.isForm = true;
    parent_.metrics.font = font_.Get();
    components_ = BuildMore(description_);
    // Focus rectangles hidden, as a form used with the mouse has them.
    for (const char* name : {"FlatButton6", "FlatButton7"})
        SendMessageA(Button(name).Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    Pump(50);
}

std::unique_ptr<FormComponents> FlatButtonTest::BuildMore(const FormDescription& form) const
{
    auto components = std::make_unique<FormComponents>();
    components->Build(form, parent_);
    for (const auto& component : components->All())
        if (auto* button = dynamic_cast<TFlatButton*>(component.get()))
            button->OnClick = [button] {
                current->received.push_back("click " + button->Name());
                if (current->onClick)
                    current->onClick(button->Handle());
            };
    return components;
}

TFlatButton& FlatButtonTest::Button(const std::string& name) const
{
    return components_->Get<TFlatButton>(name);
}

Look FlatButtonTest::LookOf(const TFlatButton& button) const
{
    return ::LookOf(WindowPixels::Painted(button.Handle()), button.Colours().colorDown);
}

void FlatButtonTest::SetCursorTo(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
}

void FlatButtonTest::MoveTo(HWND button, int x, int y)
{
    SetCursorTo(button, x, y);
    SendMessageA(button, WM_MOUSEMOVE, 0, At(x, y));
}

void FlatButtonTest::Press(HWND button, int x, int y, UINT message)
{
    SetCursorTo(button, x, y);
    SendMessageA(button, message, MK_LBUTTON, At(x, y));
}

void FlatButtonTest::Release(HWND button, int x, int y, UINT message)
{
    SetCursorTo(button, x, y);
    SendMessageA(button, message, 0, At(x, y));
}

void FlatButtonTest::Pump(DWORD milliseconds)
{
    PumpMessages(milliseconds);
}
