#include "StartupValue.h"

void RemoveStartupValue(PlatformServices& platform, Report& report, const std::string& valueName)
{
    const std::unique_ptr<RegistryKey> key = platform.OpenCurrentUserKey(RunKeyPath);
    if (!key) {
        platform.ShowInformationBox("Error abriendo valor del registro");
        return;
    }
    const RegistryKey::DeleteResult result = key->DeleteValue(valueName);
    report.Append("Comprobaci\xF3n de registro finalizada");
    // A value that was not there is as good as removed.
    report.Append(result == RegistryKey::DeleteResult::Failed ? "No se pudo eliminar la clave del troyano"
                                                               : "Se elimin\xF3 la clave del troyano");
    report.Append("Desinfecci\xF3n concluida :)");
}
