#include "widgets/controls/TFlatTitlebarUnit.h"

#include "widgets/paint/TitlebarText.h"
#include "widgets/win32/HighContrastMode.h"
#include "widgets/win32/InvalidOperation.h"
#include "widgets/win32/OffscreenPaint.h"
#include "widgets/win32/SystemColours.h"
#include "widgets/win32/WindowText.h"

#include <oleacc.h>

namespace {

const char* const TitlebarClassName = FlatTitlebarSettings::ClassName;
const int StripMargin = 8;   // on each side of a caption that a scaled strip widens for
const UINT_PTR NameChangeTimer = 0x4E43;   // a held-back name change falls due

POINT PointOf(LPARAM position)
{
    return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

} // namespace

TFlatTitlebar::TFlatTitlebar(const ComponentCreation& creation, const FlatTitlebarSettings& settings)
    : PaintedControl(creation),
      activeTextColor_(settings.activeTextColor),
      inactiveTextColor_(settings.inactiveTextColor),
      titlebarColor_(settings.titlebarColor),
      nameChanges_(static_cast<std::uint32_t>(settings.nameChangePeriod)),
      observer_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return ObserveFormMessage(message, wParam, lParam);
      })
{
    if (!Parent().isForm)
        throw InvalidOperation("TFlatTitlebar can only be placed on a descndant of a TCustomForm");
    CreatePaintedHandle(TitlebarClassName, 0, 0, settings.caption);
}

void TFlatTitlebar::Loaded()
{
    observer_.Install(Parent().window);
    FitScaledCaption();
}

void TFlatTitlebar::FitScaledCaption() const
{
    // On a form scaled to another screen resolution the font's widths need not grow with
    // its height: the strip widens about its centre to keep its whole caption and a margin.
    const FormMetrics& metrics = Parent().metrics;
    if (metrics.dpi == metrics.designDpi)
        return;
    const std::string caption = CaptionText();
    WindowDc dc(Handle());
    SelectedObject fontSelected(dc.Get(), Font() ? static_cast<HGDIOBJ>(Font()) : GetStockObject(SYSTEM_FONT));
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
    RECT place;
    GetWindowRect(Handle(), &place);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&place), 2);
    const int width = place.right - place.left, needed = extent.cx + 2 * Scale(StripMargin);
    if (needed <= width)
        return;
    SetWindowPos(Handle(), nullptr, place.left - (needed - width) / 2, place.top, needed, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TFlatTitlebar::ObserveFormMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ACTIVATE) {
        // Every report counts, whether or not the state changes; the minimised flag in the
        // high word does not.
        switch (LOWORD(wParam)) {
        case WA_INACTIVE:
            showsActive_ = false;
            Repaint();
            break;
        case WA_ACTIVE:
        case WA_CLICKACTIVE:
            showsActive_ = true;
            Repaint();
            if (OnActivate)
                OnActivate(*this);
            break;
        }
    }
    return observer_.CallNext(message, wParam, lParam);
}

void TFlatTitlebar::SetActiveTextColor(ColourWord colour)
{
    SetColour(activeTextColor_, colour);
}

void TFlatTitlebar::SetInactiveTextColor(ColourWord colour)
{
    SetColour(inactiveTextColor_, colour);
}

void TFlatTitlebar::SetTitlebarColor(ColourWord colour)
{
    SetColour(titlebarColor_, colour);
}

void TFlatTitlebar::SetColour(ColourWord& held, ColourWord colour)
{
    if (held == colour)
        return;
    held = colour;
    Repaint();
}

void TFlatTitlebar::SetCaption(const std::string& caption)
{
    SetWindowTextA(Handle(), caption.c_str());
}

std::string TFlatTitlebar::CaptionText() const
{
    return WindowText(Handle());
}

AccessibleFacts TFlatTitlebar::Facts() const
{
    return {ROLE_SYSTEM_STATICTEXT, CaptionText(), STATE_SYSTEM_READONLY, "", ""};
}

void TFlatTitlebar::AnnounceNameChange()
{
    if (nameChanges_.Changed(GetTickCount()))
        PaintedControl::AnnounceNameChange();
    else
        AnnounceHeldNameChange();
}

void TFlatTitlebar::AnnounceHeldNameChange()
{
    // Announced when due; until then the timer comes back for it.
    const DWORD now = GetTickCount();
    if (nameChanges_.Due(now)) {
        KillTimer(Handle(), NameChangeTimer);
        PaintedControl::AnnounceNameChange();
    } else if (nameChanges_.Held()) {
        SetTimer(Handle(), NameChangeTimer, nameChanges_.Wait(now), nullptr);
    }
}

void TFlatTitlebar::Paint(HDC dc)
{
    RECT client;
    GetClientRect(Handle(), &client);
    const std::string caption = CaptionText();

    SelectedObject fontSelected(dc, Font() ? static_cast<HGDIOBJ>(Font()) : GetStockObject(SYSTEM_FONT));
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);

    const ColourPair colours = HighContrastOn()
                                   ? HighContrastCaption(showsActive_)
                                   : ColourPair{titlebarColor_, showsActive_ ? activeTextColor_ : inactiveTextColor_};
    PaintRuns(dc, {{{client.left, client.top, client.right, client.bottom}, colours.ground}});
    // The text cell in the strip's colour too, so only the letters stand out; every
    // character as it is ("&" marks nothing).
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ResolveColour(colours.ground));
    SetTextColor(dc, ResolveColour(colours.text));
    const PixelPoint origin = TitlebarTextOrigin({client.right, client.bottom}, {extent.cx, metrics.tmHeight});
    TextOutA(dc, origin.x, origin.y, caption.c_str(), static_cast<int>(caption.size()));
}

void TFlatTitlebar::MouseDown(bool leftButton, LPARAM position)
{
    if (leftButton) {
        SetCapture(Handle());
        dragging_ = true;
    }
    dragOrigin_ = PointOf(position);
}

void TFlatTitlebar::MouseMove(LPARAM position) const
{
    if (!dragging_)
        return;
    const POINT mouse = PointOf(position);
    HWND form = Parent().window;
    RECT place;
    GetWindowRect(form, &place);
    POINT topLeft = {place.left, place.top};
    if (GetWindowLongPtrA(form, GWL_STYLE) & WS_CHILD)
        ScreenToClient(GetParent(form), &topLeft);
    // Horizontally first, then vertically, as two moves.
    const int left = topLeft.x + mouse.x - dragOrigin_.x;
    const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(form, nullptr, left, topLeft.y, 0, 0, flags);
    SetWindowPos(form, nullptr, left, topLeft.y + mouse.y - dragOrigin_.y, 0, 0, flags);
}

LRESULT TFlatTitlebar::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    // The strip's own mouse handling: no mouse event is passed on.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        MouseDown(message == WM_LBUTTONDOWN, lParam);
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        dragging_ = false;
        if (message == WM_LBUTTONUP && GetCapture() == window)
            ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        // A drag whose release another window will get ends here, or the strip would
        // go on moving the form under a mouse with no button down.
        dragging_ = false;
        return 0;
    case WM_TIMER:
        if (wParam != NameChangeTimer)
            break;
        AnnounceHeldNameChange();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
