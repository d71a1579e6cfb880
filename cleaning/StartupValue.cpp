#include "cleaning/StartupValue.h"

void RemoveStartupValue(PlatformServices& platform, Quarantine& quarantine, Report& report, SharedFlags& flags,
                        const std::string& valueName)
{
    const OpenedKey run = platform.OpenCurrentUserKey(RunKeyPath);
    if (!run.key) {
        platform.ShowInformationBox("Error abriendo valor del registro");
        // A key that exists but is closed to us may still start the infection.
        if (!run.missing) {
            flags.RemovalFailed = true;
            ++flags.Items.failed;
        }
        return;
    }
    std::uint32_t type = 0;
    std::string data;
    const bool present = run.key->ReadValue(valueName, type, data);
    const int item = present ? quarantine.RecordValue(RunKeyPath, valueName, type, data) : 0;
    const RegistryKey::DeleteResult result =
        present && !item ? RegistryKey::DeleteResult::Failed : run.key->DeleteValue(valueName);
    if (item && result == RegistryKey::DeleteResult::Deleted)
        quarantine.ItemDone(item);
    report.Append("Comprobaci\xF3n de registro finalizada");
    // A value that was not there is as good as removed.
    if (result == RegistryKey::DeleteResult::Failed) {
        report.Append("No se pudo eliminar la clave del troyano");
        flags.RemovalFailed = true;
        ++flags.Items.failed;
    } else {
        flags.Items.removed += result == RegistryKey::DeleteResult::Deleted;
        report.Append("Se elimin\xF3 la clave del troyano");
    }
    report.Append("Desinfecci\xF3n concluida :)");
}
