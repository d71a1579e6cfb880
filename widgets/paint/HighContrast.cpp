#include "widgets/paint/HighContrast.h"

FaceLook HighContrastButtonFace(FaceState state, bool hot, bool isDefault)
{
    FlatButtonColours system;
    system.color = clBtnFace;
    system.colorFocused = system.colorDown = clHighlight;
    system.colorBorder = system.colorHighLight = system.colorShadow = system.fontColour = clBtnText;
    FaceLook look = FlatButtonFace(state, hot, isDefault, system);
    if (state == FaceState::Disabled) {
        look.frameTopLeft = look.frameBottomRight = clGrayText;
        look.caption = {{{0, 0}, clGrayText}};
    } else if (look.fill == clHighlight) {
        look.caption.front().colour = clHighlightText;
    }
    return look;
}

FlatComboColours HighContrastComboColours(bool enabled)
{
    return {HighContrastWindow.ground, enabled ? clBtnText : clGrayText, clBtnFace, HighContrastWindow.text};
}

MemoLook HighContrastMemoLook(bool highlighted)
{
    return {HighContrastWindow.text, highlighted ? clHighlight : HighContrastWindow.ground, HighContrastWindow.ground,
            HighContrastWindow.text};
}
