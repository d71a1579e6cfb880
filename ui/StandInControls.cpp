// Stand-ins for the custom-painted controls, built on the standard Win32 controls with
// the same places, texts, fonts, colours and behaviour where those controls allow.
#include "ColourBrush.h"
#include "ControlClasses.h"

#include <stdexcept>

namespace {

HWND CreateChild(const char* windowClass, DWORD style, const ControlDescription& description,
                 HWND parent, int id, const FormMetrics& metrics, int height)
{
    HWND handle = CreateWindowExA(0, windowClass, description.text.c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                  metrics.Scale(description.left), metrics.Scale(description.top),
                                  metrics.Scale(description.width), height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!handle)
        throw std::runtime_error("Cannot create control " + description.name);
    SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(metrics.font), FALSE);
    return handle;
}

const ColourWord DefaultColorDown = 12965593;

DWORD TabStopStyle(const ControlDescription& description)
{
    return description.tabStop ? WS_TABSTOP : 0;
}

// A title strip: centred text in ActiveTextColor on TitlebarColor.
class TitleStripStandIn : public FormControl {
public:
    using FormControl::FormControl;
    HBRUSH ControlColour(HDC dc) override
    {
        const ControlDescription& d = Description();
        SetTextColor(dc, ResolveColour(d.Colour("ActiveTextColor", d.fontColour)));
        const ColourWord background = d.Colour("TitlebarColor", d.colour);
        SetBkColor(dc, ResolveColour(background));
        return brush_.Get(background);
    }

private:
    ColourBrush brush_;
};

// A push button painted by its owner: a face of the button's colour (ColorDown while
// pressed), a ColorBorder frame and the caption in the font colour.
class ButtonStandIn : public FormControl {
public:
    using FormControl::FormControl;
    bool DrawItem(const DRAWITEMSTRUCT& item) override
    {
        const ControlDescription& d = Description();
        const ColourWord fill = (item.itemState & ODS_SELECTED) ? d.Colour("ColorDown", DefaultColorDown) : d.colour;
        RECT area = item.rcItem;
        FillRect(item.hDC, &area, faceBrush_.Get(fill));
        FrameRect(item.hDC, &area, frameBrush_.Get(d.Colour("ColorBorder", clGreen)));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, ResolveColour(d.fontColour));
        DrawTextA(item.hDC, d.text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return true;
    }

private:
    ColourBrush faceBrush_;
    ColourBrush frameBrush_;
};

// The report pane: text in the font colour on the background colour.
class MemoStandIn : public FormControl {
public:
    using FormControl::FormControl;
    HBRUSH ControlColour(HDC dc) override
    {
        const ControlDescription& d = Description();
        SetTextColor(dc, ResolveColour(d.fontColour));
        SetBkColor(dc, ResolveColour(d.colour));
        return brush_.Get(d.colour);
    }

private:
    ColourBrush brush_;
};

} // namespace

std::unique_ptr<FormControl> CreateTitleStripStandIn(const ControlDescription& d, HWND parent, int id,
                                                     const FormMetrics& metrics)
{
    HWND handle = CreateChild("STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, d, parent, id, metrics,
                              metrics.Scale(d.height));
    return std::make_unique<TitleStripStandIn>(d, handle);
}

std::unique_ptr<FormControl> CreateComboBoxStandIn(const ControlDescription& d, HWND parent, int id,
                                                   const FormMetrics& metrics)
{
    // A combo box's window height includes its dropped-down list.
    const int itemHeight = metrics.Scale(d.itemHeight);
    const int listHeight = static_cast<int>(d.items.size()) * itemHeight + 2;
    HWND handle = CreateChild("COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | TabStopStyle(d),
                              d, parent, id, metrics, metrics.Scale(d.height) + listHeight);
    for (const std::string& item : d.items)
        SendMessageA(handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (itemHeight > 0)
        SendMessageA(handle, CB_SETITEMHEIGHT, 0, itemHeight);
    SetWindowTextA(handle, d.text.c_str());
    return std::make_unique<FormControl>(d, handle);
}

std::unique_ptr<FormControl> CreateButtonStandIn(const ControlDescription& d, HWND parent, int id,
                                                 const FormMetrics& metrics)
{
    HWND handle = CreateChild("BUTTON", BS_OWNERDRAW | TabStopStyle(d), d, parent, id, metrics,
                              metrics.Scale(d.height));
    return std::make_unique<ButtonStandIn>(d, handle);
}

std::unique_ptr<FormControl> CreateMemoStandIn(const ControlDescription& d, HWND parent, int id,
                                               const FormMetrics& metrics)
{
    HWND handle = CreateChild("EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | TabStopStyle(d),
                              d, parent, id, metrics, metrics.Scale(d.height));
    SendMessageA(handle, EM_SETLIMITTEXT, 0, 0);   // the system's maximum
    return std::make_unique<MemoStandIn>(d, handle);
}
