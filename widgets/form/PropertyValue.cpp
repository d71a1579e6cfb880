#include "widgets/form/PropertyValue.h"

const char* TypeName(PropertyType type)
{
    switch (type) {
    case PropertyType::Boolean: return "Boolean";
    case PropertyType::Integer: return "Integer";
    case PropertyType::Colour: return "Colour";
    case PropertyType::Text: return "Text";
    case PropertyType::Lines: return "Lines";
    case PropertyType::Event: return "Event";
    }
    return "?";
}
