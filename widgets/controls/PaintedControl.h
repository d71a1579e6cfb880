#pragma once
// A control of the program's own window class that paints its whole client area itself.
// A paint never erases the background first: it is composed in an off-screen image kept
// for the next paint and copied in one block transfer, so nothing flickers; WM_PRINTCLIENT
// draws straight onto the DC it brings (which is also how a test reads the pixels). The
// control keeps the font its form gives it and repaints when its font or its text changes.
//
// A control that describes itself (Facts with a role) answers WM_GETOBJECT with an
// accessible object of its own, and announces its name's changes and, at each repaint,
// its state's changes (the system announces the focus).
#include "widgets/controls/Control.h"
#include "widgets/win32/AccessibleObject.h"
#include "widgets/win32/OffscreenPaint.h"

class PaintedControl : public Control, private MessageHandler, private AccessibleSource {
protected:
    explicit PaintedControl(const ComponentCreation& creation, TabPlace tab = {false}) : Control(creation, tab) {}

    // Registers windowClass once (with classStyle) and makes the control's window.
    void CreatePaintedHandle(const char* windowClass, UINT classStyle, DWORD style, const std::string& text);

    HFONT Font() const { return font_; }
    void Repaint() const;

    // Draws the whole client area onto dc, in client coordinates.
    virtual void Paint(HDC dc) = 0;
    // Asked once before each WM_PAINT: whether the face looks exactly as at the last one,
    // so the image kept from it is copied without Paint. By default it never does.
    virtual bool FaceAsLastPainted() { return false; }
    // Every message but the painting, font, text and accessibility ones; the default
    // procedure answers what it leaves.
    virtual LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // What assistive technology is told of the control as it is now; role 0 (the default)
    // leaves the control to the system's own description.
    AccessibleFacts Facts() const override { return {}; }
    void DoDefaultAction() override {}
    // Tells assistive technology that the name (the window text) changed.
    virtual void AnnounceNameChange();

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) final;
    void PaintWindow(HWND window);
    void AnnounceStateChange() const;

    HFONT font_ = nullptr;   // the form's, not owned
    OffscreenBuffer buffer_;
    AccessibleObject accessible_;
    mutable long announcedState_ = -1;
};
