#pragma once
// The main window Form1 as data.
#include "widgets/form/FormDescription.h"

const FormDescription& Form1Description();
