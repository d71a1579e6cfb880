#include "widgets/controls/TFlatButtonUnit.h"

#include "widgets/paint/CaptionAccelerator.h"
#include "widgets/win32/ControlMessages.h"
#include "widgets/win32/ExceptionReport.h"
#include "widgets/win32/HighContrastMode.h"
#include "widgets/win32/HoverTimer.h"
#include "widgets/win32/KeyboardCues.h"
#include "widgets/win32/OffscreenPaint.h"
#include "widgets/win32/SystemColours.h"
#include "widgets/win32/WindowText.h"

#include <oleacc.h>

#include <algorithm>
#include <memory>

namespace {

const char* const FlatButtonClassName = FlatButtonSettings::ClassName;
// Posted to the button by its accessible object's default action: the click comes once
// the client's call has returned.
const UINT DefaultActionMessage = WM_APP + 0x4642;

// What all flat buttons of the process share for hover tracking.
struct HoverTracking {
    int buttonCount = 0;                  // HoverButtonCount
    std::unique_ptr<HoverTimer> timer;    // HoverTimer, while a flat button lives
    TFlatButton* button = nullptr;        // HoverButton: the one whose cursor check the timer runs
};

HoverTracking& Hover()
{
    static HoverTracking hover;
    return hover;
}

PixelPoint MousePoint(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The caption as DrawText takes it: every "&" doubled, and one before the accelerator
// when it is to be underlined.
std::string DrawTextCaption(const DisplayedCaption& caption, bool underline)
{
    std::string text;
    for (std::size_t i = 0; i < caption.text.size(); ++i) {
        if ((underline && static_cast<int>(i) == caption.underline) || caption.text[i] == '&')
            text += '&';
        text += caption.text[i];
    }
    return text;
}

} // namespace

TFlatButton::HoverCount::HoverCount()
{
    HoverTracking& hover = Hover();
    if (hover.buttonCount == 0)
        hover.timer = std::make_unique<HoverTimer>(HoverTick);
    ++hover.buttonCount;
}

TFlatButton::HoverCount::~HoverCount()
{
    HoverTracking& hover = Hover();
    if (--hover.buttonCount == 0)
        hover.timer.reset();
}

TFlatButton::TFlatButton(const ComponentCreation& creation, const FlatButtonSettings& settings)
    : PaintedControl(creation, settings.tab)
{
    colours_ = settings.colours;
    parentColor_ = settings.parentColor;
    if (parentColor_)
        colours_.color = Parent().colour;
    advColorFocused_ = std::clamp(settings.advColorFocused, 0, 100);
    advColorDown_ = std::clamp(settings.advColorDown, 0, 100);
    advColorBorder_ = std::clamp(settings.advColorBorder, 0, 100);
    default_ = settings.isDefault;
    if (settings.useAdvColors) {
        useAdvColors_ = true;
        parentColor_ = true;
        colours_.color = Parent().colour;
        ApplyAdvColors();
    }

    hiddenCues_ = static_cast<WORD>(SendMessageA(Parent().window, WM_QUERYUISTATE, 0, 0));
    CreatePaintedHandle(FlatButtonClassName, CS_DBLCLKS, settings.enabled ? 0 : WS_DISABLED, settings.caption);
}

TFlatButton::~TFlatButton()
{
    StopHoverTimer();
}

void TFlatButton::Loaded()
{
    Repaint();
}

LRESULT TFlatButton::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(MousePoint(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:   // a double click is a second press
        OnLeftPress();
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == window) {
            releasingCapture_ = true;
            ReleaseCapture();
            releasingCapture_ = false;
        }
        OnRelease(MousePoint(lParam));
        return 0;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        OnRelease(MousePoint(lParam));
        return 0;
    case WM_XBUTTONUP:
        OnRelease(MousePoint(lParam));
        return TRUE;
    case WM_CAPTURECHANGED:
        OnCaptureLost(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            if ((lParam & 0x40000000) == 0)   // not a repeat of a key held down
                OnEnter();
            return 0;
        }
        if (wParam != VK_SPACE)
            break;
        OnSpaceDown();
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE)
            break;
        OnSpaceUp();
        return 0;
    case CM_DIALOGCHAR:
        return OnDialogChar(static_cast<char>(wParam)) ? 1 : 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        OnFocus(message == WM_SETFOCUS);
        return 0;
    case WM_ENABLE:
        OnEnabledChanged(wParam != FALSE);
        return 0;
    case WM_SYSCOLORCHANGE:
        OnColoursChanged();
        return 0;
    case DefaultActionMessage:
        if (Enabled())
            Click();
        return 0;
    case WM_UPDATEUISTATE:
        // The form showed or hid keyboard cues: the underline and the focus rectangle follow.
        hiddenCues_ = CuesAfter(hiddenCues_, wParam);
        Repaint();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

PixelRect TFlatButton::CaptionRect() const
{
    WindowDc dc(Handle());
    SelectedObject fontSelected(dc.Get(), Font() ? Font() : GetStockObject(SYSTEM_FONT));
    return CaptionRect(dc.Get());
}

PixelRect TFlatButton::CaptionRect(HDC dc) const
{
    RECT client;
    GetClientRect(Handle(), &client);
    const DisplayedCaption caption = DisplayCaption(WindowText(Handle()));
    SIZE extent = {};
    if (!caption.text.empty())
        GetTextExtentPoint32A(dc, caption.text.c_str(), static_cast<int>(caption.text.size()), &extent);
    return LayoutFace({client.right, client.bottom}, FaceOffset(ShownState()), {extent.cx, extent.cy}, {},
                      ButtonLayout::blGlyphTop, -1, 4)
        .captionRect;
}

FaceState TFlatButton::ShownState() const
{
    return NormaliseFaceState(faceState_, Enabled(), false, 0);
}

void TFlatButton::Paint(HDC dc)
{
    RECT client;
    GetClientRect(Handle(), &client);
    const PixelRect face{0, 0, client.right, client.bottom};
    SelectedObject fontSelected(dc, Font() ? Font() : GetStockObject(SYSTEM_FONT));
    const DisplayedCaption caption = DisplayCaption(WindowText(Handle()));
    const PixelRect captionRect = CaptionRect(dc);

    const FaceLook look = HighContrastOn() ? HighContrastButtonFace(ShownState(), hot_, default_)
                                           : FlatButtonFace(ShownState(), hot_, default_, colours_);
    PaintRuns(dc, {{face, look.fill}});
    DrawBevel(dc, face, look.frameTopLeft, look.frameBottomRight, look.frameWidth);
    if (!caption.text.empty()) {
        const std::string text = DrawTextCaption(caption, (hiddenCues_ & UISF_HIDEACCEL) == 0);
        SetBkMode(dc, TRANSPARENT);
        for (const CaptionPass& pass : look.caption) {
            RECT area{captionRect.left + pass.shift.x, captionRect.top + pass.shift.y,
                      captionRect.right + pass.shift.x, captionRect.bottom + pass.shift.y};
            SetTextColor(dc, ResolveColour(pass.colour));
            DrawTextA(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        }
    }
    if (GetFocus() == Handle() && (hiddenCues_ & UISF_HIDEFOCUS) == 0) {
        const PixelRect inside = InsetRect(face, look.frameWidth + 2);   // two pixels clear of the frame
        const RECT area{inside.left, inside.top, inside.right, inside.bottom};
        DrawFocusRect(dc, &area);
    }
}

AccessibleFacts TFlatButton::Facts() const
{
    const std::string caption = WindowText(Handle());
    AccessibleFacts facts;
    facts.role = ROLE_SYSTEM_PUSHBUTTON;
    facts.name = DisplayCaption(caption).text;
    facts.state = Enabled() ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
    if (GetFocus() == Handle())
        facts.state |= STATE_SYSTEM_FOCUSED;
    if (faceState_ == FaceState::Pressed)
        facts.state |= STATE_SYSTEM_PRESSED;
    if (const char key = CaptionAccelerator(caption))
        facts.shortcut = std::string("Alt+") + key;
    facts.defaultAction = "Presionar";
    return facts;
}

void TFlatButton::DoDefaultAction()
{
    PostMessageA(Handle(), DefaultActionMessage, 0, 0);
}

void TFlatButton::OnMouseMove(PixelPoint mouse)
{
    HoverTracking& hover = Hover();
    if (hover.button != this && UnderCursor()) {
        if (hover.button)
            hover.button->LeaveHot();
        if (GetActiveWindow()) {
            hover.timer->Stop();
            hover.button = this;
            hover.timer->Start();
            EnterHot();
        }
    }
    if (mousePressed_) {
        RECT client;
        GetClientRect(Handle(), &client);
        const FaceState state =
            CountsAsInside(mouse, {client.right, client.bottom}) ? FaceState::Pressed : FaceState::Up;
        if (state != faceState_) {
            faceState_ = state;
            Repaint();
        }
    }
}

void TFlatButton::OnLeftPress()
{
    if (!Enabled())
        return;
    SetCapture(Handle());
    faceState_ = FaceState::Pressed;
    Repaint();
    mousePressed_ = true;
    SetFocus(Handle());
}

void TFlatButton::OnRelease(PixelPoint mouse)
{
    if (!mousePressed_)
        return;
    mousePressed_ = false;
    RECT client;
    GetClientRect(Handle(), &client);
    const bool inside = CountsAsInside(mouse, {client.right, client.bottom});
    faceState_ = FaceState::Up;
    hot_ = false;
    if (inside) {
        Repaint();
        Click();
    } else {
        LeaveHot();
    }
    RecheckHover();
}

void TFlatButton::OnCaptureLost(HWND newCapture)
{
    // Capture taken away during a press (a box opened, another window took it): the press
    // ends as a release outside, without a click.
    if (!releasingCapture_ && newCapture != Handle())
        OnRelease({-1, -1});
}

void TFlatButton::OnSpaceDown()
{
    if (!Enabled())
        return;
    faceState_ = FaceState::Pressed;
    Repaint();
}

void TFlatButton::OnSpaceUp()
{
    if (!Enabled())
        return;
    faceState_ = FaceState::Up;
    Click();
    Repaint();
}

void TFlatButton::OnEnter()
{
    if (Enabled())
        Click();
}

bool TFlatButton::OnDialogChar(char typed)
{
    if (!Enabled() || !IsCaptionAccelerator(WindowText(Handle()), typed))
        return false;
    Click();
    return true;
}

void TFlatButton::OnFocus(bool gained)
{
    if (!gained) {
        LeaveHot();
    } else if (Enabled()) {
        hot_ = true;
        Repaint();
    }
}

void TFlatButton::OnEnabledChanged(bool enabled)
{
    faceState_ = NormaliseFaceState(faceState_, enabled, false, 0);
    if (!enabled) {
        hot_ = false;
        mousePressed_ = false;
        StopHoverTimer();
    }
    RecheckHover();
    Repaint();
}

void TFlatButton::OnColoursChanged()
{
    if (parentColor_)
        colours_.color = Parent().colour;
    if (useAdvColors_) {
        parentColor_ = true;
        colours_.color = Parent().colour;
        ApplyAdvColors();
    }
    Repaint();
}

void TFlatButton::HoverTick()
{
    if (TFlatButton* button = Hover().button)
        button->CheckHover();
}

void TFlatButton::EnterHot()
{
    if (Enabled() && !hot_) {
        hot_ = true;
        Repaint();
    }
}

void TFlatButton::LeaveHot()
{
    if (Enabled() && hot_ && !mousePressed_) {
        hot_ = false;
        StopHoverTimer();
        Repaint();
    }
}

void TFlatButton::StopHoverTimer()
{
    HoverTracking& hover = Hover();
    if (hover.button == this) {
        hover.timer->Stop();
        hover.button = nullptr;
    }
}

void TFlatButton::CheckHover()
{
    if (!UnderCursor())
        LeaveHot();
}

void TFlatButton::RecheckHover()
{
    if (!Enabled())
        return;
    const bool over = UnderCursor();
    // The opposite first, so that the call below always acts: it repaints, and when the
    // cursor is elsewhere it also stops the timer watching this button.
    hot_ = !over;
    if (over)
        EnterHot();
    else
        LeaveHot();
}

bool TFlatButton::UnderCursor() const
{
    POINT cursor;
    return GetCursorPos(&cursor) && WindowFromPoint(cursor) == Handle();
}

bool TFlatButton::Enabled() const
{
    return IsWindowEnabled(Handle()) != FALSE;
}

void TFlatButton::Click()
{
    if (!OnClick)
        return;
    // The handler's error is shown as the form's would be; the button ends its own
    // handling of the press or key either way.
    try {
        OnClick();
    } catch (...) {
        ReportCurrentException();
    }
}

void TFlatButton::ApplyAdvColors()
{
    if (!useAdvColors_)
        return;
    const ColourWord parent = ResolveColour(colours_.color);
    colours_.colorFocused = ShadeFromParent(parent, colours_.colorFocused, advColorFocused_, false);
    colours_.colorDown = ShadeFromParent(parent, colours_.colorDown, advColorDown_, true);
    colours_.colorBorder = ShadeFromParent(parent, colours_.colorBorder, advColorBorder_, true);
}

void TFlatButton::SetColor(ColourWord colour)
{
    colours_.color = colour;
    parentColor_ = false;
    Repaint();
}

void TFlatButton::SetParentColor(bool parentColor)
{
    parentColor_ = parentColor;
    if (parentColor)
        OnColoursChanged();
}

void TFlatButton::SetUseAdvColors(bool useAdvColors)
{
    if (useAdvColors == useAdvColors_)
        return;
    useAdvColors_ = useAdvColors;
    parentColor_ = useAdvColors;
    if (parentColor_)
        colours_.color = Parent().colour;
    ApplyAdvColors();
    Repaint();
}

void TFlatButton::SetAdvColorFocused(int percent)
{
    advColorFocused_ = std::clamp(percent, 0, 100);
    ApplyAdvColors();
    Repaint();
}

void TFlatButton::SetDefault(bool isDefault)
{
    default_ = isDefault;
    Repaint();
}

