#pragma once
// Removing an infection's lines from every copy of a configuration file.
#include "PlatformServices.h"
#include "SharedFlags.h"

#include <string>

// Removes from the file at path every line that contains marker (byte for byte, case
// significant) and writes the rest back with CR LF line ends; a file with no such line
// is not written. True when lines were removed. Throws the platform's EngineError.
bool PurgeLinesOfCopy(PlatformServices& platform, const std::string& path, const std::string& marker);

// Purges every copy of fileName that the tree walk finds below dir, setting
// InfectionFound for each copy rewritten.
void PurgeConfigLines(PlatformServices& platform, SharedFlags& flags, const std::string& dir,
                      const std::string& fileName, const std::string& marker);
