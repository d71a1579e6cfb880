#include "tests/ui/ScratchMachine.h"

#include <sddl.h>

#include <stdexcept>

namespace {

const char* const ScratchRoot = "c:\\pelkarin-e2e";

void MakeFolders(const std::string& path)
{
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

class RunKey {
public:
    explicit RunKey(REGSAM access)
    {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKeyPath, 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~RunKey() { if (key_) RegCloseKey(key_); }
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

ScratchTree::ScratchTree()
{
    RemoveTree(ScratchRoot);
    CreateDirectoryA(ScratchRoot, nullptr);
}

ScratchTree::~ScratchTree()
{
    RemoveTree(ScratchRoot);
}

std::string ScratchTree::Path(const std::string& relative)
{
    return std::string(ScratchRoot) + "\\" + relative;
}

void ScratchTree::Write(const std::string& relative, const std::string& bytes)
{
    WriteFileBytes(Path(relative), bytes);
}

ScratchFile::ScratchFile(const std::string& path, const std::string& bytes) : path_(path)
{
    WriteFileBytes(path, bytes);
}

ScratchFile::~ScratchFile()
{
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    MakeFolders(path);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("Cannot write " + path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("Cannot read " + path);
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

RunValues::~RunValues()
{
    RunKey key(KEY_SET_VALUE);
    for (const std::string& name : names_)
        RegDeleteValueA(key.Get(), name.c_str());
}

void RunValues::Set(const std::string& name, const std::string& data)
{
    RunKey key(KEY_SET_VALUE);
    if (!key.Get() || RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                     static_cast<DWORD>(data.size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("Cannot set the Run value " + name);
    names_.push_back(name);
}

bool RunValues::Has(const std::string& name)
{
    RunKey key(KEY_QUERY_VALUE);
    return key.Get() && RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

namespace {

const char* const DesktopKey = "Control Panel\\Desktop";
const char* const LogPixels = "LogPixels";

} // namespace

ScreenResolution::ScreenResolution(DWORD dpi)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("Cannot open the desktop's settings");
    DWORD size = sizeof saved_;
    hadValue_ = RegQueryValueExA(key, LogPixels, nullptr, nullptr, reinterpret_cast<BYTE*>(&saved_), &size) ==
                ERROR_SUCCESS;
    const LONG set = RegSetValueExA(key, LogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
    if (set != ERROR_SUCCESS)
        throw std::runtime_error("Cannot set the screen's resolution");
}

ScreenResolution::~ScreenResolution()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (hadValue_)
        RegSetValueExA(key, LogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&saved_), sizeof saved_);
    else
        RegDeleteValueA(key, LogPixels);
    RegCloseKey(key);
}

RunKeyDenied::RunKeyDenied()
{
    RunKey key(READ_CONTROL | WRITE_DAC);
    DWORD size = 0;
    RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    savedSecurity_.resize(size);
    if (RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, savedSecurity_.data(), &size) != ERROR_SUCCESS)
        throw std::runtime_error("Cannot read the Run key's security");
    PSECURITY_DESCRIPTOR denied = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(D;;GA;;;WD)", SDDL_REVISION_1, &denied, nullptr);
    const LONG result = RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, denied);
    LocalFree(denied);
    if (result != ERROR_SUCCESS)
        throw std::runtime_error("Cannot deny the Run key");
}

RunKeyDenied::~RunKeyDenied()
{
    RunKey key(WRITE_DAC);
    RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, savedSecurity_.data());
}

ChildProcess StartCopyAs(const std::string& folder, const std::string& imageName)
{
    const std::string path = folder + "\\" + imageName;
    MakeFolders(path);
    return ChildProcess::RunningAs(path);
}
