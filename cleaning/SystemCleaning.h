#pragma once
// The cleaning operations of the removal plans over one set of platform services.
#include "cleaning/DataRoot.h"
#include "cleaning/PathSearch.h"
#include "cleaning/PlatformServices.h"
#include "cleaning/Quarantine.h"
#include "engine/CleaningOperations.h"
#include "engine/Report.h"
#include "engine/RunProgress.h"
#include "engine/SharedFlags.h"

#include <string>
#include <vector>

class SystemCleaning : public CleaningOperations {
public:
    // The walk and the steps acting on what it found report to progress and stop when it
    // asks. The platform's paths are UTF-8, where no byte of a longer character is ";",
    // ":" or "\": the directory list of FindOnPath needs no lead-byte test.
    SystemCleaning(PlatformServices& platform, Report& report, SharedFlags& flags,
                   RunProgress& progress = UnwatchedRun());

    // The walk passes over the program's own folder (Data()), neither entering nor
    // counting it: what the program keeps there is never found again.
    DriveFindings WalkDrive(const std::string& dir, const std::vector<std::string>& names) override;
    void DeleteFound(const std::string& name, const NameFindings& found) override;
    void PurgeFound(const std::string& fileName, const std::string& marker, const NameFindings& found) override;
    bool ForceDeleteFile(const std::string& path) override;
    std::string FindOnPath(const std::string& name, const std::string& dirList) override;
    std::string ShownPath(const std::string& path) override;
    ItemCounts KillProcessByName(const std::string& imageName) override;
    void RemoveStartupValue(const std::string& valueName) override;

    // A new run begins: what it removes goes into a quarantine folder of its own.
    void RunStarts() override;

    // The folder of the program's own files, held for as long as the operations live.
    DataRoot& Data() { return data_; }

private:
    PlatformServices& platform_;
    DataRoot data_;
    Quarantine quarantine_{platform_, data_};
    Report& report_;
    SharedFlags& flags_;
    RunProgress& progress_;
};
