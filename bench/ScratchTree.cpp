#include "ScratchTree.h"

#include <windows.h>

namespace {

bool MakeFile(const std::string& path, const std::string& contents)
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

bool IsDots(const char* name) { return !lstrcmpA(name, ".") || !lstrcmpA(name, ".."); }

// Closes a find handle on every way out.
class FindHandle {
public:
    FindHandle(const std::string& pattern, WIN32_FIND_DATAA& data)
        : handle_(FindFirstFileA(pattern.c_str(), &data))
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
    bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(handle_, &data) != 0; }

private:
    HANDLE handle_;
};

} // namespace

bool CreateScratchTree(const TreeShape& shape, const std::string& root)
{
    bool ok = CreateDirectoryA(root.c_str(), nullptr) != 0;
    ForEachTreeEntry(
        shape, root, [&](const std::string& dir) { ok = CreateDirectoryA(dir.c_str(), nullptr) && ok; },
        [&](const std::string& file, const std::string& contents) { ok = MakeFile(file, contents) && ok; });
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

std::size_t EnumerateWithFind(const std::string& root, const char* probeName)
{
    if (probeName) {
        const std::string probe = root + probeName;
        WIN32_FIND_DATAA found;
        const HANDLE lookup = FindFirstFileA(probe.c_str(), &found);
        if (lookup != INVALID_HANDLE_VALUE)
            FindClose(lookup);
        DeleteFileA(probe.c_str());
    }
    WIN32_FIND_DATAA data;
    FindHandle find(root + "*.*", data);
    if (!find.Valid())
        return 0;
    std::size_t entries = 0;
    do {
        ++entries;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDots(data.cFileName))
            entries += EnumerateWithFind(root + data.cFileName + "\\", probeName);
    } while (find.Next(data));
    return entries;
}
