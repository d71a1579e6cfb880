#pragma once
// The state the cleaning operations share with the run for the life of the process.
#include <cstdint>
#include <set>
#include <string>

// What a run did to the items of an infection: files, configuration copies with infected
// lines, the resident file, the processes it names (all but the resident one, whose name
// Windows also has) and start-up values.
struct ItemCounts {
    unsigned removed = 0;
    unsigned failed = 0;   // found and still there
};

struct SharedFlags {
    bool InfectionFound = false;   // something of an infection was found or removed in this run
    bool RemovalFailed = false;    // something of an infection found in this run may still be there
    std::string SearchStatus;      // set by the file sweep, never cleared
    // The folders of the drive this run could not look into, each counted once however
    // many sweeps met it.
    std::set<std::string> UnsearchedFolders;
    // How long this run has waited, in milliseconds, for files other programs held open.
    std::uint32_t InUseWaited = 0;
    // Counted over the whole run, never cleared by it: whoever starts a run clears them.
    ItemCounts Items;
};

// The one instance the program uses.
SharedFlags& ProcessFlags();
