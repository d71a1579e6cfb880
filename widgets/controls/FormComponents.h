#pragma once
// The components of one form, made from its description's rows in creation order.
#include "widgets/controls/ComponentFactory.h"
#include "widgets/controls/Control.h"

#include <memory>
#include <stdexcept>
#include <vector>

class FormComponents {
public:
    // The control id of row i's window is FirstControlId + i.
    static const int FirstControlId = 100;

    FormComponents() = default;
    // Destroys the components in reverse creation order; each has left the list before
    // it goes, so messages its destruction causes find only the ones still there.
    ~FormComponents();
    FormComponents(const FormComponents&) = delete;
    FormComponents& operator=(const FormComponents&) = delete;

    // What makes a row's component: the class its settings name, or a test's stand-in.
    using Maker = std::unique_ptr<Component> (*)(const ComponentCreation& creation);

    // Makes every row's component on parent, each control's window above the ones made
    // before it, then gives every component the end-of-loading call in creation order.
    // Throws when two rows share a name. If any of it throws, the components made so far
    // are destroyed again.
    void Build(const FormDescription& form, const ComponentParent& parent, Maker make = CreateComponent);

    const std::vector<std::unique_ptr<Component>>& All() const { return components_; }

    // The component of that name and class, for a form to keep once it is built. Throws
    // std::runtime_error when there is none.
    template <typename T>
    T& Get(const std::string& name) const
    {
        for (const auto& component : components_)
            if (component->Name() == name)
                if (auto* found = dynamic_cast<T*>(component.get()))
                    return *found;
        throw std::runtime_error("No component " + name + " of the class the form needs");
    }

    // The control of that id or window, or null.
    Control* ControlById(int id) const;
    Control* ControlByHandle(HWND handle) const;

private:
    void Clear();

    std::vector<std::unique_ptr<Component>> components_;
};
