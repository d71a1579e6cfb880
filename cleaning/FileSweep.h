#pragma once
// Deleting every copy of an infection's file from a directory tree.
#include "cleaning/PlatformServices.h"
#include "engine/Report.h"
#include "engine/RunProgress.h"
#include "engine/SharedFlags.h"

#include <string>

// Strips hidden, read-only and system (in that order) and deletes the file; true when
// it is gone. A directory or a link (a reparse point) is left untouched (false). An unreadable attribute word reads
// as all bits set, and then nothing can be written or deleted.
bool ForceDeleteFile(PlatformServices& platform, const std::string& path);

// Deletes dir + name wherever the walk finds it below dir (which ends with a
// backslash; both UTF-8). Each deleted copy adds "Fichero del Troyano borrado.", each
// copy that stays adds "No se pudo borrar el fichero del Troyano: <path>" and marks the
// removal as failed; every directory listed without the name sets SearchStatus, every
// directory that cannot be searched joins UnsearchedFolders. The walk reports to progress and stops between folders when
// it asks (TreeWalk.h).
void SearchAndDeleteFile(PlatformServices& platform, Report& report, SharedFlags& flags,
                         const std::string& dir, const std::string& name,
                         RunProgress& progress = UnwatchedRun());
