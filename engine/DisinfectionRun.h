#pragma once
// What the "Desinfectar" button does: run the removal plan of one catalogue row.
#include "CleaningOperations.h"
#include "Report.h"
#include "SharedFlags.h"
#include "SystemDirectories.h"

// index is the selector's item index at the click, -1 when nothing is selected.
void DisinfectionRun(int index, CleaningOperations& ops, SystemDirectories& dirs,
                     Report& report, SharedFlags& flags);
