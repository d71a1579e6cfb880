#pragma once
// The operations a removal plan is made of. Each writes its own Report lines and flags.
#include <string>

class CleaningOperations {
public:
    virtual ~CleaningOperations() = default;
    virtual void SearchAndDeleteFile(const std::string& dir, const std::string& name) = 0;
    virtual bool ForceDeleteFile(const std::string& path) = 0;
    virtual std::string FindOnPath(const std::string& name, const std::string& dirList) = 0;
    virtual void PurgeConfigLines(const std::string& dir, const std::string& fileName,
                                  const std::string& marker) = 0;
    virtual void KillProcessByName(const std::string& imageName) = 0;
    virtual void RemoveStartupValue(const std::string& valueName) = 0;
};
