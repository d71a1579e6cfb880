#include "widgets/form/Component.h"

#include "widgets/form/InvalidOperation.h"

Component::Component(const ComponentDescription& description, const ComponentClass& componentClass)
    : description_(description), class_(componentClass)
{
}

template <typename T>
const T& Component::Default(const std::string& property, PropertyType type) const
{
    const PropertyDeclaration* declaration = class_.Find(property);
    if (!declaration)
        throw InvalidOperation(class_.name + " has no property " + property);
    if (const T* value = std::get_if<T>(&declaration->defaultValue))
        return *value;
    throw InvalidOperation(class_.name + "." + property + " is " + TypeName(TypeOf(declaration->defaultValue)) +
                           ", not " + TypeName(type));
}

bool Component::Boolean(const std::string& property) const
{
    return description_.Boolean(property, Default<bool>(property, PropertyType::Boolean));
}

int Component::Integer(const std::string& property) const
{
    return description_.Integer(property, Default<int>(property, PropertyType::Integer));
}

ColourWord Component::Colour(const std::string& property) const
{
    return description_.Colour(property, Default<ColourWord>(property, PropertyType::Colour));
}

std::string Component::Text(const std::string& property) const
{
    return description_.Text(property, Default<std::string>(property, PropertyType::Text));
}

std::vector<std::string> Component::Lines(const std::string& property) const
{
    return description_.Lines(property, Default<std::vector<std::string>>(property, PropertyType::Lines));
}

std::string Component::Event(const std::string& property) const
{
    return description_.Event(property, Default<HandlerName>(property, PropertyType::Event).name);
}
