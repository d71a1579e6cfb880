#pragma once
// TImage: a picture from the program's resources (the Picture property is its bitmap
// resource id), drawn at the control's top-left corner with one transparent colour, that
// of the picture's bottom-left pixel, where the form's colour shows. Assistive technology
// meets it as a graphic named by its AccessibleName.
#include "widgets/form/ComponentClass.h"

const ComponentClass& TImageClass();
