#include "FormControl.h"

#include "ControlClasses.h"
#include "MulDiv.h"

#include <stdexcept>

int FormMetrics::Scale(int value) const
{
    return textHeight == designTextHeight ? value : MulDivRounded(value, textHeight, designTextHeight);
}

namespace {

using Factory = std::unique_ptr<FormControl> (*)(const ControlDescription&, HWND, int, const FormMetrics&);

struct ControlClass {
    const char* name;
    Factory create;
};

const ControlClass ControlClasses[] = {
    {"TImage", CreateImage},
    {"TTitleStripStandIn", CreateTitleStripStandIn},
    {"TComboBoxStandIn", CreateComboBoxStandIn},
    {"TButtonStandIn", CreateButtonStandIn},
    {"TMemoStandIn", CreateMemoStandIn},
};

} // namespace

std::unique_ptr<FormControl> CreateFormControl(const ControlDescription& description, HWND parent,
                                               int id, const FormMetrics& metrics)
{
    for (const ControlClass& controlClass : ControlClasses)
        if (description.className == controlClass.name)
            return controlClass.create(description, parent, id, metrics);
    throw std::runtime_error("Unknown control class " + description.className);
}
