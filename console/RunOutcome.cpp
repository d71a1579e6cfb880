#include "console/RunOutcome.h"

#include <cstdio>

ExitCode ExitCodeOf(const RunOutcome& outcome)
{
    if (outcome.error) return ExitCode::Error;
    if (outcome.logFailed) return ExitCode::Io;
    if (outcome.busy) return ExitCode::Busy;
    if (outcome.stopped) return ExitCode::Stopped;
    if (outcome.failed) return ExitCode::Partial;
    if (outcome.found > outcome.removed) return ExitCode::Found;
    if (outcome.removed) return ExitCode::Removed;
    if (outcome.unsearched || outcome.hivesUnsearched) return ExitCode::Unsearched;
    return ExitCode::Clean;
}

const char* ResultWord(ExitCode code)
{
    switch (code) {
    case ExitCode::Clean: return "clean";
    case ExitCode::Found: return "found";
    case ExitCode::Removed: return "removed";
    case ExitCode::Partial: return "partial";
    case ExitCode::Unsearched: return "unsearched";
    case ExitCode::Stopped: return "stopped";
    case ExitCode::Busy: return "busy";
    case ExitCode::Usage: return "usage";
    case ExitCode::Io: return "io";
    case ExitCode::Error: break;
    }
    return "error";
}

std::string TrailerLine(const RunOutcome& outcome, ExitCode code, std::uint64_t seconds)
{
    return std::string("pelkarin result=") + ResultWord(code) + " exit=" + std::to_string(static_cast<int>(code)) +
           " found=" + std::to_string(outcome.found) + " removed=" + std::to_string(outcome.removed) +
           " failed=" + std::to_string(outcome.failed) + " unsearched=" + std::to_string(outcome.unsearched) +
           " hives_unsearched=" + std::to_string(outcome.hivesUnsearched) + " seconds=" + std::to_string(seconds);
}

std::string HeaderLine(const std::string& version, const std::string& flavour, std::uint64_t now,
                       const std::string& computer, const std::string& user, const std::string& commandLine)
{
    return "== Pelkarin " + version + " " + flavour + " " + IsoUtc(now) + " " + computer + " " + user + " " +
           commandLine;
}

std::string IsoUtc(std::uint64_t fileTime)
{
    // Days since 1601-01-01, then the civil date (Howard Hinnant's days-to-civil, counted
    // from 0000-03-01).
    const std::uint64_t totalSeconds = fileTime / 10000000;
    const unsigned secondOfDay = static_cast<unsigned>(totalSeconds % 86400);
    const long long days = static_cast<long long>(totalSeconds / 86400) + 584694;   // from 0000-03-01
    const long long era = days / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    const unsigned day = static_cast<unsigned>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const unsigned month = static_cast<unsigned>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const long long year = yearOfEra + era * 400 + (month <= 2);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02u:%02u:%02uZ", static_cast<int>(year), month, day,
                  secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}
