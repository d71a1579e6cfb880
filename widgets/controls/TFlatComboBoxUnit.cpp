#include "widgets/controls/TFlatComboBoxUnit.h"

#include "widgets/win32/GdiHandles.h"
#include "widgets/win32/HighContrastMode.h"
#include "widgets/win32/OffscreenPaint.h"
#include "widgets/win32/PaintSession.h"
#include "widgets/win32/SystemColours.h"
#include "widgets/win32/WindowCalls.h"
#include "widgets/win32/WindowText.h"

#include <algorithm>

namespace {

const int DesignItemHeight = FlatComboBoxSettings{}.itemHeight;   // what a font change goes back to
// Posted to the control's window after a font change: the window is made anew.
const UINT RecreateMessage = WM_APP + 0x4643;

std::vector<std::string> ListItems(HWND combo)
{
    std::vector<std::string> items;
    const auto count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string item(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        item.resize(static_cast<std::size_t>(
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]))));
        items.push_back(item);
    }
    return items;
}

} // namespace

TFlatComboBox::TFlatComboBox(const ComponentCreation& creation, const FlatComboBoxSettings& settings)
    : Control(creation, settings.tab),
      colours_(settings.colours),
      textColour_(settings.fontColor),
      sorted_(settings.sorted),
      maxLength_(settings.maxLength),
      dropDownCount_(settings.dropDownCount),
      itemHeight_(settings.itemHeight),
      subclass_([this](UINT message, WPARAM wParam, LPARAM lParam) { return OnMessage(message, wParam, lParam); })
{
    MakeWindow({settings.items, settings.text, settings.itemIndex}, Scale(Description().height), nullptr);
}

void TFlatComboBox::MakeWindow(const Content& content, int height, HFONT font)
{
    CreateHandle("COMBOBOX",
                 CBS_DROPDOWN | CBS_AUTOHSCROLL | (sorted_ ? CBS_SORT : 0) | WS_VSCROLL | WS_CLIPCHILDREN,
                 "", height);
    HWND window = Handle();
    if (font)
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const std::string& item : content.items)
        SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(window, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    SetWindowTextA(window, content.text.c_str());
    if (content.itemIndex >= 0)
        SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(content.itemIndex), 0);
    SendMessageA(window, CB_SETITEMHEIGHT, 0, Scale(itemHeight_));

    // The platform makes a drop-down combo box as tall as its text field + 6 pixels, and
    // takes a taller height asked of it as the open list's.
    SendMessageA(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - 6);
    const int rows = std::clamp(static_cast<int>(content.items.size()), 1, std::max(dropDownCount_, 1));
    SetWindowPos(window, nullptr, 0, 0, Size().width, height + rows * Scale(itemHeight_) + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    subclass_.Install(window);
    FitEditField();
}

void TFlatComboBox::Recreate()
{
    HWND old = Handle();
    const Content content{ListItems(old), WindowText(old), static_cast<int>(SendMessageA(old, CB_GETCURSEL, 0, 0))};
    const auto font = reinterpret_cast<HFONT>(SendMessageA(old, WM_GETFONT, 0, 0));
    RECT place;
    GetWindowRect(old, &place);
    MapWindowPoints(nullptr, GetParent(old), reinterpret_cast<POINT*>(&place), 2);
    HWND above = GetWindow(old, GW_HWNDPREV);
    const HWND focus = GetFocus();
    const bool focused = focus == old || IsChild(old, focus);
    const bool enabled = IsWindowEnabled(old) != FALSE;

    subclass_.Remove();
    DestroyHandle();
    MakeWindow(content, place.bottom - place.top, font);
    SetWindowPos(Handle(), above ? above : HWND_TOP, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOACTIVATE);
    EnableWindow(Handle(), enabled);
    if (focused)
        SetFocus(Handle());
}

HWND TFlatComboBox::EditField() const
{
    // A drop-down combo box's only child is its edit field; GetComboBoxInfo names it where
    // the system has it.
    if (const auto getComboBoxInfo = TheWindowCalls().GetComboBoxInfo.Get()) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        return getComboBoxInfo(Handle(), &info) ? info.hwndItem : nullptr;
    }
    return FindWindowExA(Handle(), nullptr, "Edit", nullptr);
}

void TFlatComboBox::SetItemHeight(int height)
{
    itemHeight_ = height;
    SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, Scale(height));
}

