#pragma once
// What the information button does: show the selected row's description file in the pane.
#include "ui/ReportPane.h"

#include "cleaning/PlatformServices.h"

// index is the selector's item index at the click; -1 (nothing selected) does nothing.
// The file is read by its bare name, from the current directory; a file that cannot be
// read throws EngineError "Cannot open file <name>" and leaves the pane as it was. Of a
// larger file only the first megabyte is shown, and a line says so.
void ShowThreatInformation(int index, PlatformServices& files, ReportPane& pane);
