#pragma once
// A class of component as a form description names it: the properties it takes, each with
// its type and default, and the factory that makes one from a row.
#include "widgets/form/FormDescription.h"

#include <memory>
#include <string>
#include <vector>

class Component;
struct ComponentParent;
struct ComponentClass;

struct PropertyDeclaration {
    std::string name;
    PropertyValue defaultValue;   // also gives the property's type
};

// What a factory is given to make one component. The row and the class outlive it.
struct ComponentCreation {
    const ComponentDescription& description;
    const ComponentClass& componentClass;
    const ComponentParent& parent;   // the form the component is placed on
    int id;                          // the control id for its window, if it makes one
};

using ComponentFactory = std::unique_ptr<Component> (*)(const ComponentCreation& creation);

struct ComponentClass {
    std::string name;
    std::vector<PropertyDeclaration> properties;
    ComponentFactory create;

    // The declaration of that property, or null when the class does not take it.
    const PropertyDeclaration* Find(const std::string& property) const;
};
