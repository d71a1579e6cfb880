#include "cleaning/DataRoot.h"

#include "cleaning/MovedAside.h"

#include <algorithm>

namespace {

const char* const RootName = "Pelkarin";

// How many things standing in a folder's way are moved aside before giving up.
constexpr int MostMovedAside = 3;

} // namespace

DataRoot::DataRoot(PlatformServices& platform) : platform_(platform) {}

const std::string& DataRoot::Path()
{
    if (!located_) {
        rights_ = platform_.Rights();
        std::string parent;
        if (rights_ != ProgramRights::Windows9x)
            parent = platform_.DataDirectory(rights_ == ProgramRights::Administrator ? DataFolder::Common
                                                                                     : DataFolder::Local);
        if (parent.empty())
            parent = platform_.WindowsDirectory();
        if (!parent.empty())
            path_ = parent + (parent.back() == '\\' ? "" : "\\") + RootName + "\\";
        located_ = !parent.empty();
    }
    return path_;
}

std::string DataRoot::Folder(const std::string& name)
{
    std::string path = Path();
    if (path.empty() || !Have(path))
        return {};
    for (std::size_t start = 0; start < name.size();) {
        const std::size_t end = std::min(name.find('\\', start), name.size());
        path += name.substr(start, end - start) + "\\";
        if (!Have(path))
            return {};
        start = end + 1;
    }
    return path;
}

bool DataRoot::RemoveEmpty(const std::string& folder)
{
    held_.erase(folder);
    return platform_.RemoveEmptyFolder(folder.substr(0, folder.size() - 1));
}

bool DataRoot::Have(const std::string& path)
{
    if (held_.count(path))
        return true;
    std::unique_ptr<HeldFolder> folder = Acquire(path.substr(0, path.size() - 1));
    if (!folder)
        return false;
    if (rights_ != ProgramRights::Windows9x)
        held_[path] = std::move(folder);
    return true;
}

std::unique_ptr<HeldFolder> DataRoot::Acquire(const std::string& path)
{
    const bool administrator = rights_ == ProgramRights::Administrator;
    const DirectoryAccess access = administrator ? DirectoryAccess::AdministratorsOnly : DirectoryAccess::Inherited;
    for (int movedAside = 0;; ++movedAside) {
        if (platform_.GetAttributes(path) == FileAttr::Invalid)
            platform_.MakeDirectory(path, access);
        std::unique_ptr<HeldFolder> folder = platform_.HoldFolder(path);
        if (folder && (!administrator || folder->AdministratorsOnly()))
            return folder;
        folder.reset();
        // Nothing there that could be moved: it could not be made.
        if (movedAside == MostMovedAside || platform_.GetAttributes(path) == FileAttr::Invalid ||
            MoveAside(platform_, path, path + ".untrusted-").empty())
            return nullptr;
    }
}
