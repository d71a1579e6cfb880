#pragma once
// TImage: a picture from the program's resources (its bitmap resource id), drawn at the
// control's top-left corner with one transparent colour, that of the picture's
// bottom-left pixel, where the form's colour shows. Assistive technology meets it as a
// graphic named by its accessible name.
#include "widgets/form/Component.h"

#include <memory>

std::unique_ptr<Component> CreateImage(const ComponentCreation& creation, const ImageSettings& settings);
