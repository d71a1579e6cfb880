#pragma once
// Every user's registry hive, reached with administrator rights: those loaded under
// HKEY_USERS, and the NTUSER.DAT of each profile that is not, loaded for a moment.
#include "cleaning/Win32Platform.h"
#include "console/UserHives.h"

#include <memory>

// Every user's hives, whatever the program's rights (which loading a profile needs).
std::unique_ptr<UserHives> EveryUsersHives(Win32Platform& platform);

// The hives for the program's rights: every user's with administrator rights (the backup
// and restore privileges enabled while it lives), the current user's alone otherwise.
std::unique_ptr<UserHives> HivesForRights(Win32Platform& platform);
