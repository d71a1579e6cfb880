#pragma once
// The main window Form1 as data.
#include "FormDescription.h"

const FormDescription& Form1Description();
