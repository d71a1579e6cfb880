#pragma once
// What the removal plans would act on, listed without changing anything: no process is
// ended, no file deleted or rewritten, no journal recovered, no folder made.
#include "cleaning/PlatformServices.h"
#include "cleaning/SystemCleaning.h"
#include "console/ConsoleLines.h"
#include "console/UserHives.h"

#include <vector>

// Walks the drive once for every plan of rows, then writes for each plan, after its
// catalogue text, one line per finding and its verdict:
//   "Encontrado: <path>"                      a file the plan would delete
//   "Líneas infectadas (<n>): <path>"         a configuration copy it would purge
//   "Proceso que se terminaría: <image>"      a running process it would end
//   "Valor de inicio <value>: <hive>"         its start-up value
// Returns how many items were found, each counted once however many plans name it; the
// resident plans' own process name (Windows has a genuine one) is listed, never counted.
// A stop ends the plan under way with the interrupted line.
// The start-up value is looked for in every hive of hives; the profiles that could not be
// loaded are counted in hivesUnsearched.
unsigned ScanRuns(const std::vector<const ThreatEntry*>& rows, PlatformServices& platform, SystemCleaning& cleaning,
                  UserHives& hives, ConsoleLines& lines, SharedFlags& flags, RunProgress& progress,
                  unsigned& hivesUnsearched);

// How many lines of the file at path (UTF-8) hold marker (Windows-1252), as a purge
// would find them; -1 when it cannot be read.
long MarkedLines(PlatformServices& platform, const std::string& path, const std::string& marker);
