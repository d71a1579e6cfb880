// The Win32 platform's folders: renaming, holding a folder, the program's rights and the
// system's data folders.
#include "cleaning/Win32FolderSecurity.h"
#include "cleaning/Win32Handles.h"
#include "cleaning/Win32Paths.h"
#include "cleaning/Win32Platform.h"

namespace {

class Win32HeldFolder : public HeldFolder {
public:
    Win32HeldFolder(const Win32Calls& calls, KernelHandle handle, std::wstring volume = {})
        : calls_(calls), handle_(std::move(handle)), volume_(std::move(volume))
    {
    }
    bool AdministratorsOnly() override
    {
        return handle_.Valid() && (!KeepsAccessRights() || IsAdministratorsOnly(calls_, handle_.Get()));
    }

private:
    bool KeepsAccessRights() const
    {
        DWORD flags = 0;
        return volume_.empty() ||
               !calls_.GetVolumeInformationW(volume_.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) ||
               (flags & FILE_PERSISTENT_ACLS);
    }

    const Win32Calls& calls_;
    KernelHandle handle_;   // none on Windows 95/98/Me
    const std::wstring volume_;   // "C:\", or empty where the path names no drive
};

bool IsPlainFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace

bool Win32Platform::Rename(const std::string& from, const std::string& to)
{
    if (wide_ && calls_.MoveFileExW(ExtendedWidePath(from).c_str(), ExtendedWidePath(to).c_str(), 0))
        return true;
    std::string ansiFrom, ansiTo;
    return (!wide_ || WideMissing()) && AnsiPath(from, ansiFrom) && AnsiPath(to, ansiTo) &&
           calls_.MoveFileA(ansiFrom.c_str(), ansiTo.c_str());
}

bool Win32Platform::RemoveEmptyFolder(const std::string& path)
{
    if (wide_ && calls_.RemoveDirectoryW(ExtendedWidePath(path).c_str()))
        return true;
    std::string ansi;
    return (!wide_ || WideMissing()) && AnsiPath(path, ansi) && calls_.RemoveDirectoryA(ansi.c_str());
}

std::unique_ptr<HeldFolder> Win32Platform::HoldFolder(const std::string& path)
{
    // Wine shows a Unix link by its path only; the handle shows a link on Windows.
    if (!IsPlainFolder(GetAttributes(path)))
        return nullptr;
    // Windows 95/98/Me open no folder: there it is only known to be one.
    if (!wide_)
        return std::make_unique<Win32HeldFolder>(calls_, KernelHandle(nullptr, calls_));
    // Without sharing deletion: while it is open nobody renames or deletes it.
    const DWORD access = READ_CONTROL | FILE_READ_ATTRIBUTES, sharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE handle = calls_.CreateFileW(ExtendedWidePath(path).c_str(), access, sharing, nullptr, OPEN_EXISTING, flags,
                                       nullptr);
    std::string ansi;
    if (handle == INVALID_HANDLE_VALUE && WideMissing() && AnsiPath(path, ansi))
        handle = calls_.CreateFileA(ansi.c_str(), access, sharing, nullptr, OPEN_EXISTING, flags, nullptr);
    KernelHandle folder(handle, calls_);
    if (!folder.Valid())
        return nullptr;
    BY_HANDLE_FILE_INFORMATION information;
    if (!calls_.GetFileInformationByHandle(folder.Get(), &information) || !IsPlainFolder(information.dwFileAttributes))
        return nullptr;
    const bool onDrive = path.size() > 2 && path[1] == ':' && path[2] == '\\';
    return std::make_unique<Win32HeldFolder>(calls_, std::move(folder),
                                             onDrive ? std::wstring{wchar_t(path[0]), L':', L'\\'} : std::wstring());
}

ProgramRights Win32Platform::Rights()
{
    if (!wide_)
        return ProgramRights::Windows9x;
    // Wine keeps no owner nor protected access list (every folder reads as its Unix
    // user's, whatever was set), and runs every program with the same Unix rights: an
    // administrator's checks could never pass there, and would guard nothing.
    if (calls_.wine_get_version.Get())
        return ProgramRights::StandardUser;
    return HasAdministratorRights(calls_) ? ProgramRights::Administrator : ProgramRights::StandardUser;
}

std::string Win32Platform::DataDirectory(DataFolder folder)
{
    const int which = folder == DataFolder::Common ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA;
    wchar_t path[MAX_PATH] = {};
    HRESULT result = calls_.SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, path);
    if (result != S_OK)
        result = calls_.ShfolderGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, path);
    return result == S_OK ? Utf8FromWide(path) : std::string();
}
