#pragma once
// The flat button's looks as data: which fill, frame and caption colours each state shows,
// the caption's offset, and which mouse positions count as over the button.
#include "widgets/paint/ColourWords.h"
#include "widgets/paint/PixelGeometry.h"

#include <vector>

enum class FaceState { Up, Disabled, Pressed, Latched };

// The button's colour properties (with their defaults) and its font colour; Color and the
// font colour follow the parent unless set.
struct FlatButtonColours {
    ColourWord color = clBtnFace;
    ColourWord colorFocused = FlatFaceColour;
    ColourWord colorDown = FlatPressedColour;
    ColourWord colorBorder = FlatFrameColour;
    ColourWord colorHighLight = clWhite;
    ColourWord colorShadow = clBlack;
    ColourWord fontColour = clWindowText;
};

// One drawing of the caption: in CaptionRect moved by shift, in colour.
struct CaptionPass {
    PixelPoint shift;
    ColourWord colour = 0;
};

struct FaceLook {
    ColourWord fill = 0;
    ColourWord frameTopLeft = 0;
    ColourWord frameBottomRight = 0;
    int frameWidth = 1;
    std::vector<CaptionPass> caption;   // drawn in order, transparently
};

// The look of an opaque face (no transparent mode) in a state; hot wins over isDefault,
// and a disabled face is never hot.
FaceLook FlatButtonFace(FaceState state, bool hot, bool isDefault, const FlatButtonColours& colours);

// The caption offset LayoutFace takes: (1, 1) pressed or latched, else (0, 0).
PixelPoint FaceOffset(FaceState state);

// The state to paint: Disabled while disabled, and a Disabled state left behind once
// enabled becomes Latched (down in a group) or Up.
FaceState NormaliseFaceState(FaceState state, bool enabled, bool down, int groupIndex);

// Whether a mouse position in client coordinates counts as over a pressed button: the
// row just below it does (y == height), the column just right of it does not.
inline bool CountsAsInside(PixelPoint mouse, PixelSize client)
{
    return mouse.x >= 0 && mouse.x < client.width && mouse.y >= 0 && mouse.y <= client.height;
}
