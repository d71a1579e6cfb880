#include "tests/win32/support/ScratchFiles.h"

#include "tests/win32/support/RemoveTree.h"

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace {

const char* const RunKey = "software\\microsoft\\windows\\currentversion\\run";

void Check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what + " failed, error " + std::to_string(GetLastError()));
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE && handle_)
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

class RunKeyHandle {
public:
    RunKeyHandle() { Check(RegCreateKeyExA(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr) == ERROR_SUCCESS, "RegCreateKeyEx"); }
    ~RunKeyHandle() { RegCloseKey(key_); }
    RunKeyHandle(const RunKeyHandle&) = delete;
    RunKeyHandle& operator=(const RunKeyHandle&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

void MakeDirectory(const std::string& path, std::uint32_t attributes)
{
    Check(CreateDirectoryA(path.c_str(), nullptr) != 0, "CreateDirectory " + path);
    if (attributes)
        Check(SetFileAttributesA(path.c_str(), attributes | FILE_ATTRIBUTE_DIRECTORY) != 0, "SetFileAttributes " + path);
}

void MakeFile(const std::string& path, const std::string& contents, std::uint32_t attributes)
{
    {
        const Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        Check(file.get() != INVALID_HANDLE_VALUE, "CreateFile " + path);
        DWORD written = 0;
        Check(contents.empty() || WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr),
              "WriteFile " + path);
    }
    if (attributes)
        Check(SetFileAttributesA(path.c_str(), attributes) != 0, "SetFileAttributes " + path);
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::uint32_t AttributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

std::string ReadWhole(const std::string& path)
{
    const Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    Check(file.get() != INVALID_HANDLE_VALUE, "CreateFile " + path);
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    Check(bytes.empty() || ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr), "ReadFile " + path);
    return bytes;
}

void RemoveScratchTree(const std::string& root)
{
    RemoveTree(root, [](const std::string& dir) {
        const std::uint32_t attributes = AttributesOf(dir);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SetUnixWritable(dir, true);
    });
}

namespace {

// The Unix path behind a Windows path under Wine; empty elsewhere.
std::string UnixPathOf(const std::string& path)
{
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!unixName)
        return {};
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unixPath = unixName(wide);
    if (!unixPath)
        return {};
    const std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

// Starts a Unix program (Wine starts a program named by its Z: path like any other) and
// waits up to 5 s for done() to hold. False when it cannot start or done() never holds.
// Wine hands back no handles for a Unix program: its process handle is null and its
// thread handle a stray value, whose closing closed another handle of this process (its
// HKEY_CURRENT_USER). Neither is touched.
bool RunUnix(const char* program, const std::string& arguments, const std::function<bool()>& done)
{
    std::string command = std::string(program) + " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    for (int tries = 0; tries < 500; ++tries) {
        if (done())
            return true;
        Sleep(10);
    }
    return false;
}

// A Unix program run on the Unix file behind path, its options before the path.
bool RunOnUnixFile(const char* program, const std::string& options, const std::string& path,
                   const std::function<bool()>& done)
{
    const std::string unixPath = UnixPathOf(path);
    return !unixPath.empty() && RunUnix(program, options + " \"" + unixPath + "\"", done);
}

bool OpensForWriting(const std::string& path)
{
    const Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    return file.get() != INVALID_HANDLE_VALUE;
}

} // namespace

bool RunUnixShell(const std::string& dir, const std::string& script, const std::function<bool()>& done)
{
    const std::string unixDir = UnixPathOf(dir);
    return !unixDir.empty() && RunUnix("Z:\\bin\\sh", "-c \"cd '" + unixDir + "' && " + script + "\"", done);
}

bool SetUnixWritable(const std::string& dir, bool writable)
{
    return RunOnUnixFile("Z:\\bin\\chmod", writable ? "u+w" : "a-w", dir,
                         [&] { return ((AttributesOf(dir) & FILE_ATTRIBUTE_READONLY) == 0) == writable; });
}

bool SetUnixLink(const std::string& path, const std::string& unixTarget, bool present)
{
    const auto there = [&] {
        WIN32_FIND_DATAA data;
        const HANDLE find = FindFirstFileA(path.c_str(), &data);
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
        return find != INVALID_HANDLE_VALUE;
    };
    if (present)
        return RunOnUnixFile("Z:\\bin\\ln", "-s \"" + unixTarget + "\"", path, there);
    return RunOnUnixFile("Z:\\bin\\rm", "-f", path, [&] { return !there(); });
}

int UnixMode(const std::string& path, const char* setFirst)
{
    const std::string out = "c:\\pelkarin-unix-mode.txt";
    DeleteFileA(out.c_str());
    const std::string unixPath = UnixPathOf(path), unixOut = UnixPathOf(out);
    if (unixPath.empty() || unixOut.empty())
        return -1;
    const std::string chmod = setFirst ? std::string("chmod ") + setFirst + " '" + unixPath + "' && " : "";
    const std::string script = chmod + "stat -c %a '" + unixPath + "' > '" + unixOut + ".part' && mv '" + unixOut +
                               ".part' '" + unixOut + "'";
    if (!RunUnix("Z:\\bin\\sh", "-c \"" + script + "\"", [&] { return PathExists(out); }))
        return -1;
    const std::string octal = ReadWhole(out);
    DeleteFileA(out.c_str());
    return static_cast<int>(std::strtol(octal.c_str(), nullptr, 8));
}

bool SetUnixImmutable(const std::string& path, bool immutable)
{
    return RunOnUnixFile("Z:\\usr\\bin\\chattr", immutable ? "+i" : "-i", path,
                         [&] { return OpensForWriting(path) != immutable; });
}

bool ReadRunValue(const std::string& name, std::string& data)
{
    const RunKeyHandle key;
    char buffer[1024];
    DWORD size = sizeof buffer, type = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    data.assign(buffer, size && buffer[size - 1] == '\0' ? size - 1 : size);
    return true;
}

void WriteRunValue(const std::string& name, const std::string& data)
{
    const RunKeyHandle key;
    Check(RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS,
          "RegSetValueEx " + name);
}

void DeleteRunValue(const std::string& name)
{
    const RunKeyHandle key;
    RegDeleteValueA(key.get(), name.c_str());
}
