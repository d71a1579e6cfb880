#pragma once
// What the information button does: show the selected row's description file in the pane.
#include "ui/ReportPane.h"

#include "cleaning/PlatformServices.h"

// The folder that holds the program's file, with its closing backslash; empty when the
// system cannot say.
std::string ProgramFolder();

// index is the selector's item index at the click; -1 (nothing selected) does nothing and
// returns false. The file is read by its bare name from the current directory, or, where
// that has none, from programFolder; a file that cannot be read throws EngineError
// "Cannot open file <name>" and leaves the pane as it was. Of a larger file only the first
// megabyte is shown, and a line says so. True when the description is shown.
bool ShowThreatInformation(int index, PlatformServices& files, ReportPane& pane, const std::string& programFolder);
