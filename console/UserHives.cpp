#include "console/UserHives.h"

#include "cleaning/StartupValue.h"

#include <algorithm>

void StartupValueSweep::Sweep(const std::string& valueName, Report& report, SharedFlags& flags)
{
    const unsigned unloaded = hives_.ForEach(RunKeyPath, [&](const std::string& hive, OpenedKey& run) {
        const RegistryKey::DeleteResult result =
            run.key ? run.key->DeleteValue(valueName)
                    : run.missing ? RegistryKey::DeleteResult::NotFound : RegistryKey::DeleteResult::Failed;
        if (result == RegistryKey::DeleteResult::Deleted) {
            report.Append("Valor de inicio " + valueName + " eliminado: " + hive);
            ++flags.Items.removed;
        } else if (result == RegistryKey::DeleteResult::Failed) {
            report.Append("No se pudo eliminar el valor de inicio " + valueName + ": " + hive);
            flags.Items.failed += failed_.insert(hive).second;
        }
    });
    // Each plan sweeps every hive again: a profile that never loads counts once.
    hivesUnsearched = std::max(hivesUnsearched, unloaded);
}
