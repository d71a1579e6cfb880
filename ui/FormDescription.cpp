#include "FormDescription.h"

ColourWord ControlDescription::Colour(const std::string& property, ColourWord fallback) const
{
    for (const ColourSetting& setting : colours)
        if (setting.name == property)
            return setting.colour;
    return fallback;
}

const ControlDescription* FormDescription::Find(const std::string& controlName) const
{
    for (const ControlDescription& control : controls)
        if (control.name == controlName)
            return &control;
    return nullptr;
}
