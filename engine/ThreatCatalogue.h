#pragma once
// The five infections the tool removes, in the order of the window's selector.
#include <string>
#include <vector>

enum class PlanKind { MircWorm, ResidentBackdoor };

struct ConfigPurge {
    std::string file;
    std::string marker;
};

struct ThreatEntry {
    std::string listText;
    std::string infoFile;
    PlanKind kind = PlanKind::MircWorm;
    // mIRC worm rows
    std::vector<ConfigPurge> configPurges;
    // both kinds
    std::vector<std::string> filesToDelete;
    // resident backdoor rows
    std::vector<std::string> processes;
    std::string foundLine;
    std::string notFoundLine;
    std::string notFoundSearchedLine;   // the same where some folders could not be searched
    std::string residentFile;
    std::string startupValue;
};

constexpr const char* DriveRoot = "c:\\";

const std::vector<ThreatEntry>& ThreatCatalogue();

// The row at a selector index, or null when the index names none (-1: nothing selected).
const ThreatEntry* FindThreat(int index);
