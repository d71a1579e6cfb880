#include "cleaning/PathSearch.h"

#include <algorithm>
#include <vector>

bool NoLeadBytes(unsigned char) { return false; }

namespace {

// Whether the last character of dir is ":" or "\" (a trail byte that happens to have
// one of those values is not).
bool EndsWithDelimiter(const std::string& dir, LeadByteTest isLeadByte)
{
    std::string::size_type i = 0, last = std::string::npos;
    while (i < dir.size()) {
        last = i;
        i += isLeadByte(static_cast<unsigned char>(dir[i])) ? 2 : 1;
    }
    if (last == std::string::npos || last + 1 != dir.size())
        return false;
    return dir[last] == ':' || dir[last] == '\\';
}

// Whether a folder is one of the system's own, by what it is rather than how it is
// spelled. The system folders are looked up at the first question.
class SystemFolderTest {
public:
    explicit SystemFolderTest(PlatformServices& platform) : platform_(platform) {}

    bool Holds(const std::string& folder)
    {
        if (!loaded_) {
            loaded_ = true;
            for (const std::string& path : platform_.SystemFolders()) {
                FileIdentity identity;
                if (platform_.FolderIdentity(path, identity))
                    system_.push_back(identity);
            }
        }
        FileIdentity identity;
        return !system_.empty() && platform_.FolderIdentity(folder, identity) &&
               std::find(system_.begin(), system_.end(), identity) != system_.end();
    }

private:
    PlatformServices& platform_;
    bool loaded_ = false;
    std::vector<FileIdentity> system_;
};

} // namespace

std::string FindOnPath(PlatformServices& platform, const std::string& name,
                       const std::string& dirList, LeadByteTest isLeadByte)
{
    SystemFolderTest systemFolders(platform);
    std::string candidate = name;
    std::string folder;   // the candidate's, empty for the current directory
    std::string::size_type pos = 0;
    const std::string::size_type size = dirList.size();
    while (!platform.FileExists(candidate) ||
           systemFolders.Holds(folder.empty() ? platform.CurrentDirectory() : folder)) {
        while (pos < size && dirList[pos] == ';')
            ++pos;
        if (pos >= size)
            return {};
        const std::string::size_type start = pos;
        while (pos < size && dirList[pos] != ';')
            pos += (isLeadByte(static_cast<unsigned char>(dirList[pos])) && pos + 1 < size) ? 2 : 1;
        folder = dirList.substr(start, pos - start);
        candidate = folder;
        if (!EndsWithDelimiter(candidate, isLeadByte))
            candidate += '\\';
        candidate += name;
    }
    return candidate;
}
