#pragma once
// What the "Desinfectar" button does: run the removal plan of one catalogue row.
#include "engine/CleaningOperations.h"
#include "engine/Report.h"
#include "engine/RunProgress.h"
#include "engine/SharedFlags.h"
#include "engine/SystemDirectories.h"
#include "engine/ThreatCatalogue.h"

#include <functional>
#include <string>
#include <vector>

// The Report's last line when a stop ended the run.
constexpr const char* InterruptedLine = "Desinfecci\xF3n interrumpida: el sistema puede seguir infectado";

// What a run writes, and all it does, while another run or undo holds the machine's lock.
constexpr const char* AnotherRunLine = "Otra desinfecci\xF3n est\xE1 en curso en este equipo";

// index is the selector's item index at the click, -1 when nothing is selected. The
// run's walk of the drive is announced to progress, and a stop it asks for is honoured
// before each action of the plan (the walk itself honours it between folders): the
// Report then ends with the interrupted line instead of the verdict.
void DisinfectionRun(int index, CleaningOperations& ops, SystemDirectories& dirs,
                     Report& report, SharedFlags& flags, RunProgress& progress = UnwatchedRun());

// Several plans over one walk of the drive, as a run of them all makes it: the resident
// plans end their processes, the drive is walked once for every name the plans look
// for, then each plan acts on what the walk met, in the order of rows, and writes to
// reportOf(its row) the lines a run of it alone would append there. A stop ends the
// Report of the plan under way (the first one's before the walk) with the interrupted line.
// afterPlan, where given, adds its own lines after each plan's, before the next one.
void DisinfectionRuns(const std::vector<const ThreatEntry*>& rows, CleaningOperations& ops,
                      SystemDirectories& dirs, const std::function<Report&(const ThreatEntry&)>& reportOf,
                      SharedFlags& flags, RunProgress& progress = UnwatchedRun(),
                      const std::function<void(const ThreatEntry&, Report&)>& afterPlan = {});

// Every name the plans of rows look for on the drive, once: configuration files, then
// files to delete.
std::vector<std::string> DriveNames(const std::vector<const ThreatEntry*>& rows);

// Says how many folders of the drive the run could not search, right before its verdict;
// nothing when it searched them all.
void AppendUnsearched(Report& report, const SharedFlags& flags);
