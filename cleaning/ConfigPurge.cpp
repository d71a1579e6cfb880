#include "ConfigPurge.h"

#include "TextLines.h"
#include "TreeWalk.h"

namespace {

// Removes from the file at path every line that contains marker and writes the rest
// back with CR LF line ends; a file with no such line is not written. True when lines
// were removed.
bool PurgeLinesOfCopy(PlatformServices& platform, const std::string& path, const std::string& marker)
{
    std::vector<std::string> lines = SplitLines(platform.ReadFileBytes(path));
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (std::string& line : lines) {
        if (line.find(marker) == std::string::npos)
            kept.push_back(std::move(line));
    }
    if (kept.size() == lines.size())
        return false;
    platform.ReplaceFileBytes(path, JoinLinesCrLf(kept));
    return true;
}

class PurgeVisitor : public TreeVisitor {
public:
    PurgeVisitor(PlatformServices& platform, SharedFlags& flags, const std::string& fileName,
                 const std::string& marker)
        : platform_(platform), flags_(flags), fileName_(fileName), marker_(marker)
    {
    }

    void Found(const std::string& dir, const FindEntry& entry) override
    {
        if (entry.attributes & FileAttr::Directory)
            return;   // a folder of that name is no copy, and nothing below it is searched
        if (PurgeLinesOfCopy(platform_, dir + fileName_, marker_))
            flags_.InfectionFound = true;
    }

private:
    PlatformServices& platform_;
    SharedFlags& flags_;
    const std::string& fileName_;
    const std::string& marker_;
};

} // namespace

void PurgeConfigLines(PlatformServices& platform, SharedFlags& flags, const std::string& dir,
                      const std::string& fileName, const std::string& marker)
{
    PurgeVisitor visitor(platform, flags, fileName, marker);
    WalkTree(platform, dir, fileName, visitor);
}
