#pragma once
// Removing an infection's start-up value from the current user's Run key.
#include "PlatformServices.h"
#include "Report.h"

#include <string>

constexpr const char* RunKeyPath = "software\\microsoft\\windows\\currentversion\\run";

// Deletes valueName from HKCU\<RunKeyPath> and writes the registry lines of the Report;
// when the key cannot be opened with full access, shows "Error abriendo valor del
// registro" instead and writes nothing.
void RemoveStartupValue(PlatformServices& platform, Report& report, const std::string& valueName);
