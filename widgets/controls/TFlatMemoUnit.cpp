#include "widgets/controls/TFlatMemoUnit.h"

#include "widgets/paint/FlatMemoGeometry.h"
#include "widgets/win32/HighContrastMode.h"
#include "widgets/win32/HoverTimer.h"
#include "widgets/win32/OffscreenPaint.h"
#include "widgets/win32/SystemColours.h"
#include "widgets/win32/WindowCalls.h"

namespace {

const UINT_PTR LeaveTimerId = 0x4C45;   // the edit's own timers have small numbers

const char* const FlatMemoMark = "Pelkarin.TFlatMemo";   // window property of every flat memo

// The scroll-bar styles of a ScrollBars setting.
DWORD ScrollBarStyle(FlatMemoSettings::ScrollBars scrollBars)
{
    switch (scrollBars) {
    case FlatMemoSettings::ScrollBars::None:
        return 0;
    case FlatMemoSettings::ScrollBars::Horizontal:
        return WS_HSCROLL;
    case FlatMemoSettings::ScrollBars::Vertical:
        return WS_VSCROLL;
    case FlatMemoSettings::ScrollBars::Both:
        break;
    }
    return WS_HSCROLL | WS_VSCROLL;
}

// The edit's text: each line followed by CR LF.
std::string JoinedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

TFlatMemo::TFlatMemo(const ComponentCreation& creation, const FlatMemoSettings& settings)
    : Control(creation, settings.tab),
      colorFocused_(settings.colorFocused),
      colorBorder_(settings.colorBorder),
      colorFlat_(settings.parentColor ? Parent().colour : settings.colorFlat),
      parentColor_(settings.parentColor),
      textColour_(settings.fontColor),
      bothScrollBars_(settings.scrollBars == FlatMemoSettings::ScrollBars::Both),
      wantReturns_(settings.wantReturns),
      look_{colorBorder_, colorFlat_, colorFlat_, textColour_},
      subclass_([this](UINT message, WPARAM wParam, LPARAM lParam) { return OnMessage(message, wParam, lParam); })
{
    // No border and no 3-D edge of the platform's own: the frame takes their place.
    const DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | ScrollBarStyle(settings.scrollBars) |
                        (settings.wordWrap ? 0 : ES_AUTOHSCROLL) | (settings.readOnly ? ES_READONLY : 0) |
                        (wantReturns_ ? ES_WANTRETURN : 0);
    CreateHandle("EDIT", style, JoinedLines(settings.lines), Scale(Description().height));
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);   // the system's maximum
    SetPropA(Handle(), FlatMemoMark, Handle());
    subclass_.Install(Handle());
    // The client area moves inwards for the frame.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TFlatMemo::~TFlatMemo()
{
    RemovePropA(Handle(), FlatMemoMark);
}

bool TFlatMemo::IsFlatMemo(HWND window)
{
    return window && GetPropA(window, FlatMemoMark) != nullptr;
}

void TFlatMemo::SetColorFlat(ColourWord colour)
{
    colorFlat_ = colour;
    parentColor_ = false;
    PaintFrame();
}

void TFlatMemo::SetParentColor(bool follow)
{
    if (follow == parentColor_)
        return;
    parentColor_ = follow;
    if (follow) {
        colorFlat_ = Parent().colour;
        PaintFrame();
    }
}

HBRUSH TFlatMemo::ControlColour(HDC dc)
{
    SetTextColor(dc, ResolveColour(look_.text));
    SetBkColor(dc, ResolveColour(look_.face));
    return faceBrush_.Get(look_.face);
}

MemoLook TFlatMemo::Look(bool highlighted) const
{
    if (HighContrastOn())
        return HighContrastMemoLook(highlighted);
    const ColourWord state = highlighted ? colorFocused_ : colorFlat_;
    return {colorBorder_, state, state, textColour_};
}

LRESULT TFlatMemo::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCALCSIZE: {
        // The platform's client area, its scroll bars kept out, then the frame's inset.
        const LRESULT result = subclass_.CallNext(message, wParam, lParam);
        RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        const PixelRect inset = MemoClientRect({client.left, client.top, client.right, client.bottom});
        client = {inset.left, inset.top, inset.right, inset.bottom};
        return result;
    }
    case WM_NCPAINT:
    case WM_SETFOCUS:
    case WM_ENABLE: {
        const LRESULT result = subclass_.CallNext(message, wParam, lParam);
        PaintFrame();
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = subclass_.CallNext(message, wParam, lParam);
        PaintFrame(reinterpret_cast<HWND>(wParam));
        return result;
    }
    case WM_PRINT:
        Print(reinterpret_cast<HDC>(wParam), lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(Tracking::Client);
        break;
    case WM_NCMOUSEMOVE:
        OnMouseMove(Tracking::NonClient);
        break;
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_TIMER:
        if (wParam != LeaveTimerId)
            break;
        if (!CursorOver()) {
            KillTimer(Handle(), LeaveTimerId);
            OnMouseLeave();
        }
        return 0;
    case WM_CHAR:
        if (wParam == '\r' && !wantReturns_)
            return 0;
        break;
    }
    return subclass_.CallNext(message, wParam, lParam);
}

