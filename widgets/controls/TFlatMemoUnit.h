#pragma once
// TFlatMemo: the standard multi-line edit with a flat frame in place of its sunken edge,
// three 1-pixel rings inside the window's outer edge (FlatMemoGeometry.h): the outline in
// ColorBorder and two rings in the state colour, which is also the face behind the text.
// The state colour is ColorFocused while the memo has the focus, or while the mouse is
// over it and the focus is not on another flat memo; ColorFlat otherwise. In high
// contrast the memo shows the system's window colours instead.
#include "widgets/controls/Control.h"
#include "widgets/paint/FlatMemoGeometry.h"
#include "widgets/win32/ColourBrush.h"
#include "widgets/win32/WindowSubclass.h"

class TFlatMemo : public Control {
public:
    TFlatMemo(const ComponentCreation& creation, const FlatMemoSettings& settings);
    ~TFlatMemo() override;

    // The colour setters repaint the frame at once.
    ColourWord ColorFocused() const { return colorFocused_; }
    void SetColorFocused(ColourWord colour) { colorFocused_ = colour; PaintFrame(); }
    ColourWord ColorBorder() const { return colorBorder_; }
    void SetColorBorder(ColourWord colour) { colorBorder_ = colour; PaintFrame(); }
    ColourWord ColorFlat() const { return colorFlat_; }
    // Also ends ColorFlat's following of the parent's colour.
    void SetColorFlat(ColourWord colour);
    // While true, ColorFlat is the parent's colour; turned on, it takes it at once.
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool follow);

    // The mouse is over the memo, noted only when the program had an active window as it came.
    bool MouseInside() const { return mouseInside_; }

    // The text in the font colour on the face.
    HBRUSH ControlColour(HDC dc) override;

    static bool IsFlatMemo(HWND window);

private:
    // Polled: the system cannot track the mouse's leaving; a timer looks instead.
    enum class Tracking { None, Client, NonClient, Polled };

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(Tracking area);
    void OnMouseLeave();
    bool CursorOver() const;
    // The colours of the highlighted or the normal look, as the system's mode has them now.
    MemoLook Look(bool highlighted) const;
    // Decides the look with the focus on that window, sets the face and draws the rings.
    void PaintFrame(HWND focus);
    void PaintFrame() { PaintFrame(GetFocus()); }
    // The rings in the present look, on a DC whose origin is the window's outer corner.
    void DrawFrame(HDC dc) const;
    // WM_PRINT: the whole look on dc, in window coordinates; the client area is what the
    // platform paints for WM_PRINTCLIENT.
    void Print(HDC dc, LPARAM flags);

    ColourWord colorFocused_;
    ColourWord colorBorder_;
    ColourWord colorFlat_;
    bool parentColor_;
    const ColourWord textColour_;
    const bool bothScrollBars_;
    const bool wantReturns_;
    MemoLook look_;                   // the colours the last frame was painted in
    bool mouseOver_ = false;          // between the mouse's entering and leaving, active or not
    bool mouseInside_ = false;
    Tracking tracking_ = Tracking::None;
    ColourBrush faceBrush_;
    WindowSubclass subclass_;
};
