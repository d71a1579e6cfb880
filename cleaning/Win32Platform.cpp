#include "Win32Platform.h"

#include "EngineError.h"
#include "Win32Handles.h"
#include "Win32Paths.h"
#include "Windows1252.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// A listing by the wide functions, or by the ANSI ones where the wide ones are missing.
class Win32Listing : public FindListing {
public:
    Win32Listing(const Win32Calls& calls, HANDLE handle, bool wide) : calls_(calls), handle_(calls, handle), wide_(wide)
    {
    }
    bool Next(FindEntry& entry) override
    {
        if (wide_) {
            WIN32_FIND_DATAW data;
            if (!calls_.FindNextFileW(handle_.Get(), &data))
                return false;
            entry = {Utf8FromWide(data.cFileName), data.dwFileAttributes};
        } else {
            WIN32_FIND_DATAA data;
            if (!calls_.FindNextFileA(handle_.Get(), &data))
                return false;
            entry = {Utf8FromAnsi(data.cFileName), data.dwFileAttributes};
        }
        return true;
    }

private:
    const Win32Calls& calls_;
    FindHandle handle_;
    const bool wide_;
};

// Whether a wide function failed only because this Windows lacks it (95/98/Me).
bool WideMissing()
{
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
}

class Win32Key : public RegistryKey {
public:
    Win32Key(const Win32Calls& calls, HKEY key) : calls_(calls), key_(calls, key) {}
    DeleteResult DeleteValue(const std::string& name) override
    {
        switch (calls_.RegDeleteValueA(key_.Get(), name.c_str())) {
        case ERROR_SUCCESS: return DeleteResult::Deleted;
        case ERROR_FILE_NOT_FOUND: return DeleteResult::NotFound;
        default: return DeleteResult::Failed;
        }
    }

private:
    const Win32Calls& calls_;
    KeyHandle key_;
};

// A name beside a copy that its rewrite uses for a while: whatever a killed run left
// under it is removed first, and the file is deleted again when the rewrite is done,
// unless kept.
class OwnedName {
public:
    OwnedName(const Win32Calls& calls, std::string path) : calls_(calls), path_(std::move(path))
    {
        calls_.DeleteFileA(path_.c_str());
    }
    OwnedName(const OwnedName&) = delete;
    OwnedName& operator=(const OwnedName&) = delete;
    ~OwnedName()
    {
        if (!kept_)
            calls_.DeleteFileA(path_.c_str());
    }
    const char* Path() const { return path_.c_str(); }
    void Keep() { kept_ = true; }

private:
    const Win32Calls& calls_;
    std::string path_;
    bool kept_ = false;
};

// The new content of a copy, written beside it under a name that tells whose it is.
class TemporaryFile {
public:
    TemporaryFile(const Win32Calls& calls, const std::string& target)
        : calls_(calls), name_(calls, target + ".pelkarin.tmp"), file_(calls)
    {
    }

    // Creates the file for exclusive writing with the given security descriptor (none:
    // the folder's default) and attributes; false when it cannot.
    bool Create(std::vector<BYTE>& security, DWORD attributes)
    {
        SECURITY_ATTRIBUTES rights = {sizeof rights, security.empty() ? nullptr : security.data(), FALSE};
        file_.Reset(calls_.CreateFileA(name_.Path(), GENERIC_WRITE, 0, &rights, CREATE_NEW, attributes, nullptr));
        return file_.Valid();
    }

    // Writes bytes in one call and makes them durable, then closes the file.
    void WriteAndClose(const std::string& bytes)
    {
        DWORD written = 0;
        if (!bytes.empty() &&
            (!calls_.WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
             written != bytes.size()))
            throw StreamWriteError();
        if (!calls_.FlushFileBuffers(file_.Get()))
            throw StreamWriteError();
        file_.Reset();
    }

    const char* Path() const { return name_.Path(); }
    void Keep() { name_.Keep(); }

private:
    const Win32Calls& calls_;
    OwnedName name_;
    KernelHandle file_;
};

constexpr DWORD Unwritable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                             FILE_ATTRIBUTE_DIRECTORY;
static_assert(FileAttr::KeptWhenRewritten == (FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_ENCRYPTED),
              "the attributes a rewrite keeps (encrypted above all: the content must not reach the disk in the clear)");

// The parts of a file's security descriptor that what names; empty where the system
// keeps none (Windows 95/98/Me). False when there is one that cannot be read.
bool SecurityOf(const Win32Calls& calls, const std::string& path, SECURITY_INFORMATION what,
                std::vector<BYTE>& security)
{
    DWORD size = 0;
    security.clear();
    if (calls.GetFileSecurityA(path.c_str(), what, nullptr, 0, &size))
        return true;
    const DWORD error = GetLastError();
    if (error == ERROR_CALL_NOT_IMPLEMENTED || error == ERROR_NOT_SUPPORTED)
        return true;
    if (error != ERROR_INSUFFICIENT_BUFFER)
        return false;
    security.resize(size);
    return calls.GetFileSecurityA(path.c_str(), what, security.data(), size, &size) != FALSE;
}

