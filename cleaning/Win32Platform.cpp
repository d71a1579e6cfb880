#include <windows.h>
#include <tlhelp32.h>

#include "Win32Platform.h"

#include "EngineError.h"
#include "Win32Handles.h"

#include <cstring>
#include <utility>

namespace {

class Win32Listing : public FindListing {
public:
    explicit Win32Listing(HANDLE handle) : handle_(handle) {}
    bool Next(FindEntry& entry) override
    {
        WIN32_FIND_DATAA data;
        if (!FindNextFileA(handle_.Get(), &data))
            return false;
        entry = {data.cFileName, data.dwFileAttributes};
        return true;
    }

private:
    FindHandle handle_;
};

class Win32Key : public RegistryKey {
public:
    explicit Win32Key(HKEY key) : key_(key) {}
    Win32Key(const Win32Key&) = delete;
    Win32Key& operator=(const Win32Key&) = delete;
    ~Win32Key() override { RegCloseKey(key_); }
    DeleteResult DeleteValue(const std::string& name) override
    {
        switch (RegDeleteValueA(key_, name.c_str())) {
        case ERROR_SUCCESS: return DeleteResult::Deleted;
        case ERROR_FILE_NOT_FOUND: return DeleteResult::NotFound;
        default: return DeleteResult::Failed;
        }
    }

private:
    HKEY key_;
};

// The Tool Help functions, looked up in kernel32 once: Windows NT 4.0 lacks them.
struct ToolHelp {
    using Snapshot = HANDLE(WINAPI*)(DWORD, DWORD);
    using Walk = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
    Snapshot createSnapshot = nullptr;
    Walk first = nullptr;
    Walk next = nullptr;

    static const ToolHelp& Get()
    {
        static const ToolHelp functions = [] {
            ToolHelp found;
            if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
                found.createSnapshot = reinterpret_cast<Snapshot>(
                    reinterpret_cast<void*>(GetProcAddress(kernel, "CreateToolhelp32Snapshot")));
                found.first = reinterpret_cast<Walk>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32First")));
                found.next = reinterpret_cast<Walk>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32Next")));
            }
            return found;
        }();
        return functions;
    }
    bool Present() const { return createSnapshot && first && next; }
};

// A new file beside the one it will replace, open for exclusive writing; deleted again
// unless kept.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target)
    {
        const std::size_t cut = target.find_last_of("\\:");
        const std::string dir = cut == std::string::npos ? "." : target.substr(0, cut + 1);
        const UINT seed = GetTickCount() ^ (GetCurrentProcessId() << 4);
        for (UINT attempt = 0; attempt < 64; ++attempt) {
            char name[MAX_PATH];
            const UINT unique = (seed + attempt) & 0xFFFF;
            if (!GetTempFileNameA(dir.c_str(), "pkr", unique ? unique : 1, name))
                return;
            file_.Reset(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.Valid()) {
                path_ = name;
                return;
            }
            if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
                return;
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        file_.Reset();
        if (!path_.empty() && !kept_)
            DeleteFileA(path_.c_str());
    }
    bool Created() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

    // Writes bytes in one call and makes them durable, then closes the file.
    void WriteAndClose(const std::string& bytes)
    {
        DWORD written = 0;
        if (!bytes.empty() &&
            (!WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
             written != bytes.size()))
            throw StreamWriteError();
        if (!FlushFileBuffers(file_.Get()))
            throw StreamWriteError();
        file_.Reset();
    }
    void Keep() { kept_ = true; }

private:
    std::string path_;
    KernelHandle file_;
    bool kept_ = false;
};

constexpr DWORD Unwritable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                             FILE_ATTRIBUTE_DIRECTORY;

