#pragma once
// A window's description as data: the form's own settings and one row per component, in
// creation order (later rows lie on top). Code builds the window by reading it; a
// component's look or class changes in its row only.
#include "widgets/form/PropertyValue.h"

#include <string>
#include <vector>

struct PropertySetting {
    std::string name;   // a property the row's class declares, e.g. "ColorBorder"
    PropertyValue value;
};

// One row: a component of a class, and for a control its place in the form's client area.
struct ComponentDescription {
    std::string name;
    std::string className;                  // looked up in the form's component classes
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<PropertySetting> properties; // only the ones that differ from the class's defaults

    // Sets a property, replacing an earlier setting of the same name.
    ComponentDescription& Set(const std::string& property, PropertyValue value);
    // The row's setting, or null when the row leaves the property at its default.
    const PropertyValue* Find(const std::string& property) const;

    // The row's setting of the property, or fallback when it has none. A setting of
    // another type throws InvalidOperation.
    bool Boolean(const std::string& property, bool fallback) const;
    int Integer(const std::string& property, int fallback) const;
    ColourWord Colour(const std::string& property, ColourWord fallback) const;
    std::string Text(const std::string& property, const std::string& fallback) const;
    std::vector<std::string> Lines(const std::string& property, const std::vector<std::string>& fallback) const;
    std::string Event(const std::string& property, const std::string& fallback) const;
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
    std::vector<ComponentDescription> components;
};
