#pragma once
// Deleting the copies of an infection's file that the walk of the drive met.
#include "cleaning/PlatformServices.h"
#include "cleaning/Quarantine.h"
#include "engine/DriveFindings.h"
#include "engine/Report.h"
#include "engine/RunProgress.h"
#include "engine/SharedFlags.h"

#include <string>

// Takes the file off the machine into the quarantine, its attributes kept (hidden,
// read-only and system stop no rename); true when it is gone from path. A directory or a
// link (a reparse point) is left untouched (false), and so is a file that cannot be
// quarantined.
bool ForceDeleteFile(PlatformServices& platform, Quarantine& quarantine, const std::string& path);

// Deletes (ForceDeleteFile), in walk order, each file the walk found for name (UTF-8), through its folder's
// path and name. Each deleted copy adds "Fichero del Troyano borrado.", each copy that
// stays adds "No se pudo borrar el fichero del Troyano: <path>" and marks the removal as
// failed; a copy gone since the walk met it is passed over. SearchStatus is set when the
// walk listed a folder without the name. Before each copy comes a safe point (RunStopped).
void DeleteFound(PlatformServices& platform, Quarantine& quarantine, Report& report, SharedFlags& flags, const std::string& name,
                 const NameFindings& found, RunProgress& progress = UnwatchedRun());
