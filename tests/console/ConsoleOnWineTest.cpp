// PelkarinCmd.exe started as a deployment agent starts it, over a drive C: seeded in the
// scratch tree: its exit code, its log and its output, and no window.
#include "cleaning/Win32Platform.h"
#include "tests/ui/ScratchMachine.h"
#include "tests/win32/support/ScratchFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const char* const Infected = "[mirc]\r\nn0=/dcc send mirc.hst\r\nn1=keep\r\n";

struct Finished {
    DWORD code = 0;
    std::string output;   // standard output and error, as written
    bool windowShown = false;
};

std::string BuildFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    for (int level = 0; level < 3; ++level)   // <build>\tests\console\<test>.exe
        folder.erase(folder.find_last_of('\\'));
    return folder;
}

// Read sharing writing: Wine may close the handles a process inherited a moment after it ends.
std::string ReadShared(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    std::string bytes(file == INVALID_HANDLE_VALUE ? 0 : GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
    }
    bytes.resize(read);
    return bytes;
}

// Whether a window of a process was seen on screen.
struct Watch {
    DWORD process;
    bool shown;
};

BOOL CALLBACK NoteShownWindow(HWND window, LPARAM context)
{
    Watch& watch = *reinterpret_cast<Watch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    watch.shown = watch.shown || (owner == watch.process && IsWindowVisible(window));
    return TRUE;
}

// Runs exe with arguments from folder (its current directory), output to a file, watching
// the top-level windows for one of its own until it ends.
Finished RunCmd(const std::string& arguments, const std::string& folder = ScratchTree::Path(""),
               const std::string& exe = BuildFolder() + "\\dist\\PelkarinCmd.exe")
{
    // A file of its own each time: Wine may hold the last one a moment after its writer ended.
    static int runs = 0;
    const std::string outputFile = ScratchTree::Path("output" + std::to_string(++runs) + ".txt");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    std::string commandLine = "\"" + exe + "\" " + arguments;
    PROCESS_INFORMATION info = {};
    const BOOL started = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, folder.c_str(), &startup, &info);
    CloseHandle(output);
    if (!started)
        throw std::runtime_error("cannot start " + commandLine);
    Finished finished;
    Watch watch{info.dwProcessId, false};
    while (WaitForSingleObject(info.hProcess, 20) == WAIT_TIMEOUT)
        EnumWindows(NoteShownWindow, reinterpret_cast<LPARAM>(&watch));
    GetExitCodeProcess(info.hProcess, &finished.code);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    finished.output = ReadShared(outputFile);
    finished.windowShown = watch.shown;
    return finished;
}

std::string LastLine(const std::string& text)
{
    const std::size_t end = text.find_last_not_of("\r\n");
    const std::size_t start = text.find_last_of('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

class ConsoleOnWine : public ::testing::Test {
protected:
    ConsoleOnWine()
    {
        CreateDirectoryA(ScratchTree::Path("logs").c_str(), nullptr);
        ScratchTree::Write("irc\\mirc.ini", Infected);
        ScratchTree::Write("irc\\deep\\mirc.hst", "worm");
        ScratchTree::Write("a\\acdt.dat", "");
    }
    static std::string Log() { return ScratchTree::Path("logs\\run.log"); }
    static std::string LogSwitch() { return "/log:" + Log(); }

    ScratchTree scratch;
};

} // namespace

TEST_F(ConsoleOnWine, AScanChangesNothingAndExits1)
{
    const Finished scan = RunCmd("/scan " + LogSwitch());
    EXPECT_EQ(scan.code, 1u) << scan.output;
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("irc\\mirc.ini")), Infected);
    EXPECT_TRUE(FileExists(ScratchTree::Path("irc\\deep\\mirc.hst")));
    EXPECT_TRUE(FileExists(ScratchTree::Path("a\\acdt.dat")));
    EXPECT_NE(scan.output.find("L\xEDneas infectadas (1): c:\\pelkarin-e2e\\irc\\mirc.ini\r\n"), std::string::npos);
    EXPECT_NE(scan.output.find("Encontrado: c:\\pelkarin-e2e\\irc\\deep\\mirc.hst\r\n"), std::string::npos);

    const std::string log = ReadFileBytes(Log());
    EXPECT_EQ(log.rfind("== Pelkarin ", 0), 0u);
    EXPECT_NE(log.find(scan.output), std::string::npos) << "the log holds the lines printed";
    EXPECT_EQ(LastLine(log).rfind("pelkarin result=found exit=1 found=", 0), 0u) << log;
}

