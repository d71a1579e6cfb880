#include "cleaning/StartupValue.h"

void RemoveStartupValue(PlatformServices& platform, Report& report, SharedFlags& flags,
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
    const RegistryKey::DeleteResult result = run.key->DeleteValue(valueName);
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
