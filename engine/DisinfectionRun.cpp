#include "engine/DisinfectionRun.h"

#include <algorithm>

namespace {

void RunMircWorm(const ThreatEntry& row, const DriveFindings& found, CleaningOperations& ops, Report& report,
                 SharedFlags& flags, RunProgress& progress)
{
    for (const ConfigPurge& purge : row.configPurges) {
        StopPoint(progress);
        ops.PurgeFound(purge.file, purge.marker, found.at(purge.file));
        report.Append("Desinfecci\xF3n del archivo " + purge.file + " Concluida");
    }
    for (const std::string& name : row.filesToDelete) {
        StopPoint(progress);
        ops.DeleteFound(name, found.at(name));
        report.Append("Desinfecci\xF3n de archivos " + name + " Concluida");
    }
    AppendUnsearched(report, flags);
    if (flags.RemovalFailed)
        report.Append("Su sistema sigue infectado: no se pudieron borrar todos los ficheros del Troyano");
    else if (flags.InfectionFound)
        report.Append("Su sistema ha sido desinfectado correctamente");
    else if (!flags.UnsearchedFolders.empty())   // no claim about folders it could not look into
        report.Append("No se encontr\xF3 la infecci\xF3n en las carpetas revisadas");
    else
        report.Append("Su sistema no hab\xED" "a sido infectado :)");
}

// The registry step and the two lines that close a run that found the resident file;
// the closing lines are written even when the registry step throws.
void RemoveStartupAndClose(const ThreatEntry& row, CleaningOperations& ops, Report& report,
                           const SharedFlags& flags)
{
    auto close = [&] {
        report.Append("Se concluyo el proceso de desinfecci\xF3n del registro...");
        AppendUnsearched(report, flags);
        report.Append(flags.RemovalFailed
                          ? "El troyano no pudo ser eliminado por completo de su sistema"
                          : "Se elimin\xF3 el troyano de su sistema satisfactoriamente");
    };
    try {
        ops.RemoveStartupValue(row.startupValue);
    } catch (...) {
        close();
        throw;
    }
    close();
}

// The resident file, once found, is deleted together with its start-up value: no stop
// comes between them.
void RunResidentBackdoor(const ThreatEntry& row, const DriveFindings& found, CleaningOperations& ops,
                         SystemDirectories& dirs, Report& report, SharedFlags& flags, RunProgress& progress)
{
    for (const std::string& name : row.filesToDelete) {
        StopPoint(progress);
        ops.DeleteFound(name, found.at(name));
        report.Append(flags.SearchStatus);
    }
    if (flags.InfectionFound)
        report.Append(flags.RemovalFailed
                          ? "Se encontr\xF3 rastro del Troyano, pero no se pudieron borrar todos sus archivos"
                          : row.foundLine);

    StopPoint(progress);
    const std::string dirList = dirs.CurrentDirectory() + ";" + dirs.WindowsDirectory();
    const std::string path = ops.FindOnPath(row.residentFile, dirList);
    if (path.empty()) {
        report.Append("El registro no fue afectado por el troyano...");
        AppendUnsearched(report, flags);
        report.Append(flags.UnsearchedFolders.empty() ? row.notFoundLine : row.notFoundSearchedLine);
        return;
    }
    flags.InfectionFound = true;
    if (ops.ForceDeleteFile(path)) {
        report.Append("Archivo eliminado,continuando b\xFAsqueda");
        ++flags.Items.removed;
    } else {
        report.Append("No se pudo eliminar el archivo " + ops.ShownPath(path));
        flags.RemovalFailed = true;
        ++flags.Items.failed;
    }
    RemoveStartupAndClose(row, ops, report, flags);
}

} // namespace

void AppendUnsearched(Report& report, const SharedFlags& flags)
{
    const std::size_t count = flags.UnsearchedFolders.size();
    if (count == 1)
        report.Append("No se pudo revisar 1 carpeta de la unidad C:");
    else if (count > 1)
        report.Append("No se pudieron revisar " + std::to_string(count) + " carpetas de la unidad C:");
}

std::vector<std::string> DriveNames(const std::vector<const ThreatEntry*>& rows)
{
    std::vector<std::string> names;
    const auto add = [&](const std::string& name) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (const ThreatEntry* row : rows) {
        for (const ConfigPurge& purge : row->configPurges)
            add(purge.file);
        for (const std::string& name : row->filesToDelete)
            add(name);
    }
    return names;
}

void DisinfectionRun(int index, CleaningOperations& ops, SystemDirectories& dirs, Report& report,
                     SharedFlags& flags, RunProgress& progress)
{
    report.Clear();
    flags.InfectionFound = false;
    flags.RemovalFailed = false;
    flags.UnsearchedFolders.clear();
    if (const ThreatEntry* row = FindThreat(index))
        DisinfectionRuns({row}, ops, dirs, [&](const ThreatEntry&) -> Report& { return report; }, flags, progress);
}

void DisinfectionRuns(const std::vector<const ThreatEntry*>& rows, CleaningOperations& ops,
                      SystemDirectories& dirs, const std::function<Report&(const ThreatEntry&)>& reportOf,
                      SharedFlags& flags, RunProgress& progress,
                      const std::function<void(const ThreatEntry&, Report&)>& afterPlan)
{
    flags.UnsearchedFolders.clear();
    flags.InUseWaited = 0;
    Report* report = &reportOf(*rows.front());
    ops.RunStarts();
    try {
        // Nothing of a resident infection runs while its files are looked for and deleted.
        for (const ThreatEntry* row : rows)
            for (const std::string& process : row->processes) {
                StopPoint(progress);
                const ItemCounts ended = ops.KillProcessByName(process);
                // Windows has a genuine process of the resident file's name.
                if (process != row->residentFile) {
                    flags.Items.removed += ended.removed;
                    flags.Items.failed += ended.failed;
                }
            }
        StopPoint(progress);
        progress.WalkStarted();
        const DriveFindings found = ops.WalkDrive(DriveRoot, DriveNames(rows));
        for (const ThreatEntry* row : rows) {
            report = &reportOf(*row);
            flags.InfectionFound = false;
            flags.RemovalFailed = false;
            if (row->kind == PlanKind::MircWorm)
                RunMircWorm(*row, found, ops, *report, flags, progress);
            else
                RunResidentBackdoor(*row, found, ops, dirs, *report, flags, progress);
            if (afterPlan) {
                StopPoint(progress);
                afterPlan(*row, *report);
            }
        }
    } catch (const RunStopped&) {
        report->Append(InterruptedLine);
    }
}
