#include "StandInControls.h"

#include "ColourBrush.h"
#include "Control.h"

namespace {

const ColourWord TitleInactiveText = 8559266;
const ColourWord FlatLight = 14805739;   // RGB(235, 234, 225)
const ColourWord FlatBeige = 12965593;   // RGB(217, 214, 197)
const ColourWord FlatBorder = 8623776;   // RGB(160, 150, 131)

template <typename StandIn>
std::unique_ptr<Component> Create(const ComponentCreation& creation)
{
    return std::make_unique<StandIn>(creation);
}

// A title strip: centred text in ActiveTextColor on TitlebarColor.
class TitleStripStandIn : public Control {
public:
    explicit TitleStripStandIn(const ComponentCreation& creation) : Control(creation)
    {
        CreateHandle("STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, Text("Caption"),
                     Scale(Description().height));
    }

    HBRUSH ControlColour(HDC dc) override
    {
        SetTextColor(dc, ResolveColour(Colour("ActiveTextColor")));
        const ColourWord background = Colour("TitlebarColor");
        SetBkColor(dc, ResolveColour(background));
        return brush_.Get(background);
    }

private:
    ColourBrush brush_;
};

// A push button painted by its owner: a face of the button's colour (ColorDown while
// pressed), a ColorBorder frame and the caption in the font colour.
class ButtonStandIn : public Control {
public:
    explicit ButtonStandIn(const ComponentCreation& creation) : Control(creation)
    {
        CreateHandle("BUTTON", BS_OWNERDRAW, Text("Caption"), Scale(Description().height));
    }

    bool DrawItem(const DRAWITEMSTRUCT& item) override
    {
        const ColourWord fill = (item.itemState & ODS_SELECTED) ? Colour("ColorDown") : Colour("Color");
        RECT area = item.rcItem;
        FillRect(item.hDC, &area, faceBrush_.Get(fill));
        FrameRect(item.hDC, &area, frameBrush_.Get(Colour("ColorBorder")));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, ResolveColour(Colour("Font.Color")));
        DrawTextA(item.hDC, Text("Caption").c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return true;
    }

private:
    ColourBrush faceBrush_;
    ColourBrush frameBrush_;
};

} // namespace

const ComponentClass& TitleStripStandInClass()
{
    static const ComponentClass declared{"TTitleStripStandIn",
                                         {{"Caption", TextValue("")},
                                          {"ActiveTextColor", ColourValue(clWhite)},
                                          {"InactiveTextColor", ColourValue(TitleInactiveText)},
                                          {"TitlebarColor", ColourValue(clBlack)}},
                                         Create<TitleStripStandIn>};
    return declared;
}

const ComponentClass& ButtonStandInClass()
{
    static const ComponentClass declared{"TButtonStandIn",
                                         {{"Caption", TextValue("")},
                                          {"Font.Color", ColourValue(clWindowText)},
                                          {"Color", ColourValue(clBtnFace)},
                                          {"ColorFocused", ColourValue(FlatLight)},
                                          {"ColorDown", ColourValue(FlatBeige)},
                                          {"ColorBorder", ColourValue(FlatBorder)},
                                          {"ColorHighLight", ColourValue(clWhite)},
                                          {"TabOrder", IntegerValue(-1)},
                                          {"TabStop", BooleanValue(false)},
                                          {"OnClick", EventValue("")}},
                                         Create<ButtonStandIn>};
    return declared;
}
