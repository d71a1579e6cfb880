#pragma once
// The users' registry hives a console run looks for a start-up value in.
#include "cleaning/PlatformServices.h"
#include "engine/Report.h"
#include "engine/SharedFlags.h"

#include <functional>
#include <set>
#include <string>

class UserHives {
public:
    virtual ~UserHives() = default;
    // Opens keyPath in each hive in turn and hands it to visit with the hive's name. With
    // administrator rights: every hive under HKEY_USERS ("HKEY_USERS\<SID>"), then every
    // profile's NTUSER.DAT that is not loaded (its path), each loaded only for its visit.
    // Without them: the current user's ("HKEY_CURRENT_USER"). Returns how many profiles
    // could not be loaded.
    virtual unsigned ForEach(const std::string& keyPath,
                             const std::function<void(const std::string& hive, OpenedKey& key)>& visit) = 0;
};

// The current user's hive alone, as a program without administrator rights reaches it.
class CurrentUserHive : public UserHives {
public:
    explicit CurrentUserHive(PlatformServices& platform) : platform_(platform) {}
    unsigned ForEach(const std::string& keyPath,
                     const std::function<void(const std::string& hive, OpenedKey& key)>& visit) override
    {
        OpenedKey key = platform_.OpenCurrentUserKey(keyPath);
        visit("HKEY_CURRENT_USER", key);
        return 0;
    }

private:
    PlatformServices& platform_;
};

// A clean's start-up value in every hive: deleted, with "Valor de inicio <value>
// eliminado: <hive>", or "No se pudo eliminar el valor de inicio <value>: <hive>" where it
// stays or the key is closed to the program. Items are counted in flags, a hive that keeps
// the value once however many plans met it.
class StartupValueSweep {
public:
    explicit StartupValueSweep(UserHives& hives) : hives_(hives) {}
    void Sweep(const std::string& valueName, Report& report, SharedFlags& flags);

    // Profiles that could not be loaded, counted once however many plans met them.
    unsigned hivesUnsearched = 0;

private:
    UserHives& hives_;
    std::set<std::string> failed_;
};
