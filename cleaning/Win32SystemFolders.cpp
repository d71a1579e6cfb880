// The Win32 platform's system folders, and what makes two spellings of a folder one.
#include "cleaning/Sha256.h"
#include "cleaning/Win32Handles.h"
#include "cleaning/Win32Paths.h"
#include "cleaning/Win32Platform.h"

namespace {

// The path without a final backslash, but for a drive's root ("c:\").
std::string WithoutFinalBackslash(std::string path)
{
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

} // namespace

bool Win32Platform::FolderIdentity(const std::string& path, FileIdentity& identity)
{
    const std::string folder = WithoutFinalBackslash(path);
    if (wide_) {
        const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;   // a folder opens only so
        const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        KernelHandle handle(calls_.CreateFileW(ExtendedWidePath(folder).c_str(), FILE_READ_ATTRIBUTES, sharing,
                                               nullptr, OPEN_EXISTING, flags, nullptr),
                            calls_);
        BY_HANDLE_FILE_INFORMATION information;
        if (handle.Valid() && calls_.GetFileInformationByHandle(handle.Get(), &information) &&
            (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            identity = {information.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
            return true;
        }
        if (handle.Valid() || !WideMissing())
            return false;
    }
    // Windows 95/98/Me: the full path in its short form names one folder (its letters
    // upper-cased: the system's folder names are ASCII).
    // Their functions know no \\?\ prefix.
    const bool prefixed = folder.compare(0, 4, "\\\\?\\") == 0 && folder.compare(4, 4, "UNC\\") != 0;
    std::string ansi;
    char full[MAX_PATH], shortPath[MAX_PATH];
    char* name = nullptr;
    if (!AnsiPath(prefixed ? folder.substr(4) : folder, ansi) ||
        !calls_.GetFullPathNameA(ansi.c_str(), MAX_PATH, full, &name))
        return false;
    const DWORD attributes = calls_.GetFileAttributesA(full);
    const DWORD length = calls_.GetShortPathNameA(full, shortPath, MAX_PATH);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) || !length ||
        length >= MAX_PATH)
        return false;
    std::string key = WithoutFinalBackslash(shortPath);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    Sha256 hash;
    hash.Add(key);
    const Sha256Digest digest = hash.Finish();
    identity = {0, 0};
    for (int i = 0; i < 8; ++i)
        identity.index = (identity.index << 8) | digest[i];
    return true;
}

std::vector<std::string> Win32Platform::SystemFolders()
{
    std::vector<std::string> folders;
    wchar_t wide[MAX_PATH] = {};
    UINT length = wide_ ? calls_.GetSystemDirectoryW(wide, MAX_PATH) : 0;
    if (length && length < MAX_PATH) {
        folders.push_back(Utf8FromWide(wide));
    } else {
        char ansi[MAX_PATH] = {};
        length = calls_.GetSystemDirectoryA(ansi, MAX_PATH);
        if (length && length < MAX_PATH)
            folders.push_back(Utf8FromAnsi(ansi));
    }
    // Only 64-bit Windows has a 32-bit system folder; a 32-bit program there reaches the
    // 64-bit one as Sysnative.
    length = calls_.GetSystemWow64DirectoryW(wide, MAX_PATH);
    if (length && length < MAX_PATH) {
        folders.push_back(Utf8FromWide(wide));
        folders.push_back(WithoutFinalBackslash(WindowsDirectory()) + "\\Sysnative");
    }
    return folders;
}
