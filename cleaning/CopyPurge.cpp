#include "cleaning/CopyPurge.h"

#include "cleaning/PurgeJournal.h"
#include "cleaning/TextLines.h"
#include "cleaning/Windows1252.h"
#include "engine/EngineError.h"

namespace {

constexpr std::uint32_t Unwritable = FileAttr::ReadOnly | FileAttr::Hidden | FileAttr::System;

// Where the copy's bytes start to differ from its purged form: the first line that goes,
// or an earlier one that comes back with another line end. False when no line goes.
bool FindFirstChange(OpenedFile& copy, const std::string& path, LineMarker& marker, std::uint64_t& change)
{
    LineReader lines(copy, 0, copy.Size(), CannotOpenFile(Utf8ToWindows1252BestFit(path)));
    bool lineEndChanges = false;
    for (;;) {
        const std::uint64_t start = lines.Offset();
        LineEnd end;
        marker.BeginLine();
        if (!lines.Next([&](const char* bytes, std::size_t size) { marker.Add(bytes, size); }, end))
            return false;
        if (!lineEndChanges)
            change = start;
        if (marker.InLine())
            return true;
        lineEndChanges = lineEndChanges || end != LineEnd::CrLf;
    }
}

// Writes the copy's purged content from where the journal's saved bytes start, reading
// its old content from the journal, then cuts the copy there and makes it durable.
void WritePurgedContent(OpenedFile& copy, PurgeJournal& journal, LineMarker& marker)
{
    LineReader lines(journal.File(), journal.BodyStart(), journal.BodyEnd(), StreamWriteError());
    WindowWriter out(copy, journal.SavedFrom());
    for (;;) {
        const std::uint64_t start = out.Offset();
        LineEnd end;
        marker.BeginLine();
        const auto piece = [&](const char* bytes, std::size_t size) {
            marker.Add(bytes, size);
            out.Add(bytes, size);
        };
        if (!lines.Next(piece, end))
            break;
        if (marker.InLine())
            out.Rewind(start);
        else
            out.Add("\r\n", 2);
    }
    out.Flush();
    if (!copy.Truncate(out.Offset()) || !copy.Flush())
        throw StreamWriteError();
}

} // namespace

bool PurgeLinesOfCopy(PlatformServices& platform, const std::string& path, LineMarker& marker)
{
    // Where it cannot be written, it is still read: only a copy that needs a purge fails.
    bool writable = true;
    std::unique_ptr<OpenedFile> copy = platform.Open(path, OpenMode::Rewrite);
    if (!copy) {
        writable = false;
        copy = platform.Open(path, OpenMode::Read);
    }
    if (!copy)
        throw CannotOpenFile(Utf8ToWindows1252BestFit(path));
    std::uint64_t change = 0;
    if (!FindFirstChange(*copy, path, marker, change))
        return false;
    // Windows refuses to write over these; Wine would not, so check first.
    if (!writable || (copy->Attributes() & Unwritable))
        throw CannotCreateFile(Utf8ToWindows1252BestFit(path));

    PurgeJournal journal(platform, path);
    journal.Save(*copy, change, copy->Size());
    try {
        WritePurgedContent(*copy, journal, marker);
    } catch (...) {
        if (journal.Restore(*copy))
            journal.Remove();
        throw;
    }
    journal.Remove();
    return true;
}
