#include "ui/Unit1.h"

#include "ui/InformationViewer.h"
#include "ui/PaneText.h"
#include "widgets/controls/TFlatButtonUnit.h"
#include "widgets/controls/TFlatComboBoxUnit.h"
#include "widgets/controls/TFlatMemoUnit.h"
#include "widgets/controls/TFlatTitlebarUnit.h"
#include "base/MulDiv.h"
#include "base/WindowsFamily.h"
#include "widgets/win32/CheckedGdi.h"
#include "widgets/win32/ControlMessages.h"
#include "widgets/win32/HighContrastMode.h"
#include "widgets/win32/KeyboardCues.h"
#include "widgets/win32/RenamedWindowObject.h"
#include "widgets/win32/ScreenFont.h"

#include "cleaning/PurgeJournal.h"
#include "cleaning/SystemCleaning.h"
#include "cleaning/Undo.h"
#include "cleaning/Win32Platform.h"
#include "res/resource.h"

#include <algorithm>
#include <stdexcept>

namespace {

// A tool window: small caption with only the close box, a fixed single border.
const DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
const DWORD FormExStyle = WS_EX_TOOLWINDOW;

} // namespace

TForm1::TForm1(Application& application, const FormDescription& description)
    : application_(application), description_(description)
{
    RegisterWindowClass(description.className.c_str(), 0,
                        LoadIconA(application.Instance(), MAKEINTRESOURCEA(IDI_PELKARIN)));
    CreateFormFont();
    hiddenCues_ = InitiallyHiddenCues();   // the controls ask for them as they are made

    const SIZE outer = OuterSize();
    WindowCreation creation;
    creation.exStyle = FormExStyle;
    creation.className = description.className.c_str();
    creation.text = description.caption;
    creation.style = FormStyle;
    creation.left = description.left;
    creation.top = description.top;
    creation.width = outer.cx;
    creation.height = outer.cy;
    // Owned by the application window, so it has no taskbar button of its own.
    creation.parent = application.Window();
    window_.Create(creation, this, "the window " + description.name);

    parent_.window = window_.Get();
    parent_.isForm = true;
    parent_.colour = description.colour;
    components_.Build(description, parent_);
    BindComponents();
    AddUndoItem();
    platform_ = std::make_unique<Win32Platform>([this](const std::string& text) { ShowEngineBox(text); });
    cleaning_ = std::make_unique<SystemCleaning>(*platform_, runReport_, ProcessFlags(), runMonitor_);
    // A purge that a crash or a kill interrupted is undone before anything else runs.
    RecoverInterruptedPurges(*platform_, cleaning_->Data());
}

TForm1::~TForm1() = default;

SIZE TForm1::OuterSize() const
{
    RECT frame = {0, 0, parent_.metrics.Scale(description_.clientWidth),
                  parent_.metrics.Scale(description_.clientHeight)};
    AdjustWindowRectEx(&frame, FormStyle, FALSE, FormExStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void TForm1::Show()
{
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    SetFocus(comboBox1_->Handle());
}

void TForm1::CreateFormFont()
{
    const int dpi = ScreenDpi();
    const int height = MulDivRounded(description_.fontHeight, dpi, description_.designDpi);
    const std::string face = ScreenFace(description_.fontName, height, FW_NORMAL, dpi, description_.designDpi);
    font_ = GdiObject<HFONT>(Checked(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                 DEFAULT_PITCH | FF_DONTCARE, face.c_str()),
                                     "the window's font"));
    parent_.metrics.font = font_.Get();
    parent_.metrics.dpi = dpi;
    parent_.metrics.designDpi = description_.designDpi;
}

void TForm1::BindComponents()
{
    comboBox1_ = &components_.Get<TFlatComboBox>("ComboBox1");
    flatButton6_ = &components_.Get<TFlatButton>("FlatButton6");
    flatButton7_ = &components_.Get<TFlatButton>("FlatButton7");
    flatTitlebar1_ = &components_.Get<TFlatTitlebar>("FlatTitlebar1");
    memo_ = std::make_unique<ReportPane>(components_.Get<TFlatMemo>("memo").Handle(),
                                         IsWindows9x(GetVersion()) ? Windows9xPaneBytes : ReportPane::NoLimit);
    flatButton6_->OnClick = [this] { FlatButton6Click(); };
    flatButton7_->OnClick = [this] { FlatButton7Click(); };
}

int TForm1::SelectedIndex() const
{
    return static_cast<int>(SendMessageA(comboBox1_->Handle(), CB_GETCURSEL, 0, 0));
}

void TForm1::FlatButton7Click()
{
    if (ShowThreatInformation(SelectedIndex(), *platform_, *memo_, ProgramFolder()))
        AnnounceAccessibleEvent(EVENT_OBJECT_VALUECHANGE, PaneWindow());
}

void TForm1::AddUndoItem()
{
    const HMENU menu = GetSystemMenu(Handle(), FALSE);
    if (!menu || !AppendMenuA(menu, MF_SEPARATOR, 0, nullptr) ||
        !AppendMenuA(menu, MF_STRING, IDM_UNDO_LAST_RUN, "&Deshacer la \xFAltima desinfecci\xF3n"))
        throw std::runtime_error("The window's system menu cannot take the undo item");
}

void TForm1::OnInitSystemMenu(HMENU menu)
{
    // Another process's run or undo holds the lock: taken here, it is let go at once.
    const bool canUndo = !running_ && platform_->TakeRunLock() && HasRunToUndo(*platform_, cleaning_->Data());
    EnableMenuItem(menu, IDM_UNDO_LAST_RUN, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
}

HWND TForm1::PaneWindow() const
{
    return components_.Get<TFlatMemo>("memo").Handle();
}

std::vector<HWND> TForm1::TabStops() const
{
    std::vector<const Control*> stops;
    for (const auto& component : components_.All())
        if (const auto* control = dynamic_cast<const Control*>(component.get()); control && control->TabStop())
            stops.push_back(control);
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Control* a, const Control* b) { return a->TabOrder() < b->TabOrder(); });
    std::vector<HWND> handles;
    for (const Control* control : stops)
        handles.push_back(control->Handle());
    return handles;
}

