#pragma once
// A plan's step for one name as a run makes it: the walk of the tree below dir, then the
// step acting on what it found.
#include "engine/CleaningOperations.h"

#include <string>

inline void WalkAndDelete(CleaningOperations& ops, const std::string& dir, const std::string& name)
{
    ops.DeleteFound(name, ops.WalkDrive(dir, {name}).at(name));
}

inline void WalkAndPurge(CleaningOperations& ops, const std::string& dir, const std::string& fileName,
                         const std::string& marker)
{
    ops.PurgeFound(fileName, marker, ops.WalkDrive(dir, {fileName}).at(fileName));
}
