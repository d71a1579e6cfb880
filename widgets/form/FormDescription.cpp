#include "widgets/form/FormDescription.h"

#include <set>
#include <stdexcept>

const char* ComponentDescription::ClassName() const
{
    return std::visit([](const auto& held) { return std::decay_t<decltype(held)>::ClassName; }, settings);
}

const ComponentDescription* FormDescription::Find(const std::string& row) const
{
    for (const ComponentDescription& component : components)
        if (component.name == row)
            return &component;
    return nullptr;
}

void FormDescription::CheckNames() const
{
    std::set<std::string> names;
    for (const ComponentDescription& row : components)
        if (!names.insert(row.name).second)
            throw std::runtime_error(name + "." + row.name + " is named twice");
}
