#pragma once
// The operations a removal plan is made of. Each writes its own Report lines and flags.
// Root directories, file names and markers are the catalogue's Windows-1252 texts; paths
// (FindOnPath's directory list and result, ForceDeleteFile's argument) are the system's,
// in UTF-8, as SystemDirectories gives them.
#include "engine/DriveFindings.h"
#include "engine/SharedFlags.h"

#include <string>
#include <vector>

class CleaningOperations {
public:
    virtual ~CleaningOperations() = default;
    // A run begins, before its first action.
    virtual void RunStarts() {}
    // The one walk of a run: lists dir (which ends with a backslash) and every folder below
    // it but links once each, and keeps for each of names the files named so. Folders it
    // cannot look into join UnsearchedFolders.
    virtual DriveFindings WalkDrive(const std::string& dir, const std::vector<std::string>& names) = 0;
    // Deletes the files the walk found for name, as a sweep of the drive for it would.
    virtual void DeleteFound(const std::string& name, const NameFindings& found) = 0;
    // Purges the marker's lines from the copies of fileName the walk found.
    virtual void PurgeFound(const std::string& fileName, const std::string& marker, const NameFindings& found) = 0;
    virtual bool ForceDeleteFile(const std::string& path) = 0;
    virtual std::string FindOnPath(const std::string& name, const std::string& dirList) = 0;
    // A path as a Report line shows it, in Windows-1252.
    virtual std::string ShownPath(const std::string& path) = 0;
    // How many processes of that image were ended, and how many could not be.
    virtual ItemCounts KillProcessByName(const std::string& imageName) = 0;
    virtual void RemoveStartupValue(const std::string& valueName) = 0;
};
