#include "cleaning/Win32Platform.h"

#include "base/WindowsFamily.h"
#include "cleaning/Win32FolderSecurity.h"
#include "cleaning/Win32Handles.h"
#include "cleaning/Win32Paths.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

std::uint64_t TimeOf(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FindEntry EntryOf(const WIN32_FIND_DATAW& data)
{
    return {Utf8FromWide(data.cFileName), data.dwFileAttributes, Utf8FromWide(data.cAlternateFileName),
            TimeOf(data.ftLastWriteTime)};
}

FindEntry EntryOf(const WIN32_FIND_DATAA& data)
{
    return {Utf8FromAnsi(data.cFileName), data.dwFileAttributes, Utf8FromAnsi(data.cAlternateFileName),
            TimeOf(data.ftLastWriteTime)};
}

// A listing by the wide functions, or by the ANSI ones.
class Win32Listing : public FindListing {
public:
    Win32Listing(const Win32Calls& calls, HANDLE handle, bool wide) : calls_(calls), handle_(handle, calls), wide_(wide)
    {
    }
    bool Next(FindEntry& entry) override
    {
        if (wide_) {
            WIN32_FIND_DATAW data;
            if (!calls_.FindNextFileW(handle_.Get(), &data))
                return false;
            entry = EntryOf(data);
        } else {
            WIN32_FIND_DATAA data;
            if (!calls_.FindNextFileA(handle_.Get(), &data))
                return false;
            entry = EntryOf(data);
        }
        return true;
    }

private:
    const Win32Calls& calls_;
    FindHandle handle_;
    const bool wide_;
};

class Win32Key : public RegistryKey {
public:
    Win32Key(const Win32Calls& calls, HKEY key) : calls_(calls), key_(key, calls) {}
    DeleteResult DeleteValue(const std::string& name) override
    {
        switch (calls_.RegDeleteValueA(key_.Get(), name.c_str())) {
        case ERROR_SUCCESS: return DeleteResult::Deleted;
        case ERROR_FILE_NOT_FOUND: return DeleteResult::NotFound;
        default: return DeleteResult::Failed;
        }
    }
    bool ReadValue(const std::string& name, std::uint32_t& type, std::string& data) override
    {
        DWORD size = 0, kind = 0;
        if (calls_.RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &kind, nullptr, &size) != ERROR_SUCCESS)
            return false;
        std::vector<BYTE> bytes(size + 1);
        if (calls_.RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &kind, bytes.data(), &size) != ERROR_SUCCESS)
            return false;
        type = kind;
        data.assign(reinterpret_cast<const char*>(bytes.data()), size);
        return true;
    }
    bool WriteValue(const std::string& name, std::uint32_t type, const std::string& data) override
    {
        return calls_.RegSetValueExA(key_.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                     static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    }

private:
    const Win32Calls& calls_;
    KeyHandle key_;
};

// A file open through its handle, read and written at offsets.
class Win32File : public OpenedFile {
public:
    Win32File(const Win32Calls& calls, KernelHandle handle, const BY_HANDLE_FILE_INFORMATION& information)
        : calls_(calls), handle_(std::move(handle)),
          size_((static_cast<std::uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow),
          attributes_(information.dwFileAttributes),
          identity_{information.dwVolumeSerialNumber,
                    (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow}
    {
    }

    std::uint64_t Size() const override { return size_; }
    std::uint32_t Attributes() const override { return attributes_; }
    FileIdentity Identity() const override { return identity_; }

    bool Read(std::uint64_t offset, char* buffer, std::size_t size, std::size_t& read) override
    {
        DWORD done = 0;
        if (!Seek(offset) || !calls_.ReadFile(handle_.Get(), buffer, Part(size), &done, nullptr))
            return false;
        read = done;
        return true;
    }

    bool Write(std::uint64_t offset, const char* data, std::size_t size) override
    {
        if (!Seek(offset))
            return false;
        while (size) {
            DWORD done = 0;
            if (!calls_.WriteFile(handle_.Get(), data, Part(size), &done, nullptr) || !done)
                return false;
            data += done;
            size -= done;
        }
        return true;
    }

    bool Truncate(std::uint64_t size) override { return Seek(size) && calls_.SetEndOfFile(handle_.Get()); }
    bool Flush() override { return calls_.FlushFileBuffers(handle_.Get()) != FALSE; }

    bool Touch() override
    {
        FILETIME now;
        calls_.GetSystemTimeAsFileTime(&now);
        return calls_.SetFileTime(handle_.Get(), nullptr, nullptr, &now) != FALSE;
    }

private:
    static DWORD Part(std::size_t size) { return static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)); }