bool TForm1::PreTranslateMessage(const MSG& message)
{
    if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))
        return false;
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_MENU)
        ShowKeyboardCues(UISF_HIDEACCEL);   // and Alt goes on to the window
    if (message.message == WM_SYSCHAR)
        return OfferAccelerator(static_cast<char>(message.wParam));
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB)
        return false;
    ShowKeyboardCues(UISF_HIDEFOCUS);
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

void TForm1::ShowKeyboardCues(WORD cues) const
{
    SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
}

bool TForm1::OfferAccelerator(char typed) const
{
    for (const auto& component : components_.All())
        if (const auto* control = dynamic_cast<const Control*>(component.get()))
            if (SendMessageA(control->Handle(), CM_DIALOGCHAR, static_cast<unsigned char>(typed), 0))
                return true;
    return false;
}

void TForm1::ForwardToControls(UINT message, WPARAM wParam, LPARAM lParam) const
{
    for (const auto& component : components_.All())
        if (const auto* control = dynamic_cast<const Control*>(component.get()))
            SendMessageA(control->Handle(), message, wParam, lParam);
}

LRESULT TForm1::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT result = 0; OnRunMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam))
            return 0;
        break;
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam))
            OnInitSystemMenu(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_UNDO_LAST_RUN) {
            if (!running_)
                UndoClick();
            return 0;
        }
        break;
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
    case WM_CHANGEUISTATE:
        OnChangeKeyboardCues(wParam);
        return 0;
    case WM_QUERYUISTATE:
        return hiddenCues_;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows are told; the controls need to know too.
        ForwardToControls(message, wParam, lParam);
        OnSystemLookChanged();
        return 0;
    case WM_SETTINGCHANGE:
        OnSystemLookChanged();
        return 0;
    case WM_GETOBJECT:
        // The alert of a run's end, and the window under the application's title rather
        // than its decorated caption.
        if (const LRESULT alert = alert_.OnGetObject(window, wParam, lParam))
            return alert;
        if (const LRESULT renamed = RenamedWindowObject(window, application_.Title(), wParam, lParam))
            return renamed;
        break;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool TForm1::OnCommand(WPARAM wParam)
{
    Control* control = components_.ControlById(LOWORD(wParam));
    return control && control->Notification(HIWORD(wParam));
}

void TForm1::OnActivate(bool active)
{
    if (running_) {
        // The other controls are disabled: the reader can go through the Report meanwhile.
        if (active)
            SetFocus(PaneWindow());
        return;
    }
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus))
            lastFocus_ = focus;
        return;
    }
    SetFocus(lastFocus_ && IsChild(Handle(), lastFocus_) ? lastFocus_ : comboBox1_->Handle());
}

void TForm1::OnChangeKeyboardCues(WPARAM change)
{
    const WORD hidden = CuesAfter(hiddenCues_, change);
    if (hidden == hiddenCues_)
        return;
    hiddenCues_ = hidden;
    ForwardToControls(WM_UPDATEUISTATE, change, 0);
}

void TForm1::OnSystemLookChanged()
{
    // High contrast, the colours and the caption's metrics are read at every paint: the
    // frame is fitted again around the client area it keeps, and everything repainted.
    const SIZE outer = OuterSize();
    SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool TForm1::OnEraseBackground(HDC dc)
{
    RECT area;
    GetClientRect(Handle(), &area);
    FillRect(dc, &area, background_.Get(FormGround(description_.colour)));
    return true;
}

LRESULT TForm1::OnControlColour(UINT message, WPARAM wParam, LPARAM lParam)
{
    Control* control = components_.ControlByHandle(reinterpret_cast<HWND>(lParam));
    if (HBRUSH brush = control ? control->ControlColour(reinterpret_cast<HDC>(wParam)) : nullptr)
        return reinterpret_cast<LRESULT>(brush);
    return DefWindowProcA(Handle(), message, wParam, lParam);
}
