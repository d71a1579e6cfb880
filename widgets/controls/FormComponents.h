#pragma once
// The components of one form, made from its description's rows in creation order.
#include "widgets/controls/Control.h"
#include "widgets/form/ComponentRegistry.h"

#include <memory>
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

    // Makes every row's component on parent, each control's window above the ones made
    // before it, then gives every component the end-of-loading call in creation order.
    // If any of it throws, the components made so far are destroyed again.
    void Build(const FormDescription& form, const ComponentRegistry& classes, const ComponentParent& parent);

    const std::vector<std::unique_ptr<Component>>& All() const { return components_; }
    // The control of that name, id or window, or null.
    Control* FindControl(const std::string& name) const;
    Control* ControlById(int id) const;
    Control* ControlByHandle(HWND handle) const;

private:
    void Clear();

    std::vector<std::unique_ptr<Component>> components_;
};