// Moves the finished temporary over the target in one rename. Windows 95/98/Me have no
// MoveFileEx: there the original goes only once the temporary is complete.
bool MoveOver(TemporaryFile& temporary, const std::string& target)
{
    if (MoveFileExA(temporary.Path().c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return false;
    if (!DeleteFileA(target.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    if (MoveFileA(temporary.Path().c_str(), target.c_str()))
        return true;
    temporary.Keep();   // the original is gone: the temporary now holds the only copy
    return false;
}

} // namespace

Win32Platform::Win32Platform(std::function<void(const std::string&)> showBox) : showBox_(std::move(showBox)) {}

std::unique_ptr<FindListing> Win32Platform::FindFirst(const std::string& pattern, FindEntry& first)
{
    WIN32_FIND_DATAA data;
    HANDLE handle = FindFirstFileA(pattern.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    first = {data.cFileName, data.dwFileAttributes};
    return std::make_unique<Win32Listing>(handle);
}

std::uint32_t Win32Platform::GetAttributes(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

bool Win32Platform::SetAttributes(const std::string& path, std::uint32_t attributes)
{
    return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool Win32Platform::RemoveFile(const std::string& path)
{
    return DeleteFileA(path.c_str()) != FALSE;
}

bool Win32Platform::FileExists(const std::string& path)
{
    WIN32_FIND_DATAA data;
    FindHandle found(FindFirstFileA(path.c_str(), &data));
    return found.Valid() && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Platform::CurrentDirectory()
{
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return length && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string Win32Platform::WindowsDirectory()
{
    char buffer[256] = {};
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    return length && length < sizeof buffer ? std::string(buffer) : std::string();
}

std::vector<ProcessEntry> Win32Platform::Processes()
{
    std::vector<ProcessEntry> processes;
    const ToolHelp& toolHelp = ToolHelp::Get();
    if (!toolHelp.Present())
        return processes;
    KernelHandle snapshot(toolHelp.createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid())
        return processes;
    PROCESSENTRY32 entry;
    // The ANSI Tool Help record of this build's ABI: 296 bytes on 32-bit, 304 on 64-bit.
    static_assert(sizeof entry == (sizeof(void*) == 8 ? 304 : 296), "the ANSI Tool Help record");
    entry.dwSize = sizeof entry;
    for (BOOL more = toolHelp.first(snapshot.Get(), &entry); more; more = toolHelp.next(snapshot.Get(), &entry))
        processes.push_back({entry.th32ProcessID, std::string(entry.szExeFile, strnlen(entry.szExeFile, MAX_PATH))});
    return processes;
}

bool Win32Platform::TerminateProcess(std::uint32_t id)
{
    KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, id));
    return process.Valid() && ::TerminateProcess(process.Get(), 0);
}

std::unique_ptr<RegistryKey> Win32Platform::OpenCurrentUserKey(const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32Key>(key);
}

std::string Win32Platform::ReadFileBytes(const std::string& path)
{
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        throw CannotOpenFile(path);
    std::string bytes;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size != INVALID_FILE_SIZE)
        bytes.reserve(size);
    char chunk[65536];
    DWORD read = 0;
    for (;;) {
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr))
            throw CannotOpenFile(path);   // never hand back part of a file as the whole
        if (!read)
            return bytes;
        bytes.append(chunk, read);
    }
}

void Win32Platform::ReplaceFileBytes(const std::string& path, const std::string& bytes)
{
    // Windows refuses to create over these; Wine would overwrite them, so check first.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & Unwritable)
            throw CannotCreateFile(path);
        // Refuse up front a copy that another program holds open.
        KernelHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.Valid())
            throw CannotCreateFile(path);
    }
    TemporaryFile temporary(path);
    if (!temporary.Created())
        throw CannotCreateFile(path);
    temporary.WriteAndClose(bytes);
    if (!MoveOver(temporary, path))
        throw CannotCreateFile(path);
    temporary.Keep();
}

void Win32Platform::ShowInformationBox(const std::string& text)
{
    if (showBox_)
        showBox_(text);
    else
        MessageBoxA(nullptr, text.c_str(), "Pelkarin", MB_OK);
}
