#pragma once
// What the end-to-end tests seed on the machine and take away again: a scratch tree on
// drive C:, values of the current user's Run key, and child processes under chosen names.
#include "tests/win32/support/ChildProcess.h"
#include "tests/win32/support/RemoveTree.h"

#include <windows.h>

#include <string>
#include <vector>

// c:\pelkarin-e2e, made empty on construction and removed with everything in it.
class ScratchTree {
public:
    ScratchTree();
    ~ScratchTree();
    ScratchTree(const ScratchTree&) = delete;
    ScratchTree& operator=(const ScratchTree&) = delete;

    static std::string Path(const std::string& relative);
    // Writes a file, making its folders.
    static void Write(const std::string& relative, const std::string& bytes);
};

// A file outside the scratch tree that a test makes (or that its program leaves there),
// removed afterwards.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& path) : path_(path) {}
    ScratchFile(const std::string& path, const std::string& bytes);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

private:
    std::string path_;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);   // throws when missing
bool FileExists(const std::string& path);

const char* const RunKeyPath = "software\\microsoft\\windows\\currentversion\\run";

// Values set under HKCU Run for a test; removed again afterwards.
class RunValues {
public:
    RunValues() = default;
    ~RunValues();
    RunValues(const RunValues&) = delete;
    RunValues& operator=(const RunValues&) = delete;

    void Set(const std::string& name, const std::string& data);
    static bool Has(const std::string& name);

private:
    std::vector<std::string> names_;
};

// The Run key closed to everybody (an access-denying DACL) for the object's life.
class RunKeyDenied {
public:
    RunKeyDenied();
    ~RunKeyDenied();
    RunKeyDenied(const RunKeyDenied&) = delete;
    RunKeyDenied& operator=(const RunKeyDenied&) = delete;

private:
    std::vector<BYTE> savedSecurity_;
};

// The screen's resolution the programs started meanwhile see, in dots per inch (Wine's
// LogPixels of the current user); the one before afterwards.
class ScreenResolution {
public:
    explicit ScreenResolution(DWORD dpi);
    ~ScreenResolution();
    ScreenResolution(const ScreenResolution&) = delete;
    ScreenResolution& operator=(const ScreenResolution&) = delete;

private:
    DWORD saved_ = 0;
    bool hadValue_ = false;
};

// The test child program copied to folder\imageName and running under that name.
ChildProcess StartCopyAs(const std::string& folder, const std::string& imageName);
