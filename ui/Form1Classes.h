#pragma once
// The component classes Form1's description names.
#include "widgets/form/ComponentRegistry.h"

const ComponentRegistry& Form1Classes();
