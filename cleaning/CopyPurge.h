#pragma once
// Removing the lines that hold a marker from one configuration copy, in place.
#include "cleaning/DataRoot.h"
#include "cleaning/LineMarker.h"
#include "cleaning/PlatformServices.h"
#include "cleaning/Quarantine.h"

#include <cstdint>
#include <string>

enum class CopyOutcome {
    Clean,       // no line holds the marker: the copy was not written
    Purged,      // the lines that held it are gone
    NotPurged,   // it may still hold them: it could not be read, or not be purged
};

// Removes from the file at path every line that holds marker and writes the rest back
// with CR LF line ends; a file with no such line is not written.
//
// From its opening to the end of its new content the copy is held open for readers only,
// so no other program can write it meanwhile. It is rewritten in place (it stays the same
// file, with its owner, rights, attributes and links) behind a rollback journal in the
// data root, reading and writing through bounded windows; a write that fails puts it back
// as it was. A copy another program holds open is tried again for up to 2 seconds, while
// the run has waited less than 10 seconds in all (runWaited, in milliseconds, counts it).
// A read-only, hidden or system copy loses those attributes for the purge and gets them
// back afterwards. A copy that is a link is never written through.
//
// With a quarantine, the copy's bytes are kept there first (Quarantine::CopyIn); a copy
// that cannot be kept is not purged.
CopyOutcome PurgeLinesOfCopy(PlatformServices& platform, DataRoot& data, const std::string& path, LineMarker& marker,
                             std::uint32_t& runWaited, Quarantine* quarantine = nullptr);
