#pragma once
// Removes the scratch folders the Win32 tests and the benchmark make on drive C:.
#include <windows.h>

#include <functional>
#include <string>

namespace RemoveTreeDetail {

inline std::string Ansi(const std::wstring& wide)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &ansi[0], size, nullptr, nullptr);
    return ansi;
}

// dir is a \\?\ path ending with a backslash: any name, any depth.
inline void RemoveWide(const std::wstring& dir, const std::function<void(const std::string&)>& beforeEntering)
{
    if (beforeEntering)
        beforeEntering(Ansi(dir.substr(4)));
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((dir + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = dir + name;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveWide(path + L"\\", beforeEntering);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!DeleteFileW(path.c_str()))
                    RemoveDirectoryW(path.c_str());   // a link to a folder
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(dir.c_str());
}

} // namespace RemoveTreeDetail

// Removes dir (an absolute path, with or without its trailing backslash) and everything
// below it, whatever the attributes, names and depth of its entries. beforeEntering, when
// given, runs on each directory first.
inline void RemoveTree(std::string dir, const std::function<void(const std::string&)>& beforeEntering = {})
{
    if (!dir.empty() && dir.back() != '\\')
        dir += '\\';
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, dir.c_str(), -1, wide, MAX_PATH);
    RemoveTreeDetail::RemoveWide(L"\\\\?\\" + std::wstring(wide), beforeEntering);
}
