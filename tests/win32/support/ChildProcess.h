#pragma once
// Starts the test child program (pelkarin_child) and ends it again when destroyed.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <utility>

class ChildProcess {
public:
    // The child copied to exePath and started from there, so it runs under that image name.
    static ChildProcess RunningAs(const std::string& exePath)
    {
        if (!CopyFileA(ChildExe().c_str(), exePath.c_str(), FALSE))
            throw std::runtime_error("cannot copy the child program to " + exePath);
        return ChildProcess(exePath, "sleep");
    }

    enum class Hold { ForWriting, ForReading, SharingDeletion };
    // The child holding path open. For writing: nobody else may write, delete or read it
    // without sharing writing. For reading: nobody else may delete it or open it exclusively.
    // Sharing deletion: a deletion succeeds, but the file stays until the child ends.
    static ChildProcess HoldingFileOpen(const std::string& path, Hold hold = Hold::ForWriting)
    {
        const char* const modes[] = {"write", "read", "delete"};
        return ChildProcess(ChildExe(), "hold \"" + path + "\" " + modes[static_cast<int>(hold)]);
    }

    // The child after it has added line (no blanks) and CR LF at the end of path.
    static ChildProcess Appending(const std::string& path, const std::string& line)
    {
        return ChildProcess(ChildExe(), "append \"" + path + "\" " + line);
    }

    // The child adding count numbered lines to path, one every few milliseconds, from now on.
    static ChildProcess AppendingLines(const std::string& path, int count)
    {
        return ChildProcess(ChildExe(), "appendlines \"" + path + "\" " + std::to_string(count));
    }

    ChildProcess(ChildProcess&& other) noexcept : info_(std::exchange(other.info_, PROCESS_INFORMATION{})) {}
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { End(); }

    DWORD Id() const { return info_.dwProcessId; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    bool WaitForExit(DWORD milliseconds) const { return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0; }

    // The child program's path in Windows form (the build tree is reached through drive Z:).
    static std::string ChildExe()
    {
        std::string path = "Z:" PELKARIN_CHILD_EXE;
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    }

private:
    ChildProcess(const std::string& exe, const std::string& arguments)
    {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
            throw std::runtime_error("cannot create a pipe");
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd;
        startup.hStdError = writeEnd;
        std::string commandLine = "\"" + exe + "\" " + arguments;
        const BOOL started = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                            CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info_);
        CloseHandle(writeEnd);
        std::string said;
        char buffer[64];
        DWORD read = 0;
        while (started && said.find('\n') == std::string::npos && ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read)
            said.append(buffer, read);
        CloseHandle(readEnd);
        if (!started)
            throw std::runtime_error("cannot start " + commandLine);
        if (said.compare(0, 5, "ready") != 0) {
            End();
            throw std::runtime_error(commandLine + " said: " + said);
        }
    }

    void End()
    {
        if (!info_.hProcess)
            return;
        TerminateProcess(info_.hProcess, 0);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
        info_ = {};
    }

    PROCESS_INFORMATION info_ = {};
};
