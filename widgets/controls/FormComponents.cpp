#include "widgets/controls/FormComponents.h"

FormComponents::~FormComponents()
{
    Clear();
}

void FormComponents::Build(const FormDescription& form, const ComponentParent& parent, Maker make)
{
    form.CheckNames();
    try {
        int id = FirstControlId;
        for (const ComponentDescription& row : form.components) {
            components_.push_back(make({row, parent, id++}));
            if (auto* control = dynamic_cast<Control*>(components_.back().get()))
                SetWindowPos(control->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        for (const auto& component : components_)
            component->Loaded();
    } catch (...) {
        Clear();
        throw;
    }
}

void FormComponents::Clear()
{
    while (!components_.empty()) {
        std::unique_ptr<Component> last = std::move(components_.back());
        components_.pop_back();
        last.reset();
    }
}

Control* FormComponents::ControlById(int id) const
{
    const int index = id - FirstControlId;
    if (index < 0 || index >= static_cast<int>(components_.size()))
        return nullptr;
    return dynamic_cast<Control*>(components_[static_cast<std::size_t>(index)].get());
}

Control* FormComponents::ControlByHandle(HWND handle) const
{
    for (const auto& component : components_)
        if (auto* control = dynamic_cast<Control*>(component.get()); control && control->Handle() == handle)
            return control;
    return nullptr;
}