bool TFlatComboBox::Notification(WORD code)
{
    if (code != CBN_CLOSEUP)
        return false;
    const PixelRect button = ComboCloseUpRect(Size(), ButtonWidth());
    const RECT area{button.left, button.top, button.right, button.bottom};
    InvalidateRect(Handle(), &area, FALSE);
    return true;
}

LRESULT TFlatComboBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        OnPrintClient(reinterpret_cast<HDC>(wParam), lParam);
        return 0;
    case WM_ENABLE: {
        const LRESULT result = subclass_.CallNext(message, wParam, lParam);
        InvalidateAll();
        return result;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return ListAndFieldColours(reinterpret_cast<HDC>(wParam));
    case WM_SETFONT: {
        const LRESULT result = subclass_.CallNext(message, wParam, lParam);
        // Made anew once the sender is done with the window it knows.
        if (!recreationPending_)
            recreationPending_ = PostMessageA(Handle(), RecreateMessage, 0, 0) != FALSE;
        return result;
    }
    case RecreateMessage:
        recreationPending_ = false;
        itemHeight_ = DesignItemHeight;
        Recreate();
        return 0;
    case WM_WINDOWPOSCHANGING:
        FitEditField();
        break;
    case WM_SIZE: {
        // The platform lays its text field out again after a size change.
        const LRESULT result = subclass_.CallNext(message, wParam, lParam);
        FitEditField();
        return result;
    }
    }
    return subclass_.CallNext(message, wParam, lParam);
}

LRESULT TFlatComboBox::ListAndFieldColours(HDC dc)
{
    const bool highContrast = HighContrastOn();
    const ColourWord face = highContrast ? HighContrastWindow.ground : colours_.color;
    SetTextColor(dc, ResolveColour(highContrast ? HighContrastWindow.text : textColour_));
    SetBkColor(dc, ResolveColour(face));
    return reinterpret_cast<LRESULT>(brush_.Get(face));
}

void TFlatComboBox::OnPaint()
{
    const PaintSession paint(Handle());
    Paint(paint.Dc(), paint.Area(), WM_PAINT, 0);
}

void TFlatComboBox::OnPrintClient(HDC dc, LPARAM flags)
{
    const PixelSize size = Size();
    Paint(dc, {0, 0, size.width, size.height}, WM_PRINTCLIENT, flags);
    // The text field is a child window of its own, which a print of the control leaves out.
    const HWND field = EditField();
    RECT place;
    GetWindowRect(field, &place);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&place), 2);
    PaintAt(dc, place, [field, flags](HDC at) { SendMessageA(field, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(at), flags); });
}

void TFlatComboBox::Paint(HDC dc, const PixelRect& area, UINT platformMessage, LPARAM flags)
{
    const PixelSize size = Size();
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    const bool highContrast = HighContrastOn();
    // In high contrast a disabled arrow is grey text, not etched.
    const FlatComboColours colours = highContrast ? HighContrastComboColours(enabled) : colours_;
    const PixelRect fill = ComboBackgroundRect(area, size, ButtonWidth());
    if (!fill.IsEmpty())
        PaintRuns(dc, {{fill, colours.color}});
    // The platform draws its text field and edge, but never its own button; the frame and
    // the button then go over them.
    {
        const SavedDcState clipped(dc);
        ExcludeClipRect(dc, ComboPlatformPaintRight(size, GetSystemMetrics(SM_CXVSCROLL)), 0, size.width,
                        size.height);
        subclass_.CallNext(platformMessage, reinterpret_cast<WPARAM>(dc), flags);
    }
    ColouredRects frameAndButton = ComboFrameRuns(size, colours, ButtonWidth());
    const ColouredRects button = ComboButtonRuns(size, ListOpen(), enabled || highContrast, colours, ButtonWidth());
    frameAndButton.insert(frameAndButton.end(), button.begin(), button.end());
    PaintRuns(dc, frameAndButton);
}

bool TFlatComboBox::ActiveState() const
{
    const HWND focus = GetFocus();
    return ListOpen() || (focus && (focus == Handle() || focus == EditField()));
}

void TFlatComboBox::FitEditField() const
{
    const PixelSize size = Size();
    const PixelSize field = ComboEditFieldSize(size.width, size.height, ButtonWidth());
    SetWindowPos(EditField(), nullptr, 0, 0, std::max(field.width, 0), std::max(field.height, 0),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFlatComboBox::InvalidateAll() const
{
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool TFlatComboBox::ListOpen() const
{
    return SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

PixelSize TFlatComboBox::Size() const
{
    RECT client;
    GetClientRect(Handle(), &client);
    return {client.right, client.bottom};
}
