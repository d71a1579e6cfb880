#pragma once
// TGradientCaption: a component without a window that paints its form's caption bar. The
// strip between the frame and the caption buttons becomes a band gradient from StartColor
// into the system's caption colour, with FormCaption on top in the component's own font;
// the system still paints the frame and the buttons, the close box drawn over at the size
// of the system's metrics. In high contrast the strip is one colour, the caption's own,
// with the caption's text colour. It works through a TWindowHook on
// the form: before the form's processing of WM_NCPAINT it takes the strip out of the
// update region, after it (and after WM_NCACTIVATE) it paints the strip itself.
#include "widgets/controls/Control.h"
#include "widgets/form/Component.h"
#include "widgets/paint/CaptionStrip.h"
#include "widgets/paint/GradientBands.h"
#include "widgets/win32/GdiHandles.h"
#include "widgets/win32/OffscreenPaint.h"
#include "widgets/win32/WindowHook.h"

#include <string>
#include <tuple>

// The caption's font as drawn.
struct CaptionFont {
    std::string name;
    int height = 0;   // in pixels, negative for the character height
    bool bold = false, italic = false, underline = false, strikeOut = false;
    ColourWord colour = 0;   // the text colour while the form is active
    int charset = 0;
};

bool operator==(const CaptionFont& a, const CaptionFont& b);
inline bool operator!=(const CaptionFont& a, const CaptionFont& b) { return !(a == b); }

class TGradientCaption : public Component {
public:
    // The form (creation.parent) outlives the component. Font comes from the system's
    // caption font while DefaultFont is set, else from the settings' font.
    TGradientCaption(const ComponentCreation& creation, const GradientCaptionSettings& settings);

    // RefreshCaption, now that the form's description has been read.
    void Loaded() override;

    // The setters do nothing when given the value held. While the component is active a
    // change repaints at once: always for StartColor and FormCaption; GradientSteps while
    // the current state paints a gradient; GradientActive while the form is active;
    // FontInactiveColor while it is not. Setting Active repaints either way, so that the
    // system's own caption returns at once.
    bool Active() const { return active_; }
    void SetActive(bool active);
    bool DefaultFont() const { return defaultFont_; }
    const std::string& FormCaption() const { return formCaption_; }
    void SetFormCaption(const std::string& caption);
    ColourWord FontInactiveColor() const { return fontInactiveColor_; }
    void SetFontInactiveColor(ColourWord colour);
    const CaptionFont& Font() const { return font_; }
    bool GradientActive() const { return gradientActive_; }
    void SetGradientActive(bool gradient);
    bool GradientInactive() const { return gradientInactive_; }
    int GradientSteps() const { return gradientSteps_; }
    void SetGradientSteps(int steps);
    ColourWord StartColor() const { return startColor_; }
    void SetStartColor(ColourWord colour);

    // Whether the strip shows the active look.
    bool WindowActive() const { return windowActive_; }

    // Attaches or detaches the hook by Active, decides WindowActive afresh and repaints
    // the form's frame. Nothing before the end of loading or on a parent that is no form.
    void RefreshCaption();
    // The strip in screen coordinates and the caption buttons the system shows.
    CaptionStrip GetCaptionStripRect() const;
    // Draws the strip on a DC of the whole window (origin at its outer top-left corner),
    // composed off-screen and copied in one block transfer.
    void PaintCaptionStrip(HDC dc) const;

private:
    bool Attached() const { return active_ && form_.isForm; }
    void RefreshIf(bool condition);
    void BeforeMessage(HookMessage& message);
    void AfterMessage(HookMessage& message);
    void PaintStripNow() const;
    void DrawFormCaption(HDC dc, const PixelRect& area, ColourWord colour) const;
    void UseFont(const CaptionFont& font);

    const ComponentParent& form_;
    bool loading_ = true;
    bool active_;
    bool defaultFont_;
    std::string formCaption_;
    ColourWord fontInactiveColor_;
    CaptionFont font_;
    GdiObject<HFONT> fontHandle_;
    bool gradientActive_;
    bool gradientInactive_;
    int gradientSteps_;
    ColourWord startColor_;

    bool windowActive_ = false;
    // WM_NCPAINT's own update region while the form processes a substitute without the
    // strip; the substitute is held while it is out (RegionReplaced).
    HRGN savedRegion_ = nullptr;
    GdiObject<HRGN> substituteRegion_;
    // The strip's pixels as last composed, and what they were made of: size, gradient,
    // start and end colours, steps, icon place and icon, caption, font, text colour.
    using StripLook = std::tuple<int, int, bool, COLORREF, COLORREF, int, bool, HICON, std::string, HFONT, COLORREF>;
    mutable OffscreenBuffer stripBuffer_;
    mutable StripLook paintedLook_;
    TWindowHook hook_;   // goes first: detached without a repaint
};

// The band gradient over r on dc (colour words resolved now), each band with a brush of
// its own.
void FillGradientBands(HDC dc, const PixelRect& r, ColourWord start, ColourWord end, GradientDirection direction,
                       int count);

// The text as it fits maxWidth in dc's font, shortened with "..." when it does not.
std::string FitTextToWidth(const std::string& text, HDC dc, int maxWidth);
