#include "console/Win32ConsoleProgram.h"

#include "cleaning/Win32Platform.h"
#include "cleaning/Win32Redirection.h"
#include "cleaning/Windows1252.h"
#include "console/Win32ConsoleOutput.h"
#include "console/Win32NoWindows.h"
#include "console/Win32StopRequests.h"
#include "console/Win32UserHives.h"
#include "res/PelkarinVersion.h"

#include <windows.h>

#include <memory>

namespace {

#ifdef _WIN64
const char* const Flavour = "win64";
#else
const char* const Flavour = "win32";
#endif
const char* const DefaultLogName = "Pelkarin.log";

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string("?");
}

std::string UserName()
{
    char name[257];
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? std::string(name) : std::string("?");
}

// What a run has done so far, for the last words of a crash.
struct RunState {
    RunLog* log = nullptr;
    RunOutcome outcome;
    PlatformServices* platform = nullptr;
    std::uint64_t start = 0;

    std::uint64_t Seconds() const { return (platform->Now() - start) / 10000000; }
    // The trailer, whatever the run came to; the exit code it gives.
    ExitCode Close()
    {
        ExitCode code = ExitCodeOf(outcome);
        log->Line(TrailerLine(outcome, code, Seconds()));
        if (!log->Flush() && code != ExitCode::Error)
            code = ExitCode::Io;
        return code;
    }
};

RunState TheRun;

void WriteCrashTrailer()
{
    if (!TheRun.log)
        return;
    TheRun.log->Line("Error: excepci\xF3n no controlada");
    TheRun.outcome.error = true;
    TheRun.Close();
}

int Run(const ConsoleOptions& options, const PlanRunner& runPlans)
{
    const ConsoleOutput out(STD_OUTPUT_HANDLE, options.quiet);
    const ConsoleOutput errors(STD_ERROR_HANDLE, options.quiet);
    StopRequests stops;
    ConsoleLines lines([&out](const std::string& line) { out.Line(line); });
    // The information box of the window's plans is a line here: nobody could close it.
    Win32Platform platform([&lines](const std::string& text) { lines.Append(text); });
    SharedFlags flags;
    ConsoleProgress progress(platform, options.timeoutSeconds, stops.Asked());
    SystemCleaning cleaning(platform, lines, flags, progress);
    TheRun.platform = &platform;
    TheRun.start = platform.Now();

    // The log first: a run that cannot leave its record examines nothing.
    const std::string computer = ComputerName();
    std::string logPath = Windows1252ToUtf8(LogFileName(options.logPath, computer));
    if (logPath.empty()) {
        const std::string root = cleaning.Data().Folder("");
        logPath = root.empty() ? root : root + DefaultLogName;
    }
    std::unique_ptr<RunLog> log;
    try {
        if (logPath.empty())
            throw std::runtime_error("No hay carpeta de datos para el registro");
        log = std::make_unique<RunLog>(platform, logPath);
    } catch (const std::exception& error) {
        errors.Line(error.what());
        return static_cast<int>(ExitCode::Io);
    }
    lines.LogTo(*log);
    TheRun.log = log.get();
    log->Line(HeaderLine(PELKARIN_VERSION_TEXT, Flavour, TheRun.start, computer, UserName(), GetCommandLineA()));

    try {
        const std::unique_ptr<UserHives> hives = HivesForRights(platform);
        const RedirectionOff wholeFileSystem(platform.Calls(), cleaning.Data());
        runPlans(options, platform, cleaning, *hives, lines, flags, progress, TheRun.outcome);
    } catch (const std::exception& error) {
        lines.Append(std::string("Error: ") + error.what());
        TheRun.outcome.error = true;
    } catch (...) {
        lines.Append("Error: excepci\xF3n desconocida");
        TheRun.outcome.error = true;
    }
    TheRun.outcome.logFailed = log->Failed();
    const ExitCode code = TheRun.Close();
    TheRun.log = nullptr;
    stops.RunEnded();
    return static_cast<int>(code);
}

} // namespace

int ConsoleProgram(int argc, char** argv, const PlanRunner& runPlans)
{
    KeepWindowsAway(WriteCrashTrailer, static_cast<unsigned>(ExitCode::Error));
    ConsoleOptions options;
    try {
        options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        ConsoleOutput(STD_ERROR_HANDLE, false).Write(std::string(error.what()) + "\r\n" + UsageText);
        return static_cast<int>(ExitCode::Usage);
    }
    if (options.mode == ConsoleMode::Help) {
        ConsoleOutput(STD_OUTPUT_HANDLE, false).Write(UsageText);
        return 0;
    }
    return Run(options, runPlans);
}
