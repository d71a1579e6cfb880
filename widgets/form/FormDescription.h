#pragma once
// A window's description as data: the form's own settings and one row per component, in
// creation order (later rows lie on top). Code builds the window by reading it; a
// component's look or class changes in its row only.
#include "widgets/form/ControlSettings.h"

#include <string>
#include <variant>
#include <vector>

// A row's class is the kind of settings it holds.
using ComponentSettings = std::variant<ImageSettings, FlatTitlebarSettings, FlatComboBoxSettings, FlatButtonSettings,
                                       FlatMemoSettings, GradientCaptionSettings>;

// One row: a component, and for a control its place in the form's client area.
struct ComponentDescription {
    std::string name;
    int left = 0, top = 0, width = 0, height = 0;
    ComponentSettings settings;

    // "TFlatButton", ...
    const char* ClassName() const;
    // The row's settings, or null when it holds another class's.
    template <typename Settings>
    const Settings* As() const
    {
        return std::get_if<Settings>(&settings);
    }
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
    int designDpi = 96;                  // the screen resolution the layout was made for
    std::vector<ComponentDescription> components;

    // The row of that name, or null.
    const ComponentDescription* Find(const std::string& row) const;
    // Throws std::runtime_error, naming the form and the row, when two rows share a name.
    void CheckNames() const;
};
