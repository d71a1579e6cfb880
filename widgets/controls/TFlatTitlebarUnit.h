#pragma once
// TFlatTitlebar: a strip of one colour placed directly on a form, showing its caption
// centred in one text colour while the form is active and in another while it is not;
// dragging it with the left button moves the form. It learns of the form's activation by
// watching the form window's messages ahead of the form's own handling. A caption that
// changes often (a progress count) is announced to assistive technology at most once a
// NameChangePeriod, its last text always in the end.
#include "base/EventThrottle.h"
#include "widgets/controls/PaintedControl.h"
#include "widgets/win32/WindowSubclass.h"

#include <functional>

class TFlatTitlebar : public PaintedControl {
public:
    // Throws InvalidOperation, before any window is made, when the parent is not a form.
    TFlatTitlebar(const ComponentCreation& creation, const FlatTitlebarSettings& settings);

    using Notification = std::function<void(TFlatTitlebar& sender)>;
    Notification OnActivate;

    // A colour that differs from the one held repaints the strip.
    ColourWord ActiveTextColor() const { return activeTextColor_; }
    ColourWord InactiveTextColor() const { return inactiveTextColor_; }
    ColourWord TitlebarColor() const { return titlebarColor_; }
    void SetActiveTextColor(ColourWord colour);
    void SetInactiveTextColor(ColourWord colour);
    void SetTitlebarColor(ColourWord colour);
    // The caption is the window's text; changing it repaints the strip.
    void SetCaption(const std::string& caption);

    bool ShowsActive() const { return showsActive_; }
    POINT DragOrigin() const { return dragOrigin_; }

    // Puts ObserveFormMessage in front of the form window's procedure.
    void Loaded() override;

private:
    void Paint(HDC dc) override;
    // Static text: the caption.
    AccessibleFacts Facts() const override;
    void AnnounceNameChange() override;
    void AnnounceHeldNameChange();
    std::string CaptionText() const;
    void FitScaledCaption() const;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT ObserveFormMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void SetColour(ColourWord& held, ColourWord colour);
    void MouseDown(bool leftButton, LPARAM position);
    void MouseMove(LPARAM position) const;

    ColourWord activeTextColor_;
    ColourWord inactiveTextColor_;
    ColourWord titlebarColor_;
    bool showsActive_ = false;
    bool dragging_ = false;
    POINT dragOrigin_ = {0, 0};
    EventThrottle nameChanges_;
    WindowSubclass observer_;
};
