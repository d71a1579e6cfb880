#pragma once
// The controls' looks while the system's high-contrast mode is on: the system's own colour
// pairs in place of the form's fixed colours, so that every text stands out as the user's
// scheme has it.
#include "widgets/paint/FlatButtonFace.h"
#include "widgets/paint/FlatComboGeometry.h"
#include "widgets/paint/FlatMemoGeometry.h"

// A ground and the text on it.
struct ColourPair {
    ColourWord ground;
    ColourWord text;
};

// The window, the report pane and the logo's ground.
constexpr ColourPair HighContrastWindow{clWindow, clWindowText};

// The title strips and the caption bar: the active or the inactive caption's pair.
constexpr ColourPair HighContrastCaption(bool active)
{
    return active ? ColourPair{clActiveCaption, clCaptionText} : ColourPair{clInactiveCaption, clInactiveCaptionText};
}

// A flat button: button face and text at rest, the highlight pair hot and pressed, grey
// text disabled; the frame in the text's colour (grey text disabled).
FaceLook HighContrastButtonFace(FaceState state, bool hot, bool isDefault);

// The combo box: the window pair in the field and an outline in the window text's colour;
// a button-face drop-down button whose arrow is in the button text's colour, or grey text
// while disabled.
FlatComboColours HighContrastComboColours(bool enabled);

// The memo: the window pair for face and text, outlined in the window text's colour; the
// inner rings show the highlight colour while the memo is highlighted.
MemoLook HighContrastMemoLook(bool highlighted);
