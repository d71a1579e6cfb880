#include "console/ScanRun.h"

#include "cleaning/LineMarker.h"
#include "cleaning/ProcessKill.h"
#include "cleaning/StartupValue.h"
#include "cleaning/TextLines.h"
#include "cleaning/Windows1252.h"
#include "engine/DisinfectionRun.h"

#include <algorithm>
#include <set>

namespace {

class PlanScan {
public:
    PlanScan(PlatformServices& platform, SystemCleaning& cleaning, Report& report, std::set<std::string>& counted,
             RunProgress& progress)
        : platform_(platform), cleaning_(cleaning), report_(report), counted_(counted), progress_(progress)
    {
    }

    void Files(const NameFindings& found)
    {
        StopPoint(progress_);
        for (const FoundFile& file : found.files)
            Finding("Encontrado: ", file.dir + file.name);
    }

    void Copies(const ConfigPurge& purge, const NameFindings& found)
    {
        for (const FoundFile& copy : found.files) {
            StopPoint(progress_);
            const std::string path = copy.dir + copy.name;
            const long lines = MarkedLines(platform_, path, purge.marker);
            if (lines > 0)
                Finding("L\xEDneas infectadas (" + std::to_string(lines) + "): ", path);
        }
    }

    void Processes(const ThreatEntry& row)
    {
        StopPoint(progress_);
        for (const std::string& image : row.processes)
            for (const ProcessEntry& process : platform_.Processes())
                if (ImageNameMatches(process.exe, image)) {
                    report_.Append("Proceso que se terminar\xED" "a: " + image);
                    if (image != row.residentFile)
                        Count("process:" + std::to_string(process.id));
                }
    }

    void ResidentFile(const ThreatEntry& row)
    {
        StopPoint(progress_);
        const std::string dirList = platform_.CurrentDirectory() + ";" + platform_.WindowsDirectory();
        std::string path = cleaning_.FindOnPath(row.residentFile, dirList);
        if (!path.empty() && path.find('\\') == std::string::npos) {   // in the current directory
            const std::string dir = platform_.CurrentDirectory();
            path = dir + (!dir.empty() && dir.back() == '\\' ? "" : "\\") + path;
        }
        if (!path.empty())
            Finding("Encontrado: ", path);
    }

    // Returns how many profiles could not be loaded.
    unsigned StartupValue(const ThreatEntry& row, UserHives& hives)
    {
        StopPoint(progress_);
        return hives.ForEach(RunKeyPath, [&](const std::string& hive, OpenedKey& run) {
            std::uint32_t type;
            std::string data;
            if (run.key && run.key->ReadValue(row.startupValue, type, data)) {
                report_.Append("Valor de inicio " + row.startupValue + ": " + hive);
                Count("value:" + hive);
            }
        });
    }

    void Verdict()
    {
        report_.Append(found_ ? "Se encontr\xF3 rastro de la infecci\xF3n" : "No se encontr\xF3 la infecci\xF3n");
    }

private:
    void Finding(const std::string& label, const std::string& path)
    {
        report_.Append(label + Utf8ToWindows1252BestFit(path));
        Count("file:" + path);
    }
    void Count(const std::string& item)
    {
        found_ = true;
        counted_.insert(item);
    }

    PlatformServices& platform_;
    SystemCleaning& cleaning_;
    Report& report_;
    std::set<std::string>& counted_;
    RunProgress& progress_;
    bool found_ = false;
};

} // namespace

unsigned ScanRuns(const std::vector<const ThreatEntry*>& rows, PlatformServices& platform, SystemCleaning& cleaning,
                  UserHives& hives, ConsoleLines& lines, SharedFlags& flags, RunProgress& progress,
                  unsigned& hivesUnsearched)
{
    flags.UnsearchedFolders.clear();
    std::set<std::string> counted;
    Report* report = &lines.OfPlan(*rows.front());
    try {
        StopPoint(progress);
        progress.WalkStarted();
        const DriveFindings found = cleaning.WalkDrive(DriveRoot, DriveNames(rows));
        for (const ThreatEntry* row : rows) {
            report = &lines.OfPlan(*row);
            PlanScan scan(platform, cleaning, *report, counted, progress);
            if (row->kind == PlanKind::ResidentBackdoor)
                scan.Processes(*row);
            for (const ConfigPurge& purge : row->configPurges)
                scan.Copies(purge, found.at(purge.file));
            for (const std::string& name : row->filesToDelete)
                scan.Files(found.at(name));
            if (row->kind == PlanKind::ResidentBackdoor) {
                scan.ResidentFile(*row);
                hivesUnsearched = std::max(hivesUnsearched, scan.StartupValue(*row, hives));
            }
            AppendUnsearched(*report, flags);
            scan.Verdict();
        }
    } catch (const RunStopped&) {
        report->Append(InterruptedLine);
    }
    return static_cast<unsigned>(counted.size());
}

long MarkedLines(PlatformServices& platform, const std::string& path, const std::string& marker)
{
    const std::unique_ptr<OpenedFile> file = platform.Open(path, OpenMode::Read);
    if (!file)
        return -1;
    try {
        LineReader lines(*file, 0, file->Size(), CannotOpenFile(path));
        LineMarker lineMarker(marker);
        long marked = 0;
        LineEnd end;
        for (;;) {
            lineMarker.BeginLine();
            if (!lines.Next([&](const char* bytes, std::size_t size) { lineMarker.Add(bytes, size); }, end))
                return marked;
            marked += lineMarker.InLine();
        }
    } catch (const EngineError&) {
        return -1;
    }
}
