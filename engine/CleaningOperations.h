#pragma once
// The operations a removal plan is made of. Each writes its own Report lines and flags.
// Root directories, file names and markers are the catalogue's Windows-1252 texts; paths
// (FindOnPath's directory list and result, ForceDeleteFile's argument) are the system's,
// in UTF-8, as SystemDirectories gives them.
#include <string>

class CleaningOperations {
public:
    virtual ~CleaningOperations() = default;
    virtual void SearchAndDeleteFile(const std::string& dir, const std::string& name) = 0;
    virtual bool ForceDeleteFile(const std::string& path) = 0;
    virtual std::string FindOnPath(const std::string& name, const std::string& dirList) = 0;
    // A path as a Report line shows it, in Windows-1252.
    virtual std::string ShownPath(const std::string& path) = 0;
    virtual void PurgeConfigLines(const std::string& dir, const std::string& fileName,
                                  const std::string& marker) = 0;
    virtual void KillProcessByName(const std::string& imageName) = 0;
    virtual void RemoveStartupValue(const std::string& valueName) = 0;
};
