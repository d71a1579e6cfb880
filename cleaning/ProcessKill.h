#pragma once
// Terminating running processes by image name.
#include "cleaning/PlatformServices.h"
#include "engine/SharedFlags.h"

#include <string>

// Terminates every running process whose image is imageName, in snapshot order; a
// process matches when the file-name part of its executable text (what follows the last
// "\" or ":"), or else the whole text, equals imageName with the ASCII letters a to z
// upper-cased on both sides. A process that cannot be opened or ended is passed over, and
// counted as failed.
ItemCounts KillProcessByName(PlatformServices& platform, const std::string& imageName);

// Whether a process's executable text (as ProcessEntry::exe holds it) names imageName.
bool ImageNameMatches(const std::string& exe, const std::string& imageName);
