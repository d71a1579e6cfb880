#pragma once
// TFlatButton: a push button that paints itself flat. A face of one colour, a frame and
// the caption centred on it, with four looks (at rest, hot, pressed, disabled) coloured
// by its settings. It holds the mouse capture from a left press until the left release
// and clicks when a press ends over it, when the space bar is released or Enter pressed
// while it has the focus, or when its form offers the character its caption marks with
// "&". While the system shows keyboard cues, the marked character is underlined and the
// focus is shown by a dotted rectangle inside the frame. A click runs OnClick, the handler
// the form binds when it is built.
//
// The mouse makes it hot through one timer all flat buttons share: the button under the
// cursor is watched every 100 ms until the cursor leaves it.
//
// Not built: the image strip (Glyph, NumGlyphs, Layout, Margin, Spacing), latching groups
// (GroupIndex, Down, AllowAllUp) and the transparent modes; a button is never Latched.
#include "widgets/controls/PaintedControl.h"
#include "widgets/paint/FlatButtonFace.h"

#include <functional>

class TFlatButton : public PaintedControl {
public:
    TFlatButton(const ComponentCreation& creation, const FlatButtonSettings& settings);
    ~TFlatButton() override;

    void Loaded() override;

    // Runs on every click. An exception it raises is reported and the button goes on.
    std::function<void()> OnClick;

    // Run-time state.
    FaceState State() const { return faceState_; }
    bool Hot() const { return hot_; }
    bool MousePressed() const { return mousePressed_; }
    PixelRect CaptionRect() const;   // as the face shows it now
    const FlatButtonColours& Colours() const { return colours_; }
    bool ParentColor() const { return parentColor_; }

    // Setters. Each repaints; UseAdvColors only when it changes. Color clears ParentColor;
    // ParentColor true takes the parent's colour. AdvColorFocused is held to 0..100. The
    // caption is the window text, the font the window's (WM_SETFONT), Enabled the
    // window's (EnableWindow).
    void SetColor(ColourWord colour);
    void SetParentColor(bool parentColor);
    void SetColorFocused(ColourWord colour) { colours_.colorFocused = colour; Repaint(); }
    void SetColorBorder(ColourWord colour) { colours_.colorBorder = colour; Repaint(); }
    void SetColorShadow(ColourWord colour) { colours_.colorShadow = colour; Repaint(); }
    void SetUseAdvColors(bool useAdvColors);
    void SetAdvColorFocused(int percent);
    void SetDefault(bool isDefault);

private:
    // Counts the button in HoverButtonCount while it lives; the first makes the shared
    // HoverTimer and the last frees it.
    class HoverCount {
    public:
        HoverCount();
        ~HoverCount();
        HoverCount(const HoverCount&) = delete;
        HoverCount& operator=(const HoverCount&) = delete;
    };

    void Paint(HDC dc) override;
    // The caption's box measured with the font selected in dc.
    PixelRect CaptionRect(HDC dc) const;
    // The state the face shows: Disabled whenever the window is.
    FaceState ShownState() const;
    // A push button named by its caption, pressed by its default action "Presionar".
    AccessibleFacts Facts() const override;
    void DoDefaultAction() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnMouseMove(PixelPoint mouse);
    void OnLeftPress();
    void OnRelease(PixelPoint mouse);
    void OnCaptureLost(HWND newCapture);
    void OnSpaceDown();
    void OnSpaceUp();
    void OnEnter();
    bool OnDialogChar(char typed);
    void OnFocus(bool gained);
    void OnEnabledChanged(bool enabled);
    void OnColoursChanged();

    // Hover tracking.
    static void HoverTick();
    void EnterHot();
    void LeaveHot();
    void StopHoverTimer();
    void CheckHover();
    void RecheckHover();
    bool UnderCursor() const;

    bool Enabled() const;
    void Click();
    void ApplyAdvColors();

    HoverCount counted_;   // first: counted out after everything else has gone
    FlatButtonColours colours_;
    bool parentColor_ = true;
    bool useAdvColors_ = false;
    int advColorFocused_ = 10, advColorDown_ = 10, advColorBorder_ = 50;
    bool default_ = false;

    FaceState faceState_ = FaceState::Up;
    bool hot_ = false;
    bool mousePressed_ = false;
    bool releasingCapture_ = false;   // our own ReleaseCapture is under way
    WORD hiddenCues_ = 0;             // UISF_HIDEACCEL, UISF_HIDEFOCUS: as the form last said
};
