#include "bench/ScratchTree.h"

#include <windows.h>

bool MakeScratchFile(const std::string& path, const std::string& contents)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = contents.empty()
                    || (WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr)
                        && written == contents.size());
    CloseHandle(file);
    return ok;
}

namespace {

bool IsDots(const wchar_t* name) { return !lstrcmpW(name, L".") || !lstrcmpW(name, L".."); }

// Closes a find handle on every way out.
class FindHandle {
public:
    FindHandle(const std::wstring& pattern, WIN32_FIND_DATAW& data)
        : handle_(FindFirstFileW(pattern.c_str(), &data))
    {
    }
    ~FindHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(handle_, &data) != 0; }

private:
    HANDLE handle_;
};

} // namespace

bool CreateScratchTree(const TreeShape& shape, const std::string& root)
{
    bool ok = CreateDirectoryA(root.c_str(), nullptr) != 0;
    ForEachTreeEntry(
        shape, root, [&](const std::string& dir) { ok = CreateDirectoryA(dir.c_str(), nullptr) && ok; },
        [&](const std::string& file, const std::string& contents) { ok = MakeScratchFile(file, contents) && ok; });
    return ok;
}

bool CreateDirectoryChain(const std::string& root, int depth)
{
    if (!CreateDirectoryA(root.c_str(), nullptr))
        return false;
    std::string dir = root;
    for (int level = 0; level < depth; ++level) {
        dir += "d\\";
        if (!CreateDirectoryA(dir.c_str(), nullptr))
            return false;
    }
    return true;
}

namespace {

// root is a \\?\ path ending with a backslash, as the program's own calls take it.
std::size_t EnumerateWide(const std::wstring& root)
{
    WIN32_FIND_DATAW data;
    FindHandle find(root + L"*.*", data);
    if (!find.Valid())
        return 0;
    std::size_t entries = 0;
    do {
        ++entries;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
            !IsDots(data.cFileName))
            entries += EnumerateWide(root + data.cFileName + L"\\");
    } while (find.Next(data));
    return entries;
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

} // namespace

std::size_t EnumerateWithFind(const std::string& root)
{
    return EnumerateWide(L"\\\\?\\" + Wide(root));
}
