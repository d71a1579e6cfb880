#pragma once
// Putting something out of the way without deleting it: it is renamed, and kept.
#include "cleaning/PlatformServices.h"

#include <string>

// Renames path to stem + n (stem a full path, such as "c:\dir\rejected-"), n one more than
// the highest number a name stem + n in that folder has, 1 when there is none: never over
// anything. The new path, or empty when the rename failed.
std::string MoveAside(PlatformServices& platform, const std::string& path, const std::string& stem);
