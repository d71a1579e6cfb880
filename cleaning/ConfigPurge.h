#pragma once
// Removing an infection's lines from the configuration copies the walk of the drive met.
#include "cleaning/DataRoot.h"
#include "cleaning/PlatformServices.h"
#include "cleaning/Quarantine.h"
#include "engine/DriveFindings.h"
#include "engine/Report.h"
#include "engine/RunProgress.h"
#include "engine/SharedFlags.h"

#include <string>

// Removes from each copy of fileName (UTF-8) the walk found, in walk order, each line
// that contains marker (Windows-1252 text, case significant; matched in UTF-8 in a line
// that is well-formed UTF-8 beyond ASCII, byte for byte otherwise), writing the rest back
// with CR LF line ends (PurgeLinesOfCopy), and sets InfectionFound for each copy
// rewritten. A copy with no such line is not written; a copy gone since the walk met it is
// passed over. A copy that may still hold such lines (it could not be read, or not be
// purged) adds "No se pudo desinfectar el archivo <path>" and marks the removal as failed;
// the purge goes on with the next. Copies that an interrupted purge left half rewritten
// are put back first. Before each copy comes a safe point (RunStopped), never inside its
// rewrite.
void PurgeFound(PlatformServices& platform, DataRoot& data, Quarantine& quarantine, Report& report, SharedFlags& flags,
                const std::string& fileName, const std::string& marker, const NameFindings& found,
                RunProgress& progress = UnwatchedRun());
