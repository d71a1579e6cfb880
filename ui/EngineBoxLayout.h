#pragma once
// Where the engine's message box puts its text and its one button, from the dialog font's
// average character size and the measured text.
struct BoxRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct EngineBoxLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    BoxRect text;
    BoxRect button;
};

// The average character width: the extent of the 52 letters A-Z a-z divided by 52.
inline int AverageCharWidth(int extentOf52Letters) { return extentOf52Letters / 52; }

// charWidth / charHeight: the font's average character width and its text height.
// textWidth / textHeight: the wrapped text's extent; captionWidth: the button caption's.
EngineBoxLayout LayoutEngineBox(int charWidth, int charHeight, int textWidth, int textHeight,
                                int captionWidth);
