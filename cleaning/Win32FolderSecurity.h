#pragma once
// The security of the program's own folders on the NT family: who the program runs as,
// the access list its folders are made with, and the check that a folder has it.
#include "cleaning/Win32Handles.h"

// Whether the program runs with administrator rights (elevated, where the system
// elevates) or as SYSTEM. False where the system cannot tell (Windows NT 4.0).
bool HasAdministratorRights(const Win32Calls& calls);

// A descriptor that makes a folder Administrators' only: owned by Administrators, its
// access list protected from its parent's and granting everything to Administrators and
// SYSTEM only, passed on to everything made in it. Null when not wanted, or where the
// system cannot make one.
class AdministratorsOnlyDescriptor {
public:
    AdministratorsOnlyDescriptor(const Win32Calls& calls, bool wanted);
    PSECURITY_DESCRIPTOR Get() const { return descriptor_.Get(); }

private:
    LocalMemory descriptor_;
};

// Whether the folder open as folder (with READ_CONTROL) is Administrators' only: owned by
// Administrators or SYSTEM, with a protected access list that lets no other account
// write, delete, delete what it holds, change the list or take the folder over. False
// when its security cannot be read.
bool IsAdministratorsOnly(const Win32Calls& calls, HANDLE folder);
