#pragma once
// The depth-first walk shared by the file sweep and the configuration purge: it looks
// for one file name in a directory and in every directory below it.
#include "cleaning/PlatformServices.h"
#include "engine/RunProgress.h"

#include <string>

class TreeVisitor {
public:
    virtual ~TreeVisitor() = default;
    // dir holds an entry matching the name; entry is what the pattern lookup returned.
    // The walk then goes on into dir's subdirectories.
    virtual void Found(const std::string& dir, const FindEntry& entry) = 0;
    // Called once per listed directory without the name, after its first entry has been
    // visited.
    virtual void AfterFirstEntry(const std::string& /*dir*/) {}
    // dir could not be looked into or listed: what lies below it stays unsearched.
    virtual void Unsearched(const std::string& dir) = 0;
};

// dir ends with a backslash ("c:\" at the top); name is a bare file name. Each folder
// entered is told to progress before anything is done in it, and is a safe point: a
// stop asked for throws RunStopped there, closing every listing on the way out.
void WalkTree(PlatformServices& platform, const std::string& dir, const std::string& name,
              TreeVisitor& visitor, RunProgress& progress = UnwatchedRun());

// Every directory is entered whatever its other attributes (read-only, hidden, system...),
// except "." and ".." and links (junctions, symbolic links, mount points), which could
// loop or lead off the drive.
bool IsEnterableDirectory(const FindEntry& entry);

std::string SubdirectoryPath(const std::string& dir, const std::string& entryName);
