// Every user's hives under Wine: the loaded ones under HKEY_USERS, and a profile's hive file
// (a Wine text hive, as RegSaveKey writes them) loaded with RegLoadKey for its visit.
#include "cleaning/Win32Platform.h"
#include "console/Win32UserHives.h"
#include "engine/ThreatCatalogue.h"
#include "tests/support/LineReport.h"
#include "tests/ui/ScratchMachine.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char* const Sid = "S-1-5-21-1-2-3-4099";
const char* const BadSid = "S-1-5-21-1-2-3-4098";
const std::string ProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";
const char* const Saved = "Software\\pelkarin-e2e-hive";

void SetProfile(const char* sid, const std::string& folder)
{
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, (ProfileList + sid).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, "ProfileImagePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);
}

// A profile's hive file with the start-up value in its Run key, made from a scratch key.
void SaveProfileHive(const std::string& file)
{
    HKEY run;
    RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(Saved) + "\\" + RunKeyPath).c_str(), 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, &run, nullptr);
    RegSetValueExA(run, "systemtray", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegCloseKey(run);
    HKEY saved;
    RegOpenKeyExA(HKEY_CURRENT_USER, Saved, 0, KEY_ALL_ACCESS, &saved);
    const LONG result = RegSaveKeyA(saved, file.c_str(), nullptr);
    RegCloseKey(saved);
    for (std::string key = std::string(Saved) + "\\" + RunKeyPath; key.size() >= std::strlen(Saved);
         key.erase(key.find_last_of('\\')))
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    if (result != ERROR_SUCCESS)
        throw std::runtime_error("RegSaveKey failed: " + std::to_string(result));
}

struct Profiles {
    Profiles()
    {
        MakeFolders();
        SaveProfileHive(ScratchTree::Path("profile\\NTUSER.DAT"));
        ScratchTree::Write("broken\\NTUSER.DAT", "not a hive");
        SetProfile(Sid, ScratchTree::Path("profile"));
        SetProfile(BadSid, ScratchTree::Path("broken"));
    }
    ~Profiles()
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, (ProfileList + Sid).c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, (ProfileList + BadSid).c_str());
    }
    static void MakeFolders() { CreateDirectoryA(ScratchTree::Path("profile").c_str(), nullptr); }

    ScratchTree scratch;
};

// How many hives the program has loaded now under HKEY_USERS.
int LoadedHives()
{
    int count = 0;
    char name[256];
    for (DWORD i = 0, size = sizeof name; RegEnumKeyExA(HKEY_USERS, i, name, &size, nullptr, nullptr, nullptr,
                                                          nullptr) == ERROR_SUCCESS; ++i, size = sizeof name)
        count += std::string(name).rfind("Pelkarin-" + std::to_string(GetCurrentProcessId()) + "-", 0) == 0;
    return count;
}

} // namespace

TEST(EveryUsersHives, AProfileNotLoadedIsLoadedForItsVisitAndUnloadedAtOnce)
{
    if (GetVersion() & 0x80000000)
        GTEST_SKIP() << "Windows 95/98/Me have no profiles' hives to load";
    // Saving a hive, as loading one, needs the privileges the hives enable.
    Win32Platform platform;
    const std::unique_ptr<UserHives> hives = EveryUsersHives(platform);
    Profiles profiles;
    RunValues run;
    run.Set("systemtray", "systray.exe");
    const std::string profileHive = ScratchTree::Path("profile\\NTUSER.DAT");

    std::vector<std::string> holding;
    std::vector<int> visited;   // the hives loaded by the program at each visit
    unsigned unloaded = hives->ForEach(RunKeyPath, [&](const std::string& hive, OpenedKey& key) {
        std::uint32_t type;
        std::string data;
        if (key.key && key.key->ReadValue("systemtray", type, data))
            holding.push_back(hive);
        visited.push_back(LoadedHives());
    });
    EXPECT_EQ(unloaded, 1u) << "the broken profile";
    EXPECT_EQ(visited.back(), 1) << "the profile's own, at its visit";
    EXPECT_EQ(LoadedHives(), 0) << "unloaded at once";
    ASSERT_EQ(holding.size(), 2u);
    EXPECT_EQ(holding[0].rfind("HKEY_USERS\\S-1-5-", 0), 0u) << "the current user's, loaded";
    EXPECT_EQ(holding[1], profileHive);

    LineReport report;
    SharedFlags flags;
    StartupValueSweep sweep(*hives);
    sweep.Sweep("systemtray", report, flags);
    EXPECT_EQ(flags.Items.removed, 2u);
    EXPECT_EQ(report.lines.back(), "Valor de inicio systemtray eliminado: " + profileHive);
    EXPECT_EQ(sweep.hivesUnsearched, 1u);
    EXPECT_FALSE(RunValues::Has("systemtray"));
}
