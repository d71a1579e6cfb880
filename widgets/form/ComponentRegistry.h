#pragma once
// The component classes a form may name, looked up by name.
#include "widgets/form/Component.h"

#include <memory>
#include <vector>

class ComponentRegistry {
public:
    // The classes live as long as the registry (each is normally a function's static).
    explicit ComponentRegistry(std::vector<const ComponentClass*> classes);

    const ComponentClass* Find(const std::string& className) const;

    // Throws std::runtime_error, naming the form and the row, when a row names a class
    // that is not here, sets a property its class does not declare or sets one with a
    // value of another type, or when two rows share a name.
    void Check(const FormDescription& form) const;

    // Makes the row's component. Throws std::runtime_error for an unknown class.
    std::unique_ptr<Component> Create(const ComponentDescription& row, const ComponentParent& parent, int id) const;

private:
    std::vector<const ComponentClass*> classes_;
};
