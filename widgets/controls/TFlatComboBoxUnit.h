#pragma once
// TFlatComboBox: the standard drop-down combo box with an editable text field, drawn flat:
// a frame of three 1-pixel rings round the field and a narrow drop-down button of its own
// over the platform's sunken edge and button (FlatComboGeometry.h). The arrow points up
// while the list is open and is etched while the control is disabled.
#include "widgets/controls/Control.h"
#include "widgets/paint/FlatComboGeometry.h"
#include "widgets/win32/ColourBrush.h"
#include "widgets/win32/WindowSubclass.h"

#include <string>
#include <vector>

class TFlatComboBox : public Control {
public:
    TFlatComboBox(const ComponentCreation& creation, const FlatComboBoxSettings& settings);

    // The colour setters invalidate the whole control.
    const FlatComboColours& Colours() const { return colours_; }
    void SetColor(ColourWord colour) { colours_.color = colour; InvalidateAll(); }
    void SetColorBorder(ColourWord colour) { colours_.colorBorder = colour; InvalidateAll(); }

    // The height of the list's rows, in the form's design pixels. A font change sets it
    // back to 13.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);

    // The list is open, or the focus is on the control or its text field.
    bool ActiveState() const;
    HWND EditField() const;

    // Closing the list repaints the button.
    bool Notification(WORD code) override;

private:
    // What a new window of the control shows.
    struct Content {
        std::vector<std::string> items;
        std::string text;
        int itemIndex;
    };

    void MakeWindow(const Content& content, int height, HFONT font);
    void Recreate();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ListAndFieldColours(HDC dc);
    void OnPaint();
    // The whole look, the text field included, on dc.
    void OnPrintClient(HDC dc, LPARAM flags);
    // The part area of the face, then the platform's own painting (platformMessage with dc
    // and flags), then the frame and the button over it.
    void Paint(HDC dc, const PixelRect& area, UINT platformMessage, LPARAM flags);
    void FitEditField() const;
    void InvalidateAll() const;
    bool ListOpen() const;
    PixelSize Size() const;
    // The drop-down button's interior, as wide as the form's scale makes it.
    int ButtonWidth() const { return Scale(ComboButtonWidth); }

    FlatComboColours colours_;
    const ColourWord textColour_;
    const bool sorted_;
    const int maxLength_;
    const int dropDownCount_;
    int itemHeight_;
    bool recreationPending_ = false;
    ColourBrush brush_;   // Color's, for the text field and the list
    WindowSubclass subclass_;
};
