#pragma once
// The base of everything a description row makes: it knows its row, which outlives it.
#include "widgets/form/FormDescription.h"

struct ComponentParent;

// What a component is made from. The row and the parent outlive the creation.
struct ComponentCreation {
    const ComponentDescription& description;
    const ComponentParent& parent;   // the form the component is placed on
    int id;                          // the control id for its window, if it makes one
};

class Component {
public:
    explicit Component(const ComponentDescription& description) : description_(description) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return description_.name; }
    const ComponentDescription& Description() const { return description_; }

    // The end of loading: called once, after every component of the form has been made,
    // in creation order.
    virtual void Loaded() {}

private:
    const ComponentDescription& description_;
};