void TFlatMemo::OnMouseMove(Tracking area)
{
    // The platform tracks the text area and the scroll bars apart; each move over one of
    // them asks for the end of the mouse's stay there. Where it cannot (no TrackMouseEvent,
    // or none for the scroll bars), a timer looks every hover period whether the mouse is
    // still over the memo.
    if (tracking_ != area && tracking_ != Tracking::Polled) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | (area == Tracking::NonClient ? TME_NONCLIENT : 0u),
                                 Handle(), 0};
        const auto trackMouseEvent = TheWindowCalls().TrackMouseEvent.Get();
        if (trackMouseEvent && trackMouseEvent(&track))
            tracking_ = area;
        else if (SetTimer(Handle(), LeaveTimerId, HoverTimer::Period, nullptr))
            tracking_ = Tracking::Polled;
    }
    if (mouseOver_)
        return;
    mouseOver_ = true;
    if (GetActiveWindow()) {
        mouseInside_ = true;
        PaintFrame();
    }
}

void TFlatMemo::OnMouseLeave()
{
    tracking_ = Tracking::None;
    // Leaving the text for the scroll bar, or back, is no leaving of the memo.
    if (CursorOver())
        return;
    mouseOver_ = false;
    mouseInside_ = false;
    PaintFrame();
}

bool TFlatMemo::CursorOver() const
{
    POINT cursor;
    return GetCursorPos(&cursor) && WindowFromPoint(cursor) == Handle();
}

void TFlatMemo::PaintFrame(HWND focus)
{
    HWND window = Handle();
    const MemoLook look = Look(MemoHighlighted(focus == window, mouseInside_, IsFlatMemo(focus)));
    if (look.face != look_.face || look.text != look_.text)
        InvalidateRect(window, nullptr, TRUE);
    look_ = look;
    WholeWindowDc dc(window);
    DrawFrame(dc.Get());
}

void TFlatMemo::DrawFrame(HDC dc) const
{
    RECT outer;
    GetWindowRect(Handle(), &outer);
    PaintRuns(dc, MemoFrameRuns({outer.right - outer.left, outer.bottom - outer.top}, look_.border, look_.rings,
                                bothScrollBars_));
}

void TFlatMemo::Print(HDC dc, LPARAM flags)
{
    HWND window = Handle();
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(window))
        return;
    if (flags & PRF_NONCLIENT) {
        // What the platform draws of its non-client area, then the frame over it.
        subclass_.CallNext(WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
        DrawFrame(dc);
    }
    if (flags & PRF_CLIENT) {
        // The client area's place in the window.
        RECT outer, client;
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        client = {client.left - outer.left, client.top - outer.top, client.right - outer.left,
                  client.bottom - outer.top};
        PaintAt(dc, client, [window, flags](HDC at) {
            SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(at), flags & ~PRF_NONCLIENT);
        });
    }
}
