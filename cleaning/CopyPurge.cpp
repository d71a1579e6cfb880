#include "cleaning/CopyPurge.h"

#include "cleaning/PurgeJournal.h"
#include "cleaning/TextLines.h"
#include "cleaning/Windows1252.h"
#include "engine/EngineError.h"

namespace {

constexpr std::uint32_t Unwritable = FileAttr::ReadOnly | FileAttr::Hidden | FileAttr::System;

// How long a copy that another program holds open is waited for.
constexpr std::uint32_t RetryStep = 50;          // ms between two tries
constexpr std::uint32_t MostPerCopy = 2000;      // ms
constexpr std::uint32_t MostPerRun = 10000;      // ms

class InUseWait {
public:
    InUseWait(PlatformServices& platform, std::uint32_t& runWaited) : platform_(platform), runWaited_(runWaited) {}

    // Waits before the next try; false when the time allowed is spent.
    bool Wait()
    {
        if (waited_ + RetryStep > MostPerCopy || runWaited_ + RetryStep > MostPerRun)
            return false;
        platform_.Sleep(RetryStep);
        waited_ += RetryStep;
        runWaited_ += RetryStep;
        return true;
    }

private:
    PlatformServices& platform_;
    std::uint32_t& runWaited_;
    std::uint32_t waited_ = 0;
};

std::unique_ptr<OpenedFile> OpenWaiting(PlatformServices& platform, const std::string& path, OpenMode mode,
                                        InUseWait& wait, OpenFailure& failure)
{
    for (;;) {
        std::unique_ptr<OpenedFile> file = platform.Open(path, mode, failure);
        if (file || failure != OpenFailure::InUse || !wait.Wait())
            return file;
    }
}

// The attributes that stop a write taken off the copy, and put back when it is done.
class AttributesStripped {
public:
    AttributesStripped(PlatformServices& platform, const std::string& path, std::uint32_t attributes)
        : platform_(platform), path_(path), stripped_(attributes == FileAttr::Invalid ? 0 : attributes & Unwritable)
    {
        if (stripped_)
            platform_.SetAttributes(path_, attributes & ~Unwritable);
    }
    ~AttributesStripped()
    {
        if (!stripped_)
            return;
        try {
            const std::uint32_t now = platform_.GetAttributes(path_);
            if (now != FileAttr::Invalid)
                platform_.SetAttributes(path_, now | stripped_);
        } catch (...) {
            // A destructor lets nothing out, not even the recording platform's kill.
        }
    }
    AttributesStripped(const AttributesStripped&) = delete;
    AttributesStripped& operator=(const AttributesStripped&) = delete;
    bool Any() const { return stripped_ != 0; }

private:
    PlatformServices& platform_;
    const std::string& path_;
    const std::uint32_t stripped_;
};

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
// its old content from the journal, then cuts the copy there and makes it durable. The
// copy's new size.
std::uint64_t WritePurgedContent(OpenedFile& copy, PurgeJournal& journal, LineMarker& marker)
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
    return out.Offset();
}

// Rewrites the open copy from change on behind a journal; throws the journal's or the
// file layer's error, the copy put back as it was wherever that could be done.
void Rewrite(PlatformServices& platform, DataRoot& data, OpenedFile& copy, const std::string& path,
             LineMarker& marker, std::uint64_t change, Quarantine* quarantine)
{
    const int kept = quarantine ? quarantine->CopyIn(copy, path) : 0;
    if (quarantine && !kept)
        throw CannotCreateFile(Utf8ToWindows1252BestFit(path));
    const JournalRecord record = RecordOf(copy, path, change);
    PurgeJournal journal(platform, data, path);
    journal.Save(copy, record);
    std::uint64_t size = 0;
    try {
        size = WritePurgedContent(copy, journal, marker);
    } catch (...) {
        if (journal.Restore(copy))
            journal.Remove();
        throw;
    }
    journal.Remove();
    if (kept)
        quarantine->CopyDone(kept, copy, size);
}

} // namespace

CopyOutcome PurgeLinesOfCopy(PlatformServices& platform, DataRoot& data, const std::string& path, LineMarker& marker,
                             std::uint32_t& runWaited, Quarantine* quarantine)
{
    try {
        InUseWait wait(platform, runWaited);
        OpenFailure failure = OpenFailure::None, readFailure = OpenFailure::None;
        std::unique_ptr<OpenedFile> copy = OpenWaiting(platform, path, OpenMode::Rewrite, wait, failure);
        const bool writable = copy != nullptr;
        // Where it cannot be written, it is still read: only a copy that needs a purge fails.
        if (!copy)
            copy = OpenWaiting(platform, path, OpenMode::Read, wait, readFailure);
        std::uint64_t change = 0;
        if (!copy)
            return CopyOutcome::NotPurged;
        if (!FindFirstChange(*copy, path, marker, change))
            return CopyOutcome::Clean;

        const AttributesStripped stripped(platform, path, copy->Attributes());
        if (!writable) {
            // Opened again for writing once its attributes are off; never through a link.
            if (failure == OpenFailure::ReparsePoint || !stripped.Any())
                return CopyOutcome::NotPurged;
            copy.reset();
            copy = OpenWaiting(platform, path, OpenMode::Rewrite, wait, failure);
            if (!copy)
                return CopyOutcome::NotPurged;
            if (!FindFirstChange(*copy, path, marker, change))
                return CopyOutcome::Clean;
        }
        Rewrite(platform, data, *copy, path, marker, change, quarantine);
        return CopyOutcome::Purged;
    } catch (const EngineError&) {
        return CopyOutcome::NotPurged;
    }
}
