#pragma once
// Stand-ins for the custom-painted controls, built on the standard Win32 controls with
// the same places, texts, fonts, colours and behaviour where those controls allow.
#include "ComponentClass.h"

const ComponentClass& TitleStripStandInClass();
const ComponentClass& ButtonStandInClass();
