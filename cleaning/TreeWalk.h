#pragma once
// The one walk of the drive a run makes: it meets every entry once and keeps the files
// named like any of the names the run looks for, so that the plan's steps act on those
// alone, without looking through the drive again.
#include "cleaning/PlatformServices.h"
#include "engine/DriveFindings.h"
#include "engine/RunProgress.h"
#include "engine/SharedFlags.h"

#include <string>
#include <vector>

// Walks dir (ending with a backslash, "c:\" at the top) and every folder below it,
// depth first with one listing open per level, and compares each entry's long and short
// names with names (UTF-8) as the file system compares them. Returns one NameFindings per
// name, in the order of names. A folder that cannot be listed joins
// flags.UnsearchedFolders; the folders in passOver (full paths ending with a backslash)
// are neither entered nor counted. Each folder entered is told to progress before it is
// listed, and is a safe point: a stop asked for throws RunStopped there, closing every
// listing on the way out.
std::vector<NameFindings> WalkDrive(PlatformServices& platform, const std::string& dir,
                                    const std::vector<std::string>& names, const std::vector<std::string>& passOver,
                                    SharedFlags& flags, RunProgress& progress = UnwatchedRun());

// Every directory is entered whatever its other attributes (read-only, hidden, system...),
// except "." and ".." and links (junctions, symbolic links, mount points), which could
// loop or lead off the drive.
bool IsEnterableDirectory(const FindEntry& entry);

std::string SubdirectoryPath(const std::string& dir, const std::string& entryName);

// Whether a file the walk met at path is still one when its step comes: false once it is
// gone or a folder has taken its name; true also when its folder cannot be looked into.
bool StillAFile(PlatformServices& platform, const std::string& path);
