#include "console/Win32UserHives.h"

#include "base/LateBound.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

const char* const ProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
// Where a profile's hive is loaded for its visit, under HKEY_USERS: a name of its own
// each time, as a load that failed may leave its name taken (Wine does).
std::string LoadedName(unsigned attempt)
{
    return "Pelkarin-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt);
}

// The NT family's token functions: Windows 95/98/Me have none.
struct TokenCalls {
    LateBound<decltype(&::OpenProcessToken)> OpenProcessToken{"advapi32.dll", "OpenProcessToken"};
    LateBound<decltype(&::LookupPrivilegeValueA)> LookupPrivilegeValueA{"advapi32.dll", "LookupPrivilegeValueA"};
    LateBound<decltype(&::AdjustTokenPrivileges)> AdjustTokenPrivileges{"advapi32.dll", "AdjustTokenPrivileges"};
};

std::vector<std::string> Subkeys(HKEY key)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0; key; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    return names;
}

class Key {
public:
    Key(HKEY parent, const std::string& path, REGSAM access)
    {
        if (RegOpenKeyExA(parent, path.c_str(), 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~Key() { if (key_) RegCloseKey(key_); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY Get() const { return key_; }


    std::string Text(const char* value) const
    {
        char text[MAX_PATH * 2];
        DWORD size = sizeof text - 1, type = 0;
        if (!key_ || RegQueryValueExA(key_, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
                         ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return {};
        text[size] = '\0';
        char expanded[MAX_PATH * 2];
        const DWORD length = ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
        return length && length <= sizeof expanded ? std::string(expanded) : std::string(text);
    }

private:
    HKEY key_ = nullptr;
};

class AllHives : public UserHives {
public:
    explicit AllHives(Win32Platform& platform) : platform_(platform) { Privileges(true); }
    ~AllHives() override { Privileges(false); }

    unsigned ForEach(const std::string& keyPath,
                     const std::function<void(const std::string& hive, OpenedKey& key)>& visit) override
    {
        const std::vector<std::string> loaded = Subkeys(HKEY_USERS);
        for (const std::string& sid : loaded) {
            OpenedKey key = platform_.OpenKey(HKEY_USERS, sid + "\\" + keyPath);
            visit("HKEY_USERS\\" + sid, key);
        }
        unsigned unloaded = 0;
        const Key profiles(HKEY_LOCAL_MACHINE, ProfileList, KEY_READ);
        for (const std::string& sid : Subkeys(profiles.Get())) {
            if (std::find(loaded.begin(), loaded.end(), sid) != loaded.end())
                continue;
            const std::string folder = Key(profiles.Get(), sid, KEY_READ).Text("ProfileImagePath");
            if (folder.empty())
                continue;
            const std::string hive = folder + (folder.back() == '\\' ? "" : "\\") + "NTUSER.DAT";
            if (GetFileAttributesA(hive.c_str()) == INVALID_FILE_ATTRIBUTES)
                continue;   // a profile never used has no hive yet
            // Unloaded before the next profile, whatever the visit does.
            struct Unload {
                ~Unload() { RegUnLoadKeyA(HKEY_USERS, name.c_str()); }
                const std::string name;
            } loaded{LoadedName(++loads_)};
            if (RegLoadKeyA(HKEY_USERS, loaded.name.c_str(), hive.c_str()) != ERROR_SUCCESS) {
                ++unloaded;
                continue;
            }
            OpenedKey key = platform_.OpenKey(HKEY_USERS, loaded.name + "\\" + keyPath);
            visit(hive, key);
        }
        return unloaded;
    }

private:
    void Privileges(bool enable)
    {
        HANDLE token = nullptr;
        if (!calls_.OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
            return;
        for (const char* name : {SE_BACKUP_NAME, SE_RESTORE_NAME}) {
            TOKEN_PRIVILEGES privileges = {};
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
            if (calls_.LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid))
                calls_.AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        }
        CloseHandle(token);
    }

    Win32Platform& platform_;
    TokenCalls calls_;
    unsigned loads_ = 0;
};

} // namespace

std::unique_ptr<UserHives> EveryUsersHives(Win32Platform& platform)
{
    return std::make_unique<AllHives>(platform);
}

std::unique_ptr<UserHives> HivesForRights(Win32Platform& platform)
{
    if (platform.Rights() == ProgramRights::Administrator)
        return EveryUsersHives(platform);
    return std::make_unique<CurrentUserHive>(platform);
}
