#pragma once
// The base of everything a description row makes: it knows its row and its class, and
// reads its properties as the row sets them or as the class declares their defaults.
#include "widgets/form/ComponentClass.h"

class Component {
public:
    // The row and the class outlive the component.
    Component(const ComponentDescription& description, const ComponentClass& componentClass);
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return description_.name; }
    const ComponentDescription& Description() const { return description_; }
    bool Declares(const std::string& property) const { return class_.Find(property) != nullptr; }

    // The property's value: the row's setting, or the class's default. A property the
    // class does not declare, or one of another type, throws InvalidOperation.
    bool Boolean(const std::string& property) const;
    int Integer(const std::string& property) const;
    ColourWord Colour(const std::string& property) const;
    std::string Text(const std::string& property) const;
    std::vector<std::string> Lines(const std::string& property) const;
    std::string Event(const std::string& property) const;   // the handler's name, empty for none

    // The end of loading: called once, after every component of the form has been made,
    // in creation order.
    virtual void Loaded() {}

private:
    template <typename T>
    const T& Default(const std::string& property, PropertyType type) const;

    const ComponentDescription& description_;
    const ComponentClass& class_;
};
