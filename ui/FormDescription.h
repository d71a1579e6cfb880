#pragma once
// A window's description as data: the form's own settings and one row per control, in
// creation order (later rows lie on top). Code builds the window by reading it; a
// control's look or class changes in its row only.
#include "ColourWords.h"

#include <string>
#include <vector>

struct ColourSetting {
    std::string name;   // the control's colour property, e.g. "ColorBorder"
    ColourWord colour;
};

struct ControlDescription {
    std::string name;
    std::string className;               // looked up in the form's control classes
    int left = 0, top = 0, width = 0, height = 0;
    std::string text;                    // caption or initial text
    ColourWord fontColour = clBtnText;
    ColourWord colour = clWindow;        // background
    std::vector<ColourSetting> colours;  // further colour properties
    std::vector<std::string> items;      // list items
    int itemHeight = 0;                  // list item height, 0 for the default
    int resourceId = 0;                  // picture resource
    int tabOrder = -1;
    bool tabStop = false;
    std::string onClick;                 // the form's click handler, empty for none

    // The named colour, or fallback when the row does not set it.
    ColourWord Colour(const std::string& property, ColourWord fallback) const;
};

struct FormDescription {
    std::string name;
    std::string className;
    std::string caption;
    int left = 0, top = 0;               // outer position on the screen
    int clientWidth = 0, clientHeight = 0;
    ColourWord colour = clBtnText;
    std::string fontName;
    int fontHeight = 0;                  // at designDpi
    int designDpi = 96;
    int designTextHeight = 13;           // the font's text height the layout was made for
    std::vector<ControlDescription> controls;

    // The row of the control with that name, or null.
    const ControlDescription* Find(const std::string& controlName) const;
};

// The main window Form1.
const FormDescription& Form1Description();
