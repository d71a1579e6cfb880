#include "widgets/paint/FlatButtonFace.h"

FaceLook FlatButtonFace(FaceState state, bool hot, bool isDefault, const FlatButtonColours& colours)
{
    FaceLook look;
    look.caption = {{{0, 0}, colours.fontColour}};
    switch (state) {
    case FaceState::Up:
        look.fill = hot ? colours.colorFocused : colours.color;
        look.frameTopLeft = hot ? colours.colorHighLight : colours.colorBorder;
        look.frameBottomRight = hot ? colours.colorShadow : colours.colorBorder;
        look.frameWidth = !hot && isDefault ? 2 : 1;
        break;
    case FaceState::Pressed:
    case FaceState::Latched:
        look.fill = state == FaceState::Latched && hot ? colours.colorFocused : colours.colorDown;
        look.frameTopLeft = colours.colorShadow;
        look.frameBottomRight = colours.colorHighLight;
        break;
    case FaceState::Disabled:
        look.fill = colours.color;
        look.frameTopLeft = look.frameBottomRight = colours.colorBorder;
        look.caption = {{{1, 1}, clBtnHighlight}, {{0, 0}, clBtnShadow}};
        break;
    }
    return look;
}

PixelPoint FaceOffset(FaceState state)
{
    return state == FaceState::Pressed || state == FaceState::Latched ? PixelPoint{1, 1} : PixelPoint{0, 0};
}

FaceState NormaliseFaceState(FaceState state, bool enabled, bool down, int groupIndex)
{
    if (!enabled)
        return FaceState::Disabled;
    if (state == FaceState::Disabled)
        return down && groupIndex != 0 ? FaceState::Latched : FaceState::Up;
    return state;
}
