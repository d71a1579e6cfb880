#include "widgets/form/ComponentRegistry.h"

#include <set>
#include <stdexcept>

const PropertyDeclaration* ComponentClass::Find(const std::string& property) const
{
    for (const PropertyDeclaration& declaration : properties)
        if (declaration.name == property)
            return &declaration;
    return nullptr;
}

ComponentRegistry::ComponentRegistry(std::vector<const ComponentClass*> classes) : classes_(std::move(classes)) {}

const ComponentClass* ComponentRegistry::Find(const std::string& className) const
{
    for (const ComponentClass* componentClass : classes_)
        if (componentClass->name == className)
            return componentClass;
    return nullptr;
}

void ComponentRegistry::Check(const FormDescription& form) const
{
    std::set<std::string> names;
    for (const ComponentDescription& row : form.components) {
        const std::string where = form.name + "." + row.name;
        if (!names.insert(row.name).second)
            throw std::runtime_error(where + " is named twice");
        const ComponentClass* componentClass = Find(row.className);
        if (!componentClass)
            throw std::runtime_error(where + ": unknown class " + row.className);
        for (const PropertySetting& setting : row.properties) {
            const PropertyDeclaration* declaration = componentClass->Find(setting.name);
            if (!declaration)
                throw std::runtime_error(where + ": " + row.className + " has no property " + setting.name);
            if (TypeOf(setting.value) != TypeOf(declaration->defaultValue))
                throw std::runtime_error(where + ": " + setting.name + " takes " +
                                         TypeName(TypeOf(declaration->defaultValue)) + ", not " +
                                         TypeName(TypeOf(setting.value)));
        }
    }
}

std::unique_ptr<Component> ComponentRegistry::Create(const ComponentDescription& row, const ComponentParent& parent,
                                                     int id) const
{
    const ComponentClass* componentClass = Find(row.className);
    if (!componentClass)
        throw std::runtime_error(row.name + ": unknown class " + row.className);
    return componentClass->create(ComponentCreation{row, *componentClass, parent, id});
}
