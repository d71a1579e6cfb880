#include "cleaning/Win32FolderSecurity.h"

#include <cstddef>
#include <cstring>

namespace {

// The two accounts trusted with the program's folders, as the system lays out a SID:
// revision, count of sub-authorities, the authority (NT, 5), the sub-authorities.
alignas(4) const BYTE Administrators[] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0};   // S-1-5-32-544
alignas(4) const BYTE LocalSystem[] = {1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};                     // S-1-5-18

// What no other account may be granted on a trusted folder.
constexpr ACCESS_MASK WriteRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_DELETE_CHILD |
                                    FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                    GENERIC_ALL;

// Whether the SID at sid, with at most room bytes to it, is one of the two.
bool IsTrusted(const BYTE* sid, std::size_t room)
{
    if (room < 8 || room < 8u + 4u * sid[1])
        return false;
    const std::size_t length = 8u + 4u * sid[1];
    return (length == sizeof Administrators && std::memcmp(sid, Administrators, length) == 0) ||
           (length == sizeof LocalSystem && std::memcmp(sid, LocalSystem, length) == 0);
}

// Whether an access list grants the write rights to no account but the two. Only plain
// grants and denials are expected in the lists the program makes.
bool GrantsWritesToOthers(const ACL& list)
{
    const BYTE* const end = reinterpret_cast<const BYTE*>(&list) + list.AclSize;
    const BYTE* at = reinterpret_cast<const BYTE*>(&list) + sizeof(ACL);
    for (WORD i = 0; i < list.AceCount; ++i) {
        if (at + sizeof(ACE_HEADER) > end)
            return true;
        const auto& header = *reinterpret_cast<const ACE_HEADER*>(at);
        if (header.AceSize < sizeof(ACE_HEADER) || at + header.AceSize > end)
            return true;
        if (header.AceType == ACCESS_ALLOWED_ACE_TYPE) {
            const auto& grant = *reinterpret_cast<const ACCESS_ALLOWED_ACE*>(at);
            const std::size_t sidAt = offsetof(ACCESS_ALLOWED_ACE, SidStart);
            if ((grant.Mask & WriteRights) &&
                (header.AceSize < sidAt || !IsTrusted(at + sidAt, header.AceSize - sidAt)))
                return true;
        } else if (header.AceType != ACCESS_DENIED_ACE_TYPE) {
            return true;
        }
        at += header.AceSize;
    }
    return false;
}

} // namespace

bool HasAdministratorRights(const Win32Calls& calls)
{
    for (const BYTE* account : {Administrators, LocalSystem}) {
        BOOL member = FALSE;
        if (calls.CheckTokenMembership(nullptr, const_cast<BYTE*>(account), &member) && member)
            return true;
    }
    return false;
}

AdministratorsOnlyDescriptor::AdministratorsOnlyDescriptor(const Win32Calls& calls, bool wanted)
    : descriptor_(nullptr, calls)
{
    PSECURITY_DESCRIPTOR made = nullptr;
    if (wanted && calls.ConvertStringSecurityDescriptorToSecurityDescriptorW(
                      L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", SDDL_REVISION_1, &made, nullptr))
        descriptor_.Reset(made);
}

bool IsAdministratorsOnly(const Win32Calls& calls, HANDLE folder)
{
    PSID owner = nullptr;
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR made = nullptr;
    if (calls.GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                              nullptr, &list, nullptr, &made) != ERROR_SUCCESS)
        return false;
    const LocalMemory descriptor(made, calls);
    // The control word lies at the same place in every layout of a descriptor. No list
    // at all would grant everything to everybody.
    const WORD control = reinterpret_cast<const SECURITY_DESCRIPTOR_RELATIVE*>(descriptor.Get())->Control;
    return (control & SE_DACL_PROTECTED) && owner && list &&
           IsTrusted(static_cast<const BYTE*>(owner), 8u + 4u * SID_MAX_SUB_AUTHORITIES) && !GrantsWritesToOthers(*list);
}
