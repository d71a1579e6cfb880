// The platform contract run against the Win32 platform on Wine's real file system,
// registry and processes: a scratch folder on drive C:, a scratch key below HKCU and
// copies of the test child program.
#include "base/WindowsFamily.h"
#include "cleaning/Win32Platform.h"
#include "tests/contract/PlatformContract.h"
#include "tests/win32/support/ChildProcess.h"
#include "tests/win32/support/ChosenSecurity.h"
#include "tests/win32/support/ScratchFiles.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

namespace {

std::wstring Wide(const std::string& utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0],
                                    static_cast<int>(utf8.size()), nullptr, nullptr));
    return utf8;
}

void Check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what + " failed, error " + std::to_string(GetLastError()));
}

DWORD WINAPI TakeRunLockOnce(void* taken)
{
    *static_cast<bool*>(taken) = Win32Platform().TakeRunLock() != nullptr;
    return 0;
}

// A key and everything below it.
void DeleteKeyTree(HKEY parent, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[256];
        for (DWORD size = sizeof name; RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             size = sizeof name)
            DeleteKeyTree(key, name);
        RegCloseKey(key);
    }
    RegDeleteKeyA(parent, path.c_str());
}

// Sets the key's access list: an empty one grants nothing to anybody, none grants all.
bool SetKeyAccess(HKEY parent, const std::string& path, bool open)
{
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, open ? nullptr : &empty, FALSE);
    const bool set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}

class Win32Machine : public ContractMachine {
public:
    Win32Machine()
    {
        Cleanup();
        Check(CreateDirectoryA(Root().c_str(), nullptr) != 0, "CreateDirectory " + Root());
    }
    ~Win32Machine() override
    {
        children_.clear();
        link_.reset();
        ChosenSecurity::next.clear();
        if (!previousDirectory_.empty())
            SetCurrentDirectoryW(previousDirectory_.c_str());
        Cleanup();
    }

    PlatformServices& Platform() override { return platform_; }
    std::string Root() const override { return "c:\\pelkarin-contract\\"; }

    void MakeDirectory(const std::string& path) override
    {
        if (Exists(path))
            return;
        MakeDirectory(path.substr(0, path.rfind('\\')));
        Check(CreateDirectoryW(Wide(path).c_str(), nullptr) != 0, "CreateDirectory " + path);
    }

    void MakeFile(const std::string& path, const std::string& bytes, std::uint32_t attributes) override
    {
        MakeDirectory(path.substr(0, path.rfind('\\')));
        HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        Check(file != INVALID_HANDLE_VALUE, "CreateFile " + path);
        DWORD written = 0;
        const BOOL wrote = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        Check(wrote, "WriteFile " + path);
        if (attributes)
            Check(SetFileAttributesW(Wide(path).c_str(), attributes) != 0, "SetFileAttributes " + path);
    }

    std::string Contents(const std::string& path) override
    {
        HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        Check(file != INVALID_HANDLE_VALUE, "CreateFile " + path);
        std::string bytes(GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        const BOOL done = bytes.empty() || ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
        Check(done, "ReadFile " + path);
        return bytes.substr(0, read);
    }

    bool Exists(const std::string& path) override
    {
        return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string ShortNameOf(const std::string& path) override
    {
        wchar_t shortPath[MAX_PATH];
        Check(GetShortPathNameW(Wide(path).c_str(), shortPath, MAX_PATH) != 0, "GetShortPathName " + path);
        const std::wstring full = shortPath;
        return Utf8(full.substr(full.rfind(L'\\') + 1));
    }

    std::shared_ptr<void> HoldOpen(const std::string& path, Hold how) override
    {
        return std::make_shared<ChildProcess>(ChildProcess::HoldingFileOpen(
            path, how == Hold::Reading ? ChildProcess::Hold::ForReading : ChildProcess::Hold::ForWriting));
    }

    void SetCurrentDirectory(const std::string& path) override
    {
        if (previousDirectory_.empty()) {
            wchar_t previous[MAX_PATH];
            GetCurrentDirectoryW(MAX_PATH, previous);
            previousDirectory_ = previous;
        }
        Check(SetCurrentDirectoryW(Wide(path).c_str()) != 0, "SetCurrentDirectory " + path);
    }

    bool ReachesEveryName() const override { return !IsWindows9x(GetVersion()); }

    bool RunLockFreeElsewhere() override
    {
        bool taken = false;
        const HANDLE thread = CreateThread(nullptr, 0, TakeRunLockOnce, &taken, 0, nullptr);
        Check(thread != nullptr, "CreateThread");
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        return taken;
    }

    PlatformServices& AdministratorPlatform() override { return administrator_; }
    bool KeepsFileSecurity() const override { return !IsWindows9x(GetVersion()); }
    void Distrust(const std::string&, ContractMachine::Untrusted how) override
    {
        ChosenSecurity::next = how == Untrusted::OthersMayWrite ? L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FW;;;BU)"
                                                                : L"O:BUD:P(A;OICI;FA;;;BA)";
    }
    // Wine shows a Unix link to a folder as a link.
    bool LinkInPlaceOf(const std::string& folder) override
    {
        Check(MoveFileA(folder.c_str(), (folder + ".target").c_str()) != 0, "MoveFile " + folder);
        link_ = std::make_unique<UnixLink>(folder, folder.substr(folder.rfind('\\') + 1) + ".target");
        return link_->Made();
    }

    std::string KeyRoot() const override { return "Software\\PelkarinContract"; }

    void SetValue(const std::string& key, const std::string& name, const std::string& data) override
    {
        HKEY handle;
        Check(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) ==
                  ERROR_SUCCESS,
              "RegCreateKeyEx " + key);
        const LONG set = RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                        static_cast<DWORD>(data.size() + 1));
        RegCloseKey(handle);
        Check(set == ERROR_SUCCESS, "RegSetValueEx " + name);
    }

    bool HasValue(const std::string& key, const std::string& name) override
    {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
            return false;
        const bool has = RegQueryValueExA(handle, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(handle);
        return has;
    }

    bool MakeClosedKey(const std::string& key) override
    {
        if (IsWindows9x(GetVersion()))
            return false;   // Windows 95/98/Me keep no access rights on keys
        HKEY handle;
        Check(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) ==
                  ERROR_SUCCESS,
              "RegCreateKeyEx " + key);
        RegCloseKey(handle);
        Check(SetKeyAccess(HKEY_CURRENT_USER, key, false), "RegSetKeySecurity " + key);
        closedKeys_.push_back(key);
        return true;
    }

    std::uint32_t StartProcess(const std::string& exe) override
    {
        children_.push_back(ChildProcess::RunningAs(Root() + exe));
        return children_.back().Id();
    }

    bool WaitForEnd(std::uint32_t id) override
    {
        for (const ChildProcess& child : children_)
            if (child.Id() == id)
                return child.WaitForExit(5000);
        return false;
    }

private:
    void Cleanup()
    {
        for (const std::string& key : closedKeys_)
            SetKeyAccess(HKEY_CURRENT_USER, key, true);
        DeleteKeyTree(HKEY_CURRENT_USER, KeyRoot());
        RemoveScratchTree(Root());
    }

    Win32Platform platform_;
    Win32Platform administrator_{{}, ChosenSecurity::AdministratorOn(Wide(Root() + "data"))};
    std::unique_ptr<UnixLink> link_;
    std::vector<ChildProcess> children_;
    std::wstring previousDirectory_;
    std::vector<std::string> closedKeys_;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Win32, PlatformContract,
                         testing::Values(MachineFactory([] { return std::make_unique<Win32Machine>(); })));
