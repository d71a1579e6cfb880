#pragma once
// Removing an infection's lines from every copy of a configuration file.
#include "cleaning/DataRoot.h"
#include "cleaning/PlatformServices.h"
#include "engine/Report.h"
#include "engine/RunProgress.h"
#include "engine/SharedFlags.h"

#include <string>

// Removes from every copy of fileName that the tree walk finds below dir each line that
// contains marker (Windows-1252 text, case significant; matched in UTF-8 in a line that
// is well-formed UTF-8 beyond ASCII, byte for byte otherwise), writing the rest back with
// CR LF line ends (PurgeLinesOfCopy), and sets InfectionFound for each copy rewritten. A
// copy with no such line is not written. A copy that may still hold such lines (it could
// not be read, or not be purged) adds "No se pudo desinfectar el archivo <path>" and
// marks the removal as failed; the purge goes on with the next. A directory of that name
// is passed over, and searched like any other. Copies that an interrupted purge left
// half rewritten are put back first. The walk reports to progress and stops between
// folders when it asks, never inside the rewrite of a copy (TreeWalk.h).
void PurgeConfigLines(PlatformServices& platform, DataRoot& data, Report& report, SharedFlags& flags,
                      const std::string& dir, const std::string& fileName, const std::string& marker,
                      RunProgress& progress = UnwatchedRun());
