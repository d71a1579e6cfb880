#pragma once
// Folder security answered with descriptors of the test's choosing: Wine keeps neither
// owners nor protected access lists, so the Win32 platform's checks are driven through
// its call table. Descriptors are written in SDDL ("O:BAD:P(A;OICI;FA;;;BA)").
#include "cleaning/Win32Calls.h"

#include <string>

struct ChosenSecurity {
    // What every check of a folder's security finds, and what the next check alone finds
    // when not empty.
    static inline std::wstring always = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
    static inline std::wstring next;

    static DWORD WINAPI GetSecurityInfo(HANDLE, SE_OBJECT_TYPE, SECURITY_INFORMATION, PSID* owner, PSID*, PACL* list,
                                        PACL*, PSECURITY_DESCRIPTOR* descriptor)
    {
        const std::wstring text = next.empty() ? always : next;
        next.clear();
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1, descriptor, nullptr))
            return GetLastError();
        BOOL present = FALSE, defaulted = FALSE;
        GetSecurityDescriptorOwner(*descriptor, owner, &defaulted);
        GetSecurityDescriptorDacl(*descriptor, &present, list, &defaulted);
        if (!present)
            *list = nullptr;
        return ERROR_SUCCESS;
    }

    static BOOL WINAPI IsMember(HANDLE, PSID, PBOOL member)
    {
        *member = TRUE;
        return TRUE;
    }

    static inline std::wstring dataFolder;
    static HRESULT WINAPI DataFolder(HWND, int, HANDLE, DWORD, LPWSTR path)
    {
        lstrcpyW(path, dataFolder.c_str());
        return S_OK;
    }

    static DWORD WINAPI WindowsXp() { return 0x0A280105; }   // 5.1, build 2600

    // The calls of an NT-family Windows (whatever version Wine reports) on which the
    // program runs with administrator rights and finds every data folder at folder, with
    // the security chosen above.
    static Win32Calls AdministratorOn(const std::wstring& folder)
    {
        dataFolder = folder;
        Win32Calls calls;
        calls.GetVersion = WindowsXp;
        calls.wine_get_version = nullptr;
        calls.CheckTokenMembership = IsMember;
        calls.GetSecurityInfo = GetSecurityInfo;
        calls.SHGetFolderPathW = DataFolder;
        return calls;
    }
};
