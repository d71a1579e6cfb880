#pragma once
// The component classes Form1's description names.
#include "ComponentRegistry.h"

const ComponentRegistry& Form1Classes();
