#include "Unit1.h"

#include "InformationViewer.h"
#include "MulDiv.h"

#include "SystemCleaning.h"
#include "Win32Platform.h"
#include "DisinfectionRun.h"
#include "../res/resource.h"

#include <algorithm>
#include <stdexcept>

namespace {

const int FirstControlId = 100;

// The handlers a description row may name for its control's click.
struct ClickHandler {
    const char* name;
    void (TForm1::*handler)();
};

const ClickHandler ClickHandlers[] = {
    {"FlatButton6Click", &TForm1::FlatButton6Click},
    {"FlatButton7Click", &TForm1::FlatButton7Click},
};

bool IsLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != 0;
}

void RegisterFormClass(HINSTANCE instance, const std::string& className, WNDPROC procedure)
{
    WNDCLASSA windowClass = {};
    if (GetClassInfoA(instance, className.c_str(), &windowClass))
        return;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PELKARIN));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassA(&windowClass))
        throw std::runtime_error("Cannot register the window class " + className);
}

// A tool window: small caption with only the close box, a fixed single border.
const DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
const DWORD FormExStyle = WS_EX_TOOLWINDOW;

} // namespace

TForm1::TForm1(Application& application, const FormDescription& description)
    : application_(application), description_(description)
{
    RegisterFormClass(application.Instance(), description.className, WindowProc);
    CreateFormFont();

    RECT frame = {0, 0, metrics_.Scale(description.clientWidth), metrics_.Scale(description.clientHeight)};
    AdjustWindowRectEx(&frame, FormStyle, FALSE, FormExStyle);
    // Owned by the application window, so it has no taskbar button of its own.
    CreateWindowExA(FormExStyle, description.className.c_str(), description.caption.c_str(), FormStyle,
                    description.left, description.top, frame.right - frame.left, frame.bottom - frame.top,
                    application.Window(), nullptr, application.Instance(), this);
    if (!window_)
        throw std::runtime_error("Cannot create the window " + description.name);
    CreateControls();

    memo_ = std::make_unique<ReportPane>(ControlHandle("memo"));
    platform_ = std::make_unique<Win32Platform>(
        [&application](const std::string& text) { application.ShowEngineBox(text); });
    cleaning_ = std::make_unique<SystemCleaning>(*platform_, *memo_, ProcessFlags(), IsLeadByte);
}

TForm1::~TForm1()
{
    if (window_)
        DestroyWindow(window_);
}

void TForm1::Show()
{
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetFocus(ControlHandle("ComboBox1"));
}

void TForm1::CreateFormFont()
{
    WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    font_ = GdiObject<HFONT>(CreateFontA(MulDivRounded(description_.fontHeight, dpi, description_.designDpi), 0, 0,
                                         0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                         description_.fontName.c_str()));
    SelectedObject fontSelected(screen.Get(), font_.Get());
    TEXTMETRICA textMetrics = {};
    GetTextMetricsA(screen.Get(), &textMetrics);
    metrics_.font = font_.Get();
    metrics_.designTextHeight = description_.designTextHeight;
    metrics_.textHeight = textMetrics.tmHeight > 0 ? textMetrics.tmHeight : description_.designTextHeight;
}

void TForm1::CreateControls()
{
    int id = FirstControlId;
    for (const ControlDescription& control : description_.controls) {
        controls_.push_back(CreateFormControl(control, window_, id++, metrics_));
        // Each control lies above the ones created before it.
        SetWindowPos(controls_.back()->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

FormControl* TForm1::ControlById(int id) const
{
    const int index = id - FirstControlId;
    if (index < 0 || index >= static_cast<int>(controls_.size()))
        return nullptr;
    return controls_[static_cast<std::size_t>(index)].get();
}

FormControl* TForm1::ControlByHandle(HWND handle) const
{
    for (const auto& control : controls_)
        if (control->Handle() == handle)
            return control.get();
    return nullptr;
}

HWND TForm1::ControlHandle(const std::string& name) const
{
    for (const auto& control : controls_)
        if (control->Description().name == name)
            return control->Handle();
    throw std::runtime_error("No control " + name);
}

int TForm1::SelectedIndex() const
{
    return static_cast<int>(SendMessageA(ControlHandle("ComboBox1"), CB_GETCURSEL, 0, 0));
}

void TForm1::FlatButton6Click()
{
    DisinfectionRun(SelectedIndex(), *cleaning_, *platform_, *memo_, ProcessFlags());
}

void TForm1::FlatButton7Click()
{
    ShowThreatInformation(SelectedIndex(), *platform_, *memo_);
}

std::vector<HWND> TForm1::TabStops() const
{
    std::vector<const FormControl*> stops;
    for (const auto& control : controls_)
        if (control->Description().tabStop)
            stops.push_back(control.get());
    std::stable_sort(stops.begin(), stops.end(), [](const FormControl* a, const FormControl* b) {
        return a->Description().tabOrder < b->Description().tabOrder;
    });
    std::vector<HWND> handles;
    for (const FormControl* control : stops)
        handles.push_back(control->Handle());
    return handles;
}

bool TForm1::PreTranslateMessage(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB)
        return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd))
        return false;
    const std::vector<HWND> stops = TabStops();
    if (stops.empty())
        return true;
    const auto count = static_cast<int>(stops.size());
    int current = -1;
    for (int i = 0; i < count; ++i)
        if (stops[static_cast<std::size_t>(i)] == message.hwnd ||
            IsChild(stops[static_cast<std::size_t>(i)], message.hwnd))
            current = i;
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const int next = current < 0 ? 0 : (current + (backwards ? count - 1 : 1)) % count;
    SetFocus(stops[static_cast<std::size_t>(next)]);
    return true;
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (form)
            form->window_ = nullptr;
    }
    if (!form)
        return DefWindowProcA(window, message, wParam, lParam);
    // What a handler raises ends the handler and is shown to the user; the program goes on.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        form->application_.ShowException(error);
        return 0;
    }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam))
            return 0;
        break;
    case WM_DRAWITEM: {
        FormControl* control = ControlById(static_cast<int>(wParam));
        if (control && control->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return OnControlColour(message, wParam, lParam);
    case WM_ERASEBKGND:
        if (OnEraseBackground(reinterpret_cast<HDC>(wParam)))
            return 1;
        break;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

bool TForm1::OnCommand(WPARAM wParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return false;
    FormControl* control = ControlById(LOWORD(wParam));
    if (!control || control->Description().onClick.empty())
        return false;
    for (const ClickHandler& click : ClickHandlers)
        if (control->Description().onClick == click.name) {
            (this->*click.handler)();
            return true;
        }
    return false;
}

void TForm1::OnActivate(bool active)
{
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus))
            lastFocus_ = focus;
        return;
    }
    SetFocus(lastFocus_ && IsChild(window_, lastFocus_) ? lastFocus_ : ControlHandle("ComboBox1"));
}

bool TForm1::OnEraseBackground(HDC dc)
{
    RECT area;
    GetClientRect(window_, &area);
    FillRect(dc, &area, background_.Get(description_.colour));
    return true;
}

LRESULT TForm1::OnControlColour(UINT message, WPARAM wParam, LPARAM lParam)
{
    FormControl* control = ControlByHandle(reinterpret_cast<HWND>(lParam));
    if (HBRUSH brush = control ? control->ControlColour(reinterpret_cast<HDC>(wParam)) : nullptr)
        return reinterpret_cast<LRESULT>(brush);
    return DefWindowProcA(window_, message, wParam, lParam);
}
