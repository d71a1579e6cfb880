#pragma once
// Deleting the copies of an infection's file that the walk of the drive met.
#include "cleaning/PlatformServices.h"
#include "engine/DriveFindings.h"
#include "engine/Report.h"
#include "engine/RunProgress.h"
#include "engine/SharedFlags.h"

#include <string>

// Strips hidden, read-only and system (in that order) and deletes the file; true when
// it is gone. A directory or a link (a reparse point) is left untouched (false). An unreadable attribute word reads
// as all bits set, and then nothing can be written or deleted.
bool ForceDeleteFile(PlatformServices& platform, const std::string& path);

// Deletes, in walk order, each file the walk found for name (UTF-8), through its folder's
// path and name. Each deleted copy adds "Fichero del Troyano borrado.", each copy that
// stays adds "No se pudo borrar el fichero del Troyano: <path>" and marks the removal as
// failed; a copy gone since the walk met it is passed over. SearchStatus is set when the
// walk listed a folder without the name. Before each copy comes a safe point (RunStopped).
void DeleteFound(PlatformServices& platform, Report& report, SharedFlags& flags, const std::string& name,
                 const NameFindings& found, RunProgress& progress = UnwatchedRun());
