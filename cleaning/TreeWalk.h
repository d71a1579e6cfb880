#pragma once
// The depth-first walk shared by the file sweep and the configuration purge: it looks
// for one file name in a directory and, where the name is not there, in the plain
// subdirectories below it.
#include "PlatformServices.h"
#include "RunProgress.h"

#include <string>

class TreeVisitor {
public:
    virtual ~TreeVisitor() = default;
    // dir holds an entry matching the name; entry is what the pattern lookup returned.
    // The subdirectories of dir are not searched.
    virtual void Found(const std::string& dir, const FindEntry& entry) = 0;
    // Called once per listed directory, after its first entry has been visited.
    virtual void AfterFirstEntry(const std::string& /*dir*/) {}
};

// dir ends with a backslash ("c:\" at the top); name is a bare file name. Each folder
// entered is told to progress before anything is done in it, and is a safe point: a
// stop asked for throws RunStopped there, closing every listing on the way out.
void WalkTree(PlatformServices& platform, const std::string& dir, const std::string& name,
              TreeVisitor& visitor, RunProgress& progress = UnwatchedRun());

// Entered only when the attribute word is the directory bit alone (or nothing at all):
// read-only, hidden, system, archive... directories are passed over.
bool IsPlainDirectory(const FindEntry& entry);

std::string SubdirectoryPath(const std::string& dir, const std::string& entryName);
