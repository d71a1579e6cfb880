#pragma once
// Undoing the last run that changed something: every item of its quarantine (Quarantine.h)
// not yet put back goes back, newest first, each marked in the manifest as it does, so an
// undo cut short is taken up by the next. The caller holds the run lock.
#include "cleaning/DataRoot.h"
#include "cleaning/PlatformServices.h"
#include "engine/Report.h"
#include "engine/RunProgress.h"

// Whether the quarantine holds a run with something still to put back.
bool HasRunToUndo(PlatformServices& platform, DataRoot& data);

// Puts the last run's items back and writes one Report line for each:
//   "Restaurado: <path>"                                  back where it was
//   "Restaurado el valor de inicio <name>"                a Run value made again
//   "No se restauró porque ya existe: <path>"             something stands at its path now
//   "No se restauró porque la carpeta cambió: <path>"     its folder is another, or a link
//   "No se pudo restaurar: <path>"                        the system refused
// then "Se deshizo la desinfección", or "No se pudo deshacer todo" when anything was
// refused. Returns whether anything was refused. A stop asked for through progress is
// honoured between two items (RunStopped).
bool UndoLastRun(PlatformServices& platform, DataRoot& data, Report& report, RunProgress& progress = UnwatchedRun());
