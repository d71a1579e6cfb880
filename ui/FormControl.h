#pragma once
// One control of a form, made from its description row by the factory of its class.
#include "FormDescription.h"

#include <windows.h>

#include <memory>

// What a control needs of its form when it is created.
struct FormMetrics {
    HFONT font = nullptr;
    int textHeight = 13;         // the form font's text height on this system
    int designTextHeight = 13;   // the text height the description was laid out for
    int Scale(int value) const;  // a design length on this system
};

class FormControl {
public:
    FormControl(const ControlDescription& description, HWND handle)
        : description_(description), handle_(handle) {}
    virtual ~FormControl() = default;   // the window goes with its parent
    FormControl(const FormControl&) = delete;
    FormControl& operator=(const FormControl&) = delete;

    HWND Handle() const { return handle_; }
    const ControlDescription& Description() const { return description_; }

    // Requests the form passes on from the control: WM_DRAWITEM and WM_CTLCOLOR*.
    // false / null: the control leaves it to the default handling.
    virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }
    virtual HBRUSH ControlColour(HDC) { return nullptr; }

private:
    const ControlDescription& description_;
    HWND handle_;
};

// Creates the control of description's class as a child of parent with the given id.
// Throws std::runtime_error for an unknown class or a window that cannot be created.
std::unique_ptr<FormControl> CreateFormControl(const ControlDescription& description, HWND parent,
                                               int id, const FormMetrics& metrics);
