#pragma once
// The gradient caption's portable side: where the caption strip lies for a border style,
// its border icons and the system metrics, and what fills it.
#include "widgets/paint/ColourWords.h"
#include "widgets/paint/PixelGeometry.h"

enum class FormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// A form's border icons; the defaults are a form's.
struct BorderIcons {
    bool systemMenu = true;
    bool minimize = true;
    bool maximize = true;
    bool help = false;
};

// The system metrics the strip depends on, as the system reports them.
struct CaptionMetrics {
    int cxDlgFrame = 0, cyDlgFrame = 0;   // SM_CXDLGFRAME, SM_CYDLGFRAME
    int cxFrame = 0, cyFrame = 0;         // SM_CXFRAME, SM_CYFRAME
    int cyCaption = 0, cySmCaption = 0;   // SM_CYCAPTION, SM_CYSMCAPTION
    int cxSize = 0, cxSmSize = 0;         // SM_CXSIZE, SM_CXSMSIZE
    int cySize = 0, cySmSize = 0;         // SM_CYSIZE, SM_CYSMSIZE
};

struct CaptionStrip {
    PixelRect rect;         // the strip, in the coordinates of the window rectangle given
    BorderIcons buttons;    // the border icons the style keeps
    int buttonCount = 0;    // caption buttons the system shows right of the strip
};

// GetCaptionStripRect: the window's outer rectangle inset by the style's frame, one
// caption height less 1 high, and short of the caption buttons on the right.
CaptionStrip GetCaptionStripRect(const PixelRect& windowRect, FormBorderStyle style, BorderIcons icons,
                                 const CaptionMetrics& metrics);

// The close box in the last of the caption buttons' places right of the strip, as the
// system draws it: (button width - 2) x (button height - 4), 2 pixels below the strip's
// top and 2 pixels in from the frame; the small buttons' metrics for a tool window.
// Empty when the style shows no close box.
PixelRect CaptionCloseBoxRect(const CaptionStrip& strip, FormBorderStyle style, const CaptionMetrics& metrics);

// The rectangle the gradient spans in a strip of that size: it starts W div 4 left of it.
PixelRect CaptionGradientRect(PixelSize strip);

// The colour the gradient ends in: the gradient caption colours while the system's
// gradient-caption setting is on, else the plain caption colours; active or inactive.
ColourWord CaptionEndColour(bool systemGradientCaptions, bool windowActive);

// Whether the strip is painted as a gradient in the window's current state.
bool CaptionUsesGradient(bool windowActive, bool gradientActive, bool gradientInactive);

// The rectangle the caption text is drawn in, after the window's small icon (a square of
// the strip's height) when there is one, and 2 pixels in.
PixelRect CaptionTextRect(PixelSize strip, bool withIcon);
