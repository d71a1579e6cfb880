#pragma once
// Looking a file name up in a semicolon-separated list of directories.
#include "cleaning/PlatformServices.h"

#include <string>

// Whether a byte of the ANSI code page opens a double-byte character.
using LeadByteTest = bool (*)(unsigned char);

// Code page 1252 and the other single-byte pages have no lead bytes.
bool NoLeadBytes(unsigned char);

// The bare name first (resolved against the current directory), then each non-empty
// directory of the list joined to the name; the first that exists as a file outside the
// system's own folders (PlatformServices::SystemFolders, compared by identity), as
// composed, or empty. A file there is Windows' own, whatever its name.
std::string FindOnPath(PlatformServices& platform, const std::string& name,
                       const std::string& dirList, LeadByteTest isLeadByte = NoLeadBytes);
