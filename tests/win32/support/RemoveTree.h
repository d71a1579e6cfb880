#pragma once
// Removes the scratch folders the Win32 tests and the benchmark make on drive C:.
#include <windows.h>

#include <functional>
#include <string>

// Removes dir (with or without its trailing backslash) and everything below it, whatever
// the attributes of its entries. beforeEntering, when given, runs on each directory first.
inline void RemoveTree(std::string dir, const std::function<void(const std::string&)>& beforeEntering = {})
{
    if (!dir.empty() && dir.back() != '\\')
        dir += '\\';
    if (beforeEntering)
        beforeEntering(dir);
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((dir + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = dir + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path, beforeEntering);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(dir.c_str());
}
