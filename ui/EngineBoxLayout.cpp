#include "ui/EngineBoxLayout.h"

#include "base/MulDiv.h"

#include <algorithm>

EngineBoxLayout LayoutEngineBox(int charWidth, int charHeight, int textWidth, int textHeight,
                                int captionWidth)
{
    const int horizontalMargin = MulDivRounded(8, charWidth, 4);
    const int verticalMargin = MulDivRounded(8, charHeight, 8);
    const int verticalSpacing = MulDivRounded(10, charHeight, 8);
    const int buttonHeight = MulDivRounded(14, charHeight, 8);
    const int buttonWidth = std::max(MulDivRounded(50, charWidth, 4), captionWidth + 8);

    EngineBoxLayout layout;
    layout.clientWidth = std::max(textWidth, buttonWidth) + 2 * horizontalMargin;
    layout.clientHeight = textHeight + buttonHeight + verticalSpacing + 2 * verticalMargin;
    layout.text = {horizontalMargin, verticalMargin, textWidth, textHeight};
    layout.button = {(layout.clientWidth - buttonWidth) / 2, verticalMargin + textHeight + verticalSpacing,
                     buttonWidth, buttonHeight};
    return layout;
}
