#include "ui/InformationViewer.h"

#include "ui/PaneText.h"

#include "engine/EngineError.h"
#include "engine/ThreatCatalogue.h"

namespace {

// The description file by its bare name, from the current directory, else from the
// program's folder; the error names the bare file.
std::unique_ptr<OpenedFile> OpenDescription(PlatformServices& files, const std::string& name,
                                            const std::string& programFolder)
{
    std::unique_ptr<OpenedFile> file = files.Open(name, OpenMode::Read);
    if (!file && !programFolder.empty())
        file = files.Open(programFolder + name, OpenMode::Read);
    if (!file)
        throw CannotOpenFile(name);
    return file;
}

// The start of a file, up to limit bytes; more tells whether the file went on.
std::string ReadStart(OpenedFile& file, const std::string& name, std::size_t limit, bool& more)
{
    std::string bytes(limit + 1, '\0');
    std::size_t done = 0;
    for (std::size_t read = 1; read && done < bytes.size(); done += read)
        if (!file.Read(done, &bytes[done], bytes.size() - done, read))
            throw CannotOpenFile(name);
    more = done > limit;
    bytes.resize(more ? limit : done);
    return bytes;
}

} // namespace

std::string ProgramFolder()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0 || path.size() > 32768)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path.substr(0, path.find_last_of('\\') + 1);
        }
        path.resize(path.size() * 2);   // cut short: a longer path
    }
}

bool ShowThreatInformation(int index, PlatformServices& files, ReportPane& pane, const std::string& programFolder)
{
    const ThreatEntry* entry = FindThreat(index);
    if (!entry)
        return false;
    bool more = false;
    const std::string bytes =
        ReadStart(*OpenDescription(files, entry->infoFile, programFolder), entry->infoFile, InformationShown, more);
    const std::string text = InformationText(bytes, more);
    if (text != pane.Text())
        pane.ReplaceText(text);
    return true;
}