// Moves the finished temporary over the target in one rename. Windows 95/98/Me have no
// MoveFileEx: there the original goes only once the temporary is complete.
bool MoveOver(const Win32Calls& calls, TemporaryFile& temporary, const std::string& target)
{
    if (calls.MoveFileExA(temporary.Path(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return false;
    if (!calls.DeleteFileA(target.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    if (calls.MoveFileA(temporary.Path(), target.c_str()))
        return true;
    temporary.Keep();   // the original is gone: the temporary now holds the only copy
    return false;
}

} // namespace

Win32Platform::Win32Platform(std::function<void(const std::string&)> showBox, const Win32Calls& calls)
    : showBox_(std::move(showBox)), calls_(calls)
{
}

std::unique_ptr<FindListing> Win32Platform::FindFirst(const std::string& pattern, FindEntry& first,
                                                      bool& unreadable)
{
    WIN32_FIND_DATAW wide;
    HANDLE handle = calls_.FindFirstFileW(ExtendedWidePath(pattern).c_str(), &wide);
    const bool byWide = handle != INVALID_HANDLE_VALUE || !WideMissing();
    if (handle != INVALID_HANDLE_VALUE) {
        first = {Utf8FromWide(wide.cFileName), wide.dwFileAttributes};
    } else if (!byWide) {
        WIN32_FIND_DATAA ansiData;
        std::string ansi;
        if (AnsiPath(pattern, ansi))
            handle = calls_.FindFirstFileA(ansi.c_str(), &ansiData);
        if (handle != INVALID_HANDLE_VALUE)
            first = {Utf8FromAnsi(ansiData.cFileName), ansiData.dwFileAttributes};
    }
    // No match is "file not found" (or "no more files" for an empty root); anything
    // else kept the folder from being looked into.
    const DWORD error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    unreadable = error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES;
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<Win32Listing>(calls_, handle, byWide);
}

std::uint32_t Win32Platform::GetAttributes(const std::string& path)
{
    const DWORD attributes = calls_.GetFileAttributesW(ExtendedWidePath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES || !WideMissing())
        return attributes;
    std::string ansi;
    return AnsiPath(path, ansi) ? calls_.GetFileAttributesA(ansi.c_str()) : INVALID_FILE_ATTRIBUTES;
}

bool Win32Platform::SetAttributes(const std::string& path, std::uint32_t attributes)
{
    if (calls_.SetFileAttributesW(ExtendedWidePath(path).c_str(), attributes))
        return true;
    std::string ansi;
    return WideMissing() && AnsiPath(path, ansi) && calls_.SetFileAttributesA(ansi.c_str(), attributes);
}

bool Win32Platform::RemoveFile(const std::string& path)
{
    // DeleteFile can succeed for a file that stays: an immutable one under Wine, or one
    // another program holds open for deletion (delete pending). Gone is when the name no
    // longer answers at all; a delete-pending file answers "access denied".
    bool deleted = calls_.DeleteFileW(ExtendedWidePath(path).c_str()) != FALSE;
    std::string ansi;
    if (!deleted && WideMissing())
        deleted = AnsiPath(path, ansi) && calls_.DeleteFileA(ansi.c_str());
    if (!deleted)
        return false;
    if (GetAttributes(path) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool Win32Platform::FileExists(const std::string& path)
{
    FindEntry entry;
    bool unreadable = false;
    return FindFirst(path, entry, unreadable) && !(entry.attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Platform::CurrentDirectory()
{
    const DWORD size = calls_.GetCurrentDirectoryW(0, nullptr);
    if (size) {
        std::vector<wchar_t> buffer(size);
        const DWORD length = calls_.GetCurrentDirectoryW(size, buffer.data());
        return length && length < size ? Utf8FromWide(buffer.data()) : std::string();
    }
    if (!WideMissing())
        return {};
    char buffer[MAX_PATH];
    const DWORD length = calls_.GetCurrentDirectoryA(MAX_PATH, buffer);
    return length && length < MAX_PATH ? Utf8FromAnsi(buffer) : std::string();
}

std::string Win32Platform::WindowsDirectory()
{
    wchar_t wide[MAX_PATH] = {};
    const UINT length = calls_.GetWindowsDirectoryW(wide, MAX_PATH);
    if (length && length < MAX_PATH)
        return Utf8FromWide(wide);
    if (length || !WideMissing())
        return {};
    char buffer[256] = {};
    const UINT ansiLength = calls_.GetWindowsDirectoryA(buffer, sizeof buffer);
    return ansiLength && ansiLength < sizeof buffer ? Utf8FromAnsi(buffer) : std::string();
}

std::vector<ProcessEntry> Win32Platform::Processes()
{
    std::vector<ProcessEntry> processes;
    KernelHandle snapshot(calls_, calls_.CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid())
        return processes;
    PROCESSENTRY32 entry;
    // The ANSI Tool Help record of this build's ABI: 296 bytes on 32-bit, 304 on 64-bit.
    static_assert(sizeof entry == (sizeof(void*) == 8 ? 304 : 296), "the ANSI Tool Help record");
    entry.dwSize = sizeof entry;
    for (BOOL more = calls_.Process32First(snapshot.Get(), &entry); more;
         more = calls_.Process32Next(snapshot.Get(), &entry))
        processes.push_back({entry.th32ProcessID, std::string(entry.szExeFile, strnlen(entry.szExeFile, MAX_PATH))});
    return processes;
}

bool Win32Platform::TerminateProcess(std::uint32_t id)
{
    KernelHandle process(calls_, calls_.OpenProcess(PROCESS_TERMINATE, FALSE, id));
    return process.Valid() && calls_.TerminateProcess(process.Get(), 0);
}

OpenedKey Win32Platform::OpenCurrentUserKey(const std::string& path)
{
    HKEY key;
    const LONG result = calls_.RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS)
        return {nullptr, result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND};
    return {std::make_unique<Win32Key>(calls_, key)};
}

bool Win32Platform::ReadWhole(const std::string& path, std::string& bytes) const
{
    KernelHandle file(calls_, calls_.CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    // As many bytes as the file holds when opened and no more: a device never ends.
    DWORD high = 0;
    const DWORD size = calls_.GetFileSize(file.Get(), &high);
    if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high)
        return false;
    bytes.assign(size, '\0');
    DWORD done = 0;
    while (done < size) {
        DWORD read = 0;
        if (!calls_.ReadFile(file.Get(), &bytes[done], std::min<DWORD>(size - done, 1 << 16), &read, nullptr))
            return false;   // never hand back part of a file as the whole
        if (!read)
            break;   // it ended sooner than it said
        done += read;
    }
    bytes.resize(done);
    return true;
}

bool Win32Platform::Holds(const std::string& path, const std::string& expected) const
{
    std::string bytes;
    return ReadWhole(path, bytes) && bytes == expected;
}

std::string Win32Platform::ReadFileBytes(const std::string& utf8Path)
{
    std::string path, bytes;
    if (!AnsiPath(utf8Path, path) || !ReadWhole(path, bytes))
        throw CannotOpenFile(Utf8ToWindows1252BestFit(utf8Path));
    return bytes;
}

bool Win32Platform::ReplaceFileBytes(const std::string& utf8Path, const std::string& original, const std::string& bytes)
{
    std::string path;
    if (!AnsiPath(utf8Path, path))
        throw CannotCreateFile(Utf8ToWindows1252BestFit(utf8Path));
    const DWORD attributes = calls_.GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;   // gone since it was read
    // Windows refuses to create over these; Wine would overwrite them, so check first.
    if (attributes & Unwritable)
        throw CannotCreateFile(path);
    {
        // Refuse up front a copy that another program holds open: it could not be
        // replaced, nor a second name of it removed again.
        const KernelHandle probe(calls_, calls_.CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.Valid())
            throw CannotCreateFile(path);
    }

    // The new content gets the copy's owner, group and access rights, or, where only a
    // privileged user could give it that owner, the access rights alone.
    std::vector<BYTE> security;
    if (!SecurityOf(calls_, path, OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                    security))
        throw CannotCreateFile(path);
    const DWORD kept = (attributes & FileAttr::KeptWhenRewritten) | FILE_ATTRIBUTE_ARCHIVE;
    TemporaryFile fresh(calls_, path);
    if (!fresh.Create(security, kept) &&
        (GetLastError() != ERROR_INVALID_OWNER || !SecurityOf(calls_, path, DACL_SECURITY_INFORMATION, security) ||
         !fresh.Create(security, kept)))
        throw CannotCreateFile(path);
    fresh.WriteAndClose(bytes);

    // A second name for the copy as it stands up to the replace shows afterwards whether
    // another program wrote it after it was read. Without hard links (FAT, Windows
    // 95/98/Me) the copy is compared just before the replace instead.
    OwnedName previous(calls_, path + ".pelkarin.old");
    const bool linked = calls_.CreateHardLinkA(previous.Path(), path.c_str(), nullptr) != FALSE;
    if (!linked && !Holds(path, original))
        return false;
    if (!MoveOver(calls_, fresh, path))
        throw CannotCreateFile(path);
    fresh.Keep();
    if (linked && !Holds(previous.Path(), original)) {
        // Another program's change would be lost: put its version back.
        if (!calls_.MoveFileExA(previous.Path(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            previous.Keep();   // its version lives on there alone
            throw CannotCreateFile(path);
        }
        return false;
    }
    return true;
}

void Win32Platform::ShowInformationBox(const std::string& text)
{
    if (showBox_)
        showBox_(text);
    else
        calls_.MessageBoxA(nullptr, text.c_str(), "Pelkarin", MB_OK);
}