    bool Seek(std::uint64_t offset)
    {
        LONG high = static_cast<LONG>(offset >> 32);
        SetLastError(NO_ERROR);
        const DWORD low = calls_.SetFilePointer(handle_.Get(), static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN);
        return low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
    }

    const Win32Calls& calls_;
    KernelHandle handle_;
    const std::uint64_t size_;
    const std::uint32_t attributes_;
    const FileIdentity identity_;
};

} // namespace

Win32Platform::Win32Platform(std::function<void(const std::string&)> showBox, const Win32Calls& calls)
    : showBox_(std::move(showBox)), calls_(calls), wide_(!IsWindows9x(calls_.GetVersion()))
{
}

std::unique_ptr<FindListing> Win32Platform::FindFirst(const std::string& pattern, FindEntry& first,
                                                      bool& unreadable)
{
    WIN32_FIND_DATAW wide;
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool byWide = false;
    if (wide_) {
        handle = calls_.FindFirstFileW(ExtendedWidePath(pattern).c_str(), &wide);
        byWide = handle != INVALID_HANDLE_VALUE || !WideMissing();
    }
    if (handle != INVALID_HANDLE_VALUE) {
        first = EntryOf(wide);
    } else if (!byWide) {
        WIN32_FIND_DATAA ansiData;
        std::string ansi;
        if (AnsiPath(pattern, ansi))
            handle = calls_.FindFirstFileA(ansi.c_str(), &ansiData);
        if (handle != INVALID_HANDLE_VALUE)
            first = EntryOf(ansiData);
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
    if (wide_) {
        const DWORD attributes = calls_.GetFileAttributesW(ExtendedWidePath(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES || !WideMissing())
            return attributes;
    }
    std::string ansi;
    return AnsiPath(path, ansi) ? calls_.GetFileAttributesA(ansi.c_str()) : INVALID_FILE_ATTRIBUTES;
}

bool Win32Platform::SetAttributes(const std::string& path, std::uint32_t attributes)
{
    if (wide_) {
        if (calls_.SetFileAttributesW(ExtendedWidePath(path).c_str(), attributes))
            return true;
        if (!WideMissing())
            return false;
    }
    std::string ansi;
    return AnsiPath(path, ansi) && calls_.SetFileAttributesA(ansi.c_str(), attributes);
}

bool Win32Platform::RemoveFile(const std::string& path)
{
    // DeleteFile can succeed for a file that stays: an immutable one under Wine, or one
    // another program holds open for deletion (delete pending). Gone is when the name no
    // longer answers at all; a delete-pending file answers "access denied".
    bool deleted = wide_ && calls_.DeleteFileW(ExtendedWidePath(path).c_str());
    std::string ansi;
    if (!deleted && (!wide_ || WideMissing()))
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
    if (wide_) {
        const DWORD size = calls_.GetCurrentDirectoryW(0, nullptr);
        if (size) {
            std::vector<wchar_t> buffer(size);
            const DWORD length = calls_.GetCurrentDirectoryW(size, buffer.data());
            return length && length < size ? Utf8FromWide(buffer.data()) : std::string();
        }
        if (!WideMissing())
            return {};
    }
    char buffer[MAX_PATH];
    const DWORD length = calls_.GetCurrentDirectoryA(MAX_PATH, buffer);
    return length && length < MAX_PATH ? Utf8FromAnsi(buffer) : std::string();
}

std::string Win32Platform::WindowsDirectory()
{
    if (wide_) {
        wchar_t wide[MAX_PATH] = {};
        const UINT length = calls_.GetWindowsDirectoryW(wide, MAX_PATH);
        if (length && length < MAX_PATH)
            return Utf8FromWide(wide);
        if (length || !WideMissing())
            return {};
    }
    char buffer[256] = {};
    const UINT ansiLength = calls_.GetWindowsDirectoryA(buffer, sizeof buffer);
    return ansiLength && ansiLength < sizeof buffer ? Utf8FromAnsi(buffer) : std::string();
}

std::vector<ProcessEntry> Win32Platform::Processes()
{
    std::vector<ProcessEntry> processes;
    KernelHandle snapshot(calls_.CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0), calls_);
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
    KernelHandle process(calls_.OpenProcess(PROCESS_TERMINATE, FALSE, id), calls_);
    return process.Valid() && calls_.TerminateProcess(process.Get(), 0);
}

OpenedKey Win32Platform::OpenCurrentUserKey(const std::string& path)
{
    return OpenKey(HKEY_CURRENT_USER, path);
}

OpenedKey Win32Platform::OpenKey(HKEY root, const std::string& path)
{
    HKEY key;
    const LONG result = calls_.RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS)
        return {nullptr, result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND};
    return {std::make_unique<Win32Key>(calls_, key)};
}

