#pragma once
// Removing the lines that hold a marker from one configuration copy, in place.
#include "cleaning/LineMarker.h"
#include "cleaning/PlatformServices.h"

#include <string>

// Removes from the file at path every line that holds marker and writes the rest back
// with CR LF line ends; a file with no such line is not written. True when lines were
// removed.
//
// From its opening to the end of its new content the copy is held open for readers only,
// so no other program can write it meanwhile. It is rewritten in place (it stays the same
// file, with its owner, rights, attributes and links) behind a rollback journal, reading
// and writing through bounded windows. Throws "Cannot open file <path>" when it cannot be
// read; "Cannot create file <path>" when it needs a purge but is read-only, hidden or
// system, cannot be opened for writing, or no journal can be made for it; "Stream write
// error" when a write fails, after putting the copy back as it was.
bool PurgeLinesOfCopy(PlatformServices& platform, const std::string& path, LineMarker& marker);
