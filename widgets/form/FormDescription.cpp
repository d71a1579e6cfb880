#include "widgets/form/FormDescription.h"

#include "widgets/form/InvalidOperation.h"

#include <utility>

namespace {

template <typename T>
T SettingOr(const ComponentDescription& row, const std::string& property, const T& fallback, PropertyType type)
{
    const PropertyValue* value = row.Find(property);
    if (!value)
        return fallback;
    if (const T* typed = std::get_if<T>(value))
        return *typed;
    throw InvalidOperation(row.name + "." + property + " holds " + TypeName(TypeOf(*value)) + ", not " +
                           TypeName(type));
}

} // namespace

ComponentDescription& ComponentDescription::Set(const std::string& property, PropertyValue value)
{
    for (PropertySetting& setting : properties)
        if (setting.name == property) {
            setting.value = std::move(value);
            return *this;
        }
    properties.push_back({property, std::move(value)});
    return *this;
}

const PropertyValue* ComponentDescription::Find(const std::string& property) const
{
    for (const PropertySetting& setting : properties)
        if (setting.name == property)
            return &setting.value;
    return nullptr;
}

bool ComponentDescription::Boolean(const std::string& property, bool fallback) const
{
    return SettingOr(*this, property, fallback, PropertyType::Boolean);
}

int ComponentDescription::Integer(const std::string& property, int fallback) const
{
    return SettingOr(*this, property, fallback, PropertyType::Integer);
}

ColourWord ComponentDescription::Colour(const std::string& property, ColourWord fallback) const
{
    return SettingOr(*this, property, fallback, PropertyType::Colour);
}

std::string ComponentDescription::Text(const std::string& property, const std::string& fallback) const
{
    return SettingOr(*this, property, fallback, PropertyType::Text);
}

std::vector<std::string> ComponentDescription::Lines(const std::string& property,
                                                     const std::vector<std::string>& fallback) const
{
    return SettingOr(*this, property, fallback, PropertyType::Lines);
}

std::string ComponentDescription::Event(const std::string& property, const std::string& fallback) const
{
    return SettingOr(*this, property, HandlerName{fallback}, PropertyType::Event).name;
}
