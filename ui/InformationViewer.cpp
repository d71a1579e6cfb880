#include "ui/InformationViewer.h"

#include "ui/PaneText.h"

#include "engine/EngineError.h"
#include "engine/ThreatCatalogue.h"

namespace {

// The start of a file, up to limit bytes; more tells whether the file went on.
std::string ReadStart(PlatformServices& files, const std::string& name, std::size_t limit, bool& more)
{
    const std::unique_ptr<OpenedFile> file = files.Open(name, OpenMode::Read);
    if (!file)
        throw CannotOpenFile(name);
    std::string bytes(limit + 1, '\0');
    std::size_t done = 0;
    for (std::size_t read = 1; read && done < bytes.size(); done += read)
        if (!file->Read(done, &bytes[done], bytes.size() - done, read))
            throw CannotOpenFile(name);
    more = done > limit;
    bytes.resize(more ? limit : done);
    return bytes;
}

} // namespace

void ShowThreatInformation(int index, PlatformServices& files, ReportPane& pane)
{
    const ThreatEntry* entry = FindThreat(index);
    if (!entry)
        return;
    bool more = false;
    const std::string bytes = ReadStart(files, entry->infoFile, InformationShown, more);
    const std::string text = InformationText(bytes, more);
    if (text != pane.Text())
        pane.ReplaceText(text);
}