TEST_F(ConsoleOnWine, ACleanExits2AndAppendsItsTrailer)
{
    const Finished clean = RunCmd("/clean /plan:netol /quiet /log:" + ScratchTree::Path("logs\\"));
    EXPECT_EQ(clean.code, 2u);
    EXPECT_EQ(clean.output, "") << "quiet";
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("irc\\mirc.ini")), "[mirc]\r\nn1=keep\r\n");
    EXPECT_FALSE(FileExists(ScratchTree::Path("irc\\deep\\mirc.hst")));

    char computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    const std::string log = ReadFileBytes(ScratchTree::Path("logs\\") + computer + ".log");
    EXPECT_NE(log.find("\r\nNetol \r\nDesinfecci\xF3n del archivo mirc.ini Concluida\r\n"), std::string::npos) << log;
    EXPECT_EQ(LastLine(log).rfind("pelkarin result=removed exit=2 found=2 removed=2 failed=0 unsearched=0 ", 0), 0u)
        << log;
}

TEST_F(ConsoleOnWine, ADeniedRunKeyShowsNoWindowAndExits3)
{
    if (GetVersion() & 0x80000000)
        GTEST_SKIP() << "Windows 95/98/Me keep no access rights on registry keys: the Run key cannot be closed";
    ScratchTree::Write("bin\\systray.exe", "");   // the resident file, in the current directory
    RunValues run;
    run.Set("systemtray", "systray.exe");
    RunKeyDenied denied;
    const Finished clean = RunCmd("/clean /plan:backdoor " + LogSwitch(), ScratchTree::Path("bin"));
    EXPECT_EQ(clean.code, 3u) << clean.output;
    EXPECT_FALSE(clean.windowShown);
    EXPECT_NE(clean.output.find("Error abriendo valor del registro\r\n"), std::string::npos) << clean.output;
}

TEST_F(ConsoleOnWine, WhatTheCommandLineCannotSayExits10BeforeAnyLog)
{
    for (const char* arguments : {"/bogus", "/log:logs\\run.log", "/clean", "/timeout:soon"}) {
        const Finished usage = RunCmd(arguments);
        EXPECT_EQ(usage.code, 10u) << arguments;
        EXPECT_NE(usage.output.find("Uso: PelkarinCmd"), std::string::npos);
    }
    EXPECT_EQ(RunCmd("/?").code, 0u);
    EXPECT_FALSE(FileExists(Log()));
    EXPECT_EQ(RunCmd("/scan /log:" + ScratchTree::Path("logs")).code, 11u) << "a folder where the log would be";
}

TEST_F(ConsoleOnWine, ACleanWhileAnotherRunIsUnderWayExits6)
{
    Win32Platform platform;
    const std::unique_ptr<RunLock> running = platform.TakeRunLock();
    ASSERT_TRUE(running);
    const Finished busy = RunCmd("/clean /plan:netol " + LogSwitch());
    EXPECT_EQ(busy.code, 6u) << busy.output;
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("irc\\mirc.ini")), Infected);
    EXPECT_EQ(LastLine(ReadFileBytes(Log())).rfind("pelkarin result=busy exit=6 ", 0), 0u);
}

TEST_F(ConsoleOnWine, ACrashEndsWithTheTrailerAndExit12)
{
    const Finished crash = RunCmd(LogSwitch(), ScratchTree::Path(""), BuildFolder() + "\\tests\\console\\console_crash.exe");
    EXPECT_EQ(crash.code, 12u);
    EXPECT_FALSE(crash.windowShown);
    EXPECT_EQ(LastLine(ReadFileBytes(Log())).rfind("pelkarin result=error exit=12 ", 0), 0u);
}

TEST_F(ConsoleOnWine, ATimeoutStopsBetweenCopiesAndExits5)
{
    // Enough copies that their purges outlast the second allowed.
    for (int i = 0; i < 1500; ++i)
        ScratchTree::Write("many\\" + std::to_string(i % 30) + "\\" + std::to_string(i) + "\\mirc.ini", Infected);
    const Finished stopped = RunCmd("/clean /plan:netol /timeout:1 " + LogSwitch());
    EXPECT_EQ(stopped.code, 5u);
    int purged = 0;
    for (int i = 0; i < 1500; ++i) {
        const std::string copy =
            ReadFileBytes(ScratchTree::Path("many\\" + std::to_string(i % 30) + "\\" + std::to_string(i) + "\\mirc.ini"));
        EXPECT_TRUE(copy == Infected || copy == "[mirc]\r\nn1=keep\r\n") << i;
        purged += copy != Infected;
    }
    EXPECT_LT(purged, 1500);
    EXPECT_NE(stopped.output.find("Desinfecci\xF3n interrumpida"), std::string::npos);
}