std::unique_ptr<OpenedFile> Win32Platform::Open(const std::string& path, OpenMode mode, OpenFailure& failure)
{
    const DWORD access = mode == OpenMode::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD disposition = mode == OpenMode::CreateNew ? CREATE_NEW : OPEN_EXISTING;
    // What is written is never reached through a link: the link itself opens, and is
    // refused below.
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (mode == OpenMode::Read ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    // Readers only are let in beside: nobody else writes, renames or deletes it meanwhile.
    HANDLE handle = wide_ ? calls_.CreateFileW(ExtendedWidePath(path).c_str(), access, FILE_SHARE_READ, nullptr,
                                               disposition, flags, nullptr)
                          : INVALID_HANDLE_VALUE;
    std::string ansi;
    // Windows 95/98/Me know no links, nor the flag.
    if (handle == INVALID_HANDLE_VALUE && (!wide_ || WideMissing()) && AnsiPath(path, ansi))
        handle = calls_.CreateFileA(ansi.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    KernelHandle file(handle, calls_);
    failure = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? OpenFailure::InUse : OpenFailure::Other;
    if (!file.Valid())
        return nullptr;
    // The size it has when opened: a device says 0 and is read no further. A device has
    // no file information either: its attribute word then reads as unknown.
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!calls_.GetFileInformationByHandle(file.Get(), &information)) {
        information.dwFileAttributes = INVALID_FILE_ATTRIBUTES;
        information.nFileSizeLow = calls_.GetFileSize(file.Get(), &information.nFileSizeHigh);
        if (information.nFileSizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
            return nullptr;
    }
    // Wine opens what a Unix link leads to, but shows the link by its path.
    const auto isLink = [](DWORD attributes) {
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    };
    if (mode != OpenMode::Read && (isLink(information.dwFileAttributes) || isLink(GetAttributes(path)))) {
        failure = OpenFailure::ReparsePoint;
        return nullptr;
    }
    failure = OpenFailure::None;
    return std::make_unique<Win32File>(calls_, std::move(file), information);
}

bool Win32Platform::MakeDirectory(const std::string& path, DirectoryAccess access)
{
    // Made with its access list from the start: no moment in which others could write in it.
    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, FALSE};
    const AdministratorsOnlyDescriptor descriptor(calls_, access == DirectoryAccess::AdministratorsOnly);
    security.lpSecurityDescriptor = descriptor.Get();
    if (access == DirectoryAccess::AdministratorsOnly && !descriptor.Get())
        return false;
    bool made = wide_ && calls_.CreateDirectoryW(ExtendedWidePath(path).c_str(), &security);
    std::string ansi;
    if (!made && (!wide_ || WideMissing()) && AnsiPath(path, ansi))
        made = calls_.CreateDirectoryA(ansi.c_str(), &security);
    return made || GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32Platform::ShowInformationBox(const std::string& text)
{
    if (showBox_)
        showBox_(text);
    else
        calls_.MessageBoxA(nullptr, text.c_str(), "Pelkarin", MB_OK);
}

std::uint64_t Win32Platform::Now()
{
    FILETIME now;
    calls_.GetSystemTimeAsFileTime(&now);
    return TimeOf(now);
}

void Win32Platform::Sleep(std::uint32_t milliseconds)
{
    calls_.Sleep(milliseconds);
}
