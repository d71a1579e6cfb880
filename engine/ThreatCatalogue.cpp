#include "engine/ThreatCatalogue.h"

namespace {

const char* const ResidentFile = "systray.exe";
const char* const StartupValue = "systemtray";

ThreatEntry Row(const char* listText, const char* infoFile, PlanKind kind)
{
    ThreatEntry entry;
    entry.listText = listText;
    entry.infoFile = infoFile;
    entry.kind = kind;
    return entry;
}

ThreatEntry MircWorm(const char* listText, const char* infoFile, std::vector<ConfigPurge> purges,
                     std::vector<std::string> files)
{
    ThreatEntry entry = Row(listText, infoFile, PlanKind::MircWorm);
    entry.configPurges = std::move(purges);
    entry.filesToDelete = std::move(files);
    return entry;
}

ThreatEntry ResidentBackdoor(const char* listText, const char* infoFile,
                             std::vector<std::string> processes, std::vector<std::string> files,
                             const char* foundLine, const char* notFoundLine, const char* notFoundSearchedLine)
{
    ThreatEntry entry = Row(listText, infoFile, PlanKind::ResidentBackdoor);
    entry.processes = std::move(processes);
    entry.filesToDelete = std::move(files);
    entry.foundLine = foundLine;
    entry.notFoundLine = notFoundLine;
    entry.notFoundSearchedLine = notFoundSearchedLine;
    entry.residentFile = ResidentFile;
    entry.startupValue = StartupValue;
    return entry;
}

std::vector<ThreatEntry> BuildCatalogue()
{
    return {
        ResidentBackdoor("Backdoor 2.03 ", "back.kvd",
                         {"systray.exe", "sysdemio.exe", "systemio.exe"},
                         {"acdt.dat", "pddt.dat", "sysdemio.exe", "systemio.exe"},
                         "Se encontr\xF3 rastro del Troyano Backdoor 2.03,archivos eliminados sin problemas",
                         "No se encontr\xF3 el Troyano Backdoor 2.03 en su sistema :)",
                         "No se encontr\xF3 el Troyano Backdoor 2.03 en las carpetas revisadas"),
        MircWorm("Netol ", "netol.kvd",
                 {{"mirc.ini", "mirc.hst"}, {"script.ini", "mirc.hst"}},
                 {"pynkic~1.scr", "mirc.hst", "netol.scr"}),
        MircWorm("Cadena ", "cadena.kvd", {{"mirc.ini", "\xC4"}}, {"\xC4"}),
        ResidentBackdoor("DeepThroat", "deep.kvd",
                         {"systray.exe", "sysdemio.exe", "systemio.exe", "xcvbnm.exe"},
                         {"acdt.dat", "pddt.dat", "xcvbnm.exe"},
                         "Se encontr\xF3 rastro del Troyano DeepThroat.b,archivos eliminados sin problemas",
                         "No se encontr\xF3 el Troyano Deepthroat.b en su sistema :)",
                         "No se encontr\xF3 el Troyano Deepthroat.b en las carpetas revisadas"),
        MircWorm("Cadena 2 ( Publicidad de web Porno )", "cadena2.kvd",
                 {{"mirc.ini", "server.ini"}}, {"server.ini"}),
    };
}

} // namespace

const std::vector<ThreatEntry>& ThreatCatalogue()
{
    static const std::vector<ThreatEntry> catalogue = BuildCatalogue();
    return catalogue;
}

const ThreatEntry* FindThreat(int index)
{
    const auto& catalogue = ThreatCatalogue();
    if (index < 0 || index >= static_cast<int>(catalogue.size()))
        return nullptr;
    return &catalogue[static_cast<std::size_t>(index)];
}
