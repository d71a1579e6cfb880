#pragma once
// What the one walk of the drive a run makes met: for every name the run looks for, the
// files that answer to it, by long or 8.3 short name and without regard to case, as the
// file system answers a lookup. Acting on them is a step of its own, so the same
// findings serve several plans, or can be listed without touching anything.
#include <map>
#include <string>
#include <vector>

struct FoundFile {
    std::string dir;    // the folder that holds it, ending with a backslash (UTF-8)
    std::string name;   // its long name, as the folder lists it (UTF-8)
};

struct NameFindings {
    // In walk order: a folder's file before those of the folders below it.
    std::vector<FoundFile> files;
    // The walk listed a folder that has entries and none of that name.
    bool folderWithout = false;
};

// Keyed by the name as the run asked for it (Windows-1252).
using DriveFindings = std::map<std::string, NameFindings>;
