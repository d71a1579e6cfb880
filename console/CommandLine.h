#pragma once
// The console program's command line: switches start with "/" or "-" and are read
// without regard to case.
#include "engine/ThreatCatalogue.h"

#include <stdexcept>
#include <string>
#include <vector>

enum class ConsoleMode {
    Scan,      // lists what the plans would act on, changing nothing
    Clean,     // runs the plans
    Restore,   // undoes the last run that changed something
    Help,      // prints the usage
};

struct ConsoleOptions {
    ConsoleMode mode = ConsoleMode::Scan;
    std::vector<const ThreatEntry*> plans;   // in the catalogue's order
    std::string logPath;                     // as given (Windows-1252); empty: the default log
    unsigned timeoutSeconds = 0;             // 0: no limit
    bool quiet = false;
};

// What the command line could not be read as; its message says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// args are the arguments after the program's name.
ConsoleOptions ParseCommandLine(const std::vector<std::string>& args);

// The file a /log: path names: a path ending with "\" is a folder, which holds
// "<computer>.log".
std::string LogFileName(const std::string& logPath, const std::string& computer);

extern const char* const UsageText;
