#pragma once
// How a console run ended: its exit code, the word the log's trailer gives it, and the
// trailer and header lines of each run in the log.
#include <cstdint>
#include <string>

enum class ExitCode {
    Clean = 0,        // nothing found, every folder searched
    Found = 1,        // found by a scan, nothing changed
    Removed = 2,      // found and everything removed
    Partial = 3,      // found, and something could not be removed
    Unsearched = 4,   // nothing found, but some folders or hives could not be searched
    Stopped = 5,      // Ctrl+C, Ctrl+Break, the console closed, or the time allowed spent
    Busy = 6,         // another run or undo is under way on this machine
    Usage = 10,       // the command line was not understood
    Io = 11,          // the log could not be opened or written
    Error = 12,       // an unexpected error
};

struct RunOutcome {
    unsigned found = 0;     // items found, counted once however many plans name them
    unsigned removed = 0;
    unsigned failed = 0;    // found and still there
    unsigned unsearched = 0;         // folders of the drive
    unsigned hivesUnsearched = 0;    // users' registry hives
    bool stopped = false;
    bool busy = false;
    bool logFailed = false;
    bool error = false;
};

// The first that holds of: error, log failed, busy, stopped, something failed, found and
// left alone, removed, something unsearched; clean otherwise.
ExitCode ExitCodeOf(const RunOutcome& outcome);
const char* ResultWord(ExitCode code);

// "pelkarin result=<word> exit=<n> found=... seconds=<n>", ASCII.
std::string TrailerLine(const RunOutcome& outcome, ExitCode code, std::uint64_t seconds);

// "== Pelkarin <version> <flavour> <UTC time> <computer> <user> <command line>".
std::string HeaderLine(const std::string& version, const std::string& flavour, std::uint64_t now,
                       const std::string& computer, const std::string& user, const std::string& commandLine);

// A time in the file system's 100-nanosecond steps since 1601 as ISO 8601 UTC
// ("2026-12-09T06:31:01Z").
std::string IsoUtc(std::uint64_t fileTime);
