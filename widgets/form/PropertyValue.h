#pragma once
// The value of a published property: what a description row sets and what a component
// class declares as its default. The alternatives follow PropertyType's order.
#include "widgets/paint/ColourWords.h"

#include <string>
#include <utility>
#include <variant>
#include <vector>

enum class PropertyType { Boolean, Integer, Colour, Text, Lines, Event };

// The name of the form's handler an event runs ("FlatButton6Click"), empty for none.
struct HandlerName {
    std::string name;
};

using PropertyValue = std::variant<bool, int, ColourWord, std::string, std::vector<std::string>, HandlerName>;

inline PropertyType TypeOf(const PropertyValue& value) { return static_cast<PropertyType>(value.index()); }

// "Boolean", "Integer", "Colour", "Text", "Lines" or "Event".
const char* TypeName(PropertyType type);

// Typed makers: the type shows where a value is written, and a colour given as a plain
// number (8559266) stays a colour.
inline PropertyValue BooleanValue(bool value) { return PropertyValue(std::in_place_type<bool>, value); }
inline PropertyValue IntegerValue(int value) { return PropertyValue(std::in_place_type<int>, value); }
inline PropertyValue ColourValue(ColourWord value) { return PropertyValue(std::in_place_type<ColourWord>, value); }
inline PropertyValue TextValue(std::string value)
{
    return PropertyValue(std::in_place_type<std::string>, std::move(value));
}
inline PropertyValue LinesValue(std::vector<std::string> value)
{
    return PropertyValue(std::in_place_type<std::vector<std::string>>, std::move(value));
}
inline PropertyValue EventValue(std::string handler)
{
    return PropertyValue(std::in_place_type<HandlerName>, HandlerName{std::move(handler)});
}
