#pragma once
// Removing an infection's start-up value from the current user's Run key.
#include "cleaning/PlatformServices.h"
#include "cleaning/Quarantine.h"
#include "engine/Report.h"
#include "engine/SharedFlags.h"

#include <string>

constexpr const char* RunKeyPath = "software\\microsoft\\windows\\currentversion\\run";

// Deletes valueName from HKCU\<RunKeyPath> and writes the registry lines of the Report;
// when the key cannot be opened with full access, shows "Error abriendo valor del
// registro" instead and writes nothing. The value's type and data are recorded in the
// quarantine first; one that cannot be recorded is not deleted. A value that may still be there (the key exists
// but did not open, or the deletion failed) marks the removal as failed.
void RemoveStartupValue(PlatformServices& platform, Quarantine& quarantine, Report& report, SharedFlags& flags,
                        const std::string& valueName);
