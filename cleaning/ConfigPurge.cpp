#include "ConfigPurge.h"

#include "EngineError.h"
#include "TextLines.h"
#include "TreeWalk.h"
#include "Windows1252.h"

#include <algorithm>

namespace {

// A marker, Windows-1252 text, looked for in a line as the line is written: in UTF-8
// when the line is well-formed UTF-8 beyond ASCII (as current mIRC writes mirc.ini),
// byte for byte in Windows-1252 otherwise. A stray byte the worm wrote into a UTF-8 file
// makes its line ill-formed, so the marker still matches there.
class Marker {
public:
    explicit Marker(const std::string& windows1252) : windows1252_(windows1252), utf8_(Windows1252ToUtf8(windows1252)) {}

    bool In(const std::string& line) const
    {
        const bool beyondAscii =
            std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
        const bool utf8 = beyondAscii && IsWellFormedUtf8(line);
        return line.find(utf8 ? utf8_ : windows1252_) != std::string::npos;
    }

private:
    std::string windows1252_;
    std::string utf8_;
};

// How many times in all a copy is read and purged when another program keeps changing it
// between the read and the replace.
constexpr int RewriteAttempts = 3;

// Removes from the file at path every line that holds marker and writes the rest back
// with CR LF line ends; a file with no such line is not written. True when lines were
// removed.
bool PurgeLinesOfCopy(PlatformServices& platform, const std::string& path, const Marker& marker)
{
    for (int attempt = 0; attempt < RewriteAttempts; ++attempt) {
        const std::string original = platform.ReadFileBytes(path);
        std::vector<std::string> lines = SplitLines(original);
        std::vector<std::string> kept;
        kept.reserve(lines.size());
        for (std::string& line : lines) {
            if (!marker.In(line))
                kept.push_back(std::move(line));
        }
        if (kept.size() == lines.size())
            return false;
        if (platform.ReplaceFileBytes(path, original, JoinLinesCrLf(kept)))
            return true;
    }
    throw CannotCreateFile(path);
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
            return;   // a folder of that name is no copy; the walk goes on into it
        if (PurgeLinesOfCopy(platform_, dir + fileName_, marker_))
            flags_.InfectionFound = true;
    }

    void Unsearched(const std::string& dir) override { flags_.UnsearchedFolders.insert(dir); }

private:
    PlatformServices& platform_;
    SharedFlags& flags_;
    const std::string& fileName_;
    const Marker marker_;
};

} // namespace

void PurgeConfigLines(PlatformServices& platform, SharedFlags& flags, const std::string& dir,
                      const std::string& fileName, const std::string& marker, RunProgress& progress)
{
    PurgeVisitor visitor(platform, flags, fileName, marker);
    WalkTree(platform, dir, fileName, visitor, progress);
}
