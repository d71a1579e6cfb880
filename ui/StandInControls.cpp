#include "StandInControls.h"

#include "ColourBrush.h"
#include "Control.h"

namespace {

const ColourWord FlatLight = 14805739;   // RGB(235, 234, 225)

template <typename StandIn>
std::unique_ptr<Component> Create(const ComponentCreation& creation)
{
    return std::make_unique<StandIn>(creation);
}

// An editable drop-down list.
class ComboBoxStandIn : public Control {
public:
    explicit ComboBoxStandIn(const ComponentCreation& creation) : Control(creation)
    {
        const std::vector<std::string> items = Lines("Items");
        // A combo box's window height includes its dropped-down list.
        const int itemHeight = Scale(Integer("ItemHeight"));
        const int listHeight = static_cast<int>(items.size()) * itemHeight + 2;
        CreateHandle("COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, Text("Text"),
                     Scale(Description().height) + listHeight);
        for (const std::string& item : items)
            SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        if (itemHeight > 0)
            SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, itemHeight);
        SetWindowTextA(Handle(), Text("Text").c_str());
    }
};

// The report pane: a read-only multi-line edit, text in the font colour on its colour.
class MemoStandIn : public Control {
public:
    explicit MemoStandIn(const ComponentCreation& creation) : Control(creation)
    {
        CreateHandle("EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, Text("Text"),
                     Scale(Description().height));
        SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);   // the system's maximum
    }

    HBRUSH ControlColour(HDC dc) override
    {
        SetTextColor(dc, ResolveColour(Colour("Font.Color")));
        const ColourWord background = Colour("Color");
        SetBkColor(dc, ResolveColour(background));
        return brush_.Get(background);
    }

private:
    ColourBrush brush_;
};

} // namespace

const ComponentClass& ComboBoxStandInClass()
{
    static const ComponentClass declared{"TComboBoxStandIn",
                                         {{"Text", TextValue("")},
                                          {"Color", ColourValue(clWindow)},
                                          {"Items", LinesValue({})},
                                          {"ItemHeight", IntegerValue(13)},
                                          {"TabOrder", IntegerValue(-1)},
                                          {"TabStop", BooleanValue(true)}},
                                         Create<ComboBoxStandIn>};
    return declared;
}

const ComponentClass& MemoStandInClass()
{
    static const ComponentClass declared{"TMemoStandIn",
                                         {{"Text", TextValue("")},
                                          {"Font.Color", ColourValue(clWindowText)},
                                          {"Color", ColourValue(clWindow)},
                                          {"ColorFlat", ColourValue(FlatLight)},
                                          {"ColorFocused", ColourValue(clWhite)},
                                          {"TabOrder", IntegerValue(-1)},
                                          {"TabStop", BooleanValue(true)}},
                                         Create<MemoStandIn>};
    return declared;
}
