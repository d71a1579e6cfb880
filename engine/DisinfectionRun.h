#pragma once
// What the "Desinfectar" button does: run the removal plan of one catalogue row.
#include "engine/CleaningOperations.h"
#include "engine/Report.h"
#include "engine/RunProgress.h"
#include "engine/SharedFlags.h"
#include "engine/SystemDirectories.h"

// index is the selector's item index at the click, -1 when nothing is selected. The
// walks of the drive are announced to progress, and a stop it asks for is honoured
// before each action of the plan (the walks themselves honour it between folders): the
// Report then ends with the interrupted line instead of the verdict.
void DisinfectionRun(int index, CleaningOperations& ops, SystemDirectories& dirs,
                     Report& report, SharedFlags& flags, RunProgress& progress = UnwatchedRun());
