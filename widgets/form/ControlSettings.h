#pragma once
// What a description row may set for each class of component, with every default in one
// place. A row holds one of these; a wrong setting name or type fails to compile.
#include "widgets/paint/ColourWords.h"
#include "widgets/paint/FlatButtonFace.h"
#include "widgets/paint/FlatComboGeometry.h"

#include <string>
#include <vector>

// Where the Tab key stops: controls with TabStop, in TabOrder.
struct TabPlace {
    bool tabStop = true;
    int tabOrder = -1;
};

// TImage: a resource bitmap drawn with its bottom-left pixel's colour left out.
struct ImageSettings {
    static constexpr const char* ClassName = "TImage";
    int picture = 0;              // the bitmap's resource id
    std::string accessibleName;   // what a screen reader calls it
};

// TFlatTitlebar: a strip with a centred caption that follows the form's activation.
struct FlatTitlebarSettings {
    static constexpr const char* ClassName = "TFlatTitlebar";
    std::string caption;
    ColourWord activeTextColor = clWhite;
    ColourWord inactiveTextColor = 8559266;   // RGB(162, 154, 130)
    ColourWord titlebarColor = clBlack;
    // Milliseconds that must pass between two announcements of a new caption to assistive
    // technology (0: every change); the painting follows every change regardless.
    int nameChangePeriod = 0;
};

// TFlatComboBox: an editable drop-down list with a flat frame and button.
struct FlatComboBoxSettings {
    static constexpr const char* ClassName = "TFlatComboBox";
    std::string text;
    std::vector<std::string> items;
    int itemIndex = -1;
    int itemHeight = 13;          // in design pixels
    int dropDownCount = 8;
    bool sorted = false;
    int maxLength = 0;            // 0: no limit
    FlatComboColours colours;
    ColourWord fontColor = clWindowText;
    TabPlace tab;
};

// TFlatButton: a flat push button with four looks.
struct FlatButtonSettings {
    static constexpr const char* ClassName = "TFlatButton";
    std::string caption;          // "&" marks the accelerator
    FlatButtonColours colours;
    bool parentColor = true;      // the face takes the parent's colour, not colours.color
    // The advanced colours shade the focused, pressed and frame colours from the parent's
    // colour by these percentages (0..100).
    bool useAdvColors = false;
    int advColorFocused = 10;
    int advColorDown = 10;
    int advColorBorder = 50;
    bool isDefault = false;       // Default: drawn with a thicker frame
    bool enabled = true;
    TabPlace tab{false};
};

// TFlatMemo: a multi-line edit field with a flat frame.
struct FlatMemoSettings {
    static constexpr const char* ClassName = "TFlatMemo";
    enum class ScrollBars { None, Horizontal, Vertical, Both };
    std::vector<std::string> lines;
    ColourWord fontColor = clWindowText;
    ColourWord colorFocused = clWhite;
    ColourWord colorBorder = FlatFrameColour;
    ColourWord colorFlat = FlatFaceColour;
    bool parentColor = true;      // the face takes the parent's colour, not ColorFlat
    bool readOnly = false;
    ScrollBars scrollBars = ScrollBars::None;
    bool wantReturns = true;
    bool wordWrap = true;
    TabPlace tab;
};

// The font a component draws with when it does not take the system's.
struct FontSettings {
    std::string name = "MS Sans Serif";
    int height = -11;             // at 96 dots per inch
    bool bold = true;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    ColourWord color = clCaptionText;
    int charset = 1;              // DEFAULT_CHARSET
};

// TGradientCaption: paints the form's caption bar as a colour gradient. It has no window
// of its own, so its row has no place.
struct GradientCaptionSettings {
    static constexpr const char* ClassName = "TGradientCaption";
    bool active = true;
    bool defaultFont = true;      // the system's caption font; Font counts only when off
    std::string formCaption;
    ColourWord fontInactiveColor = clInactiveCaptionText;
    FontSettings font;
    bool gradientActive = true;
    bool gradientInactive = false;
    int gradientSteps = 64;
    ColourWord startColor = clWindowText;
};
