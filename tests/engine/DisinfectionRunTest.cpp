// The run against a scripted double of the cleaning operations: which operations it calls,
// in which order, and every line it writes around them.
#include "engine/DisinfectionRun.h"
#include "engine/EngineError.h"
#include "tests/support/LineReport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using Strings = std::vector<std::string>;

namespace {

const std::string Searched = "B\xFAsqueda concluida,siguiente b\xFAsqueda...";
const std::string Deleted = "Fichero del Troyano borrado.";

// Records every call; behaves as a machine where the names in the sets are present.
class ScriptedOperations : public CleaningOperations, public SystemDirectories {
public:
    ScriptedOperations(Report& report, SharedFlags& flags) : report_(report), flags_(flags) {}

    std::map<std::string, int> sweepFinds;  // name -> copies its sweep deletes
    std::set<std::string> sweepCannotDelete;
    std::set<std::string> sweepUnsearched;  // folders the walk fails to list
    std::set<std::string> purgeFinds;      // config files that hold a marked line
    std::string residentPath;              // what FindOnPath returns
    bool residentDeletes = true;
    bool startupThrows = false;
    Strings calls;

    // Every name is found once, in the walk's folder.
    DriveFindings WalkDrive(const std::string& dir, const std::vector<std::string>& names) override
    {
        std::string call = "walk " + dir + " for";
        DriveFindings found;
        for (const std::string& name : names) {
            call += " " + name;
            found[name].files = {{dir, name}};
        }
        calls.push_back(call);
        flags_.UnsearchedFolders.insert(sweepUnsearched.begin(), sweepUnsearched.end());
        return found;
    }
    void DeleteFound(const std::string& name, const NameFindings& found) override
    {
        const std::string path = found.files.at(0).dir + found.files.at(0).name;
        calls.push_back("sweep " + path);
        flags_.SearchStatus = Searched;
        for (int copy = 0; copy < sweepFinds[name]; ++copy) {
            report_.Append(Deleted);
            flags_.InfectionFound = true;
        }
        if (sweepCannotDelete.count(name)) {
            report_.Append("No se pudo borrar el fichero del Troyano: " + path);
            flags_.InfectionFound = flags_.RemovalFailed = true;
        }
    }
    bool ForceDeleteFile(const std::string& path) override
    {
        calls.push_back("delete " + path);
        return residentDeletes;
    }
    // A crude stand-in for the conversion to Windows-1252: every byte beyond ASCII shows as "?".
    std::string ShownPath(const std::string& path) override
    {
        std::string shown = path;
        for (char& c : shown)
            if (static_cast<unsigned char>(c) > 0x7F) c = '?';
        return shown;
    }
    std::string FindOnPath(const std::string& name, const std::string& dirList) override
    {
        calls.push_back("find " + name + " in " + dirList);
        return residentPath;
    }
    void PurgeFound(const std::string& file, const std::string& marker, const NameFindings& found) override
    {
        calls.push_back("purge " + found.files.at(0).dir + found.files.at(0).name + " of " + marker);
        if (purgeFinds.count(file))
            flags_.InfectionFound = true;
    }
    ItemCounts KillProcessByName(const std::string& name) override
    {
        calls.push_back("kill " + name);
        return {};
    }
    void RemoveStartupValue(const std::string& value) override
    {
        calls.push_back("startup " + value);
        if (startupThrows)
            throw EngineError("registry gone");
        report_.Append("Comprobaci\xF3n de registro finalizada");
        report_.Append("Se elimin\xF3 la clave del troyano");
        report_.Append("Desinfecci\xF3n concluida :)");
    }
    std::string CurrentDirectory() override { return "C:\\Program"; }
    std::string WindowsDirectory() override { return "C:\\WINDOWS"; }

private:
    Report& report_;
    SharedFlags& flags_;
};

class DisinfectionRunTest : public testing::Test {
protected:
    LineReport report;
    SharedFlags flags;
    ScriptedOperations ops{report, flags};

    void Run(int index) { DisinfectionRun(index, ops, ops, report, flags); }
};

const Strings RegistryLines = {"Comprobaci\xF3n de registro finalizada", "Se elimin\xF3 la clave del troyano",
                               "Desinfecci\xF3n concluida :)"};
const std::string RegistryDone = "Se concluyo el proceso de desinfecci\xF3n del registro...";
const std::string TrojanRemoved = "Se elimin\xF3 el troyano de su sistema satisfactoriamente";

Strings Concat(std::initializer_list<Strings> parts)
{
    Strings all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

TEST_F(DisinfectionRunTest, IndexNamingNoRowOnlyClearsTheReport)
{
    for (int index : {-1, 5, 6, -7, 255}) {
        report.lines = {"old text"};
        flags.InfectionFound = flags.RemovalFailed = true;
        Run(index);
        EXPECT_TRUE(report.lines.empty()) << index;
        EXPECT_TRUE(ops.calls.empty()) << index;
        EXPECT_FALSE(flags.InfectionFound);
        EXPECT_FALSE(flags.RemovalFailed);
    }
}

TEST_F(DisinfectionRunTest, NetolOnACleanMachine)
{
    report.lines = {"left from before"};
    Run(1);
    EXPECT_EQ(ops.calls, (Strings{"walk c:\\ for mirc.ini script.ini pynkic~1.scr mirc.hst netol.scr",
                                  "purge c:\\mirc.ini of mirc.hst", "purge c:\\script.ini of mirc.hst",
                                  "sweep c:\\pynkic~1.scr", "sweep c:\\mirc.hst", "sweep c:\\netol.scr"}));
    EXPECT_EQ(report.lines, (Strings{"Desinfecci\xF3n del archivo mirc.ini Concluida",
                                     "Desinfecci\xF3n del archivo script.ini Concluida",
                                     "Desinfecci\xF3n de archivos pynkic~1.scr Concluida",
                                     "Desinfecci\xF3n de archivos mirc.hst Concluida",
                                     "Desinfecci\xF3n de archivos netol.scr Concluida",
                                     "Su sistema no hab\xED" "a sido infectado :)"}));
}

TEST_F(DisinfectionRunTest, CadenaPurgesAndSweepsTheOneByteName)
{
    ops.purgeFinds = {"mirc.ini"};
    Run(2);
    EXPECT_EQ(ops.calls, (Strings{"walk c:\\ for mirc.ini \xC4", "purge c:\\mirc.ini of \xC4", "sweep c:\\\xC4"}));
    EXPECT_EQ(report.lines, (Strings{"Desinfecci\xF3n del archivo mirc.ini Concluida",
                                     "Desinfecci\xF3n de archivos \xC4 Concluida",
                                     "Su sistema ha sido desinfectado correctamente"}));
}

TEST_F(DisinfectionRunTest, CadenaTwoDeletingTwoCopies)
{
    ops.sweepFinds = {{"server.ini", 2}};
    Run(4);
    EXPECT_EQ(ops.calls, (Strings{"walk c:\\ for mirc.ini server.ini", "purge c:\\mirc.ini of server.ini",
                                  "sweep c:\\server.ini"}));
    EXPECT_EQ(report.lines, (Strings{"Desinfecci\xF3n del archivo mirc.ini Concluida", Deleted, Deleted,
                                     "Desinfecci\xF3n de archivos server.ini Concluida",
                                     "Su sistema ha sido desinfectado correctamente"}));
}

TEST_F(DisinfectionRunTest, WormWithACopyThatCouldNotBeDeletedSaysStillInfected)
{
    ops.sweepFinds = {{"pynkic~1.scr", 1}};
    ops.sweepCannotDelete = {"netol.scr"};
    Run(1);
    ASSERT_EQ(report.lines.size(), 8u);
    EXPECT_EQ(report.lines[2], Deleted);
    EXPECT_EQ(report.lines[5], "No se pudo borrar el fichero del Troyano: c:\\netol.scr");
    EXPECT_EQ(report.lines.back(),
              "Su sistema sigue infectado: no se pudieron borrar todos los ficheros del Troyano");
}

TEST_F(DisinfectionRunTest, BackdoorOnACleanMachine)
{
    Run(0);
    EXPECT_EQ(ops.calls, (Strings{"kill systray.exe", "kill sysdemio.exe", "kill systemio.exe",
                                  "walk c:\\ for acdt.dat pddt.dat sysdemio.exe systemio.exe", "sweep c:\\acdt.dat",
                                  "sweep c:\\pddt.dat", "sweep c:\\sysdemio.exe", "sweep c:\\systemio.exe", "find systray.exe in C:\\Program;C:\\WINDOWS"}));
    EXPECT_EQ(report.lines, (Strings{Searched, Searched, Searched, Searched,
                                     "El registro no fue afectado por el troyano...",
                                     "No se encontr\xF3 el Troyano Backdoor 2.03 en su sistema :)"}));
    EXPECT_FALSE(flags.InfectionFound);
}

TEST_F(DisinfectionRunTest, SearchStatusIsWrittenAsItStandsEvenWhenEmpty)
{
    // A sweep that never visits a directory without the target leaves the status empty.
    class NoStatus : public ScriptedOperations {
        using ScriptedOperations::ScriptedOperations;
        void DeleteFound(const std::string&, const NameFindings&) override {}
    } quiet{report, flags};
    DisinfectionRun(3, quiet, quiet, report, flags);
    EXPECT_EQ(report.lines, (Strings{"", "", "", "El registro no fue afectado por el troyano...",
                                     "No se encontr\xF3 el Troyano Deepthroat.b en su sistema :)"}));
}

TEST_F(DisinfectionRunTest, DeepThroatWithTheResidentFileInTheWindowsDirectory)
{
    ops.residentPath = "C:\\WINDOWS\\systray.exe";
    Run(3);
    EXPECT_EQ(ops.calls, (Strings{"kill systray.exe", "kill sysdemio.exe", "kill systemio.exe", "kill xcvbnm.exe",
                                  "walk c:\\ for acdt.dat pddt.dat xcvbnm.exe", "sweep c:\\acdt.dat", "sweep c:\\pddt.dat",
                                  "sweep c:\\xcvbnm.exe",
                                  "find systray.exe in C:\\Program;C:\\WINDOWS",
                                  "delete C:\\WINDOWS\\systray.exe", "startup systemtray"}));
    EXPECT_EQ(report.lines, Concat({{Searched, Searched, Searched, "Archivo eliminado,continuando b\xFAsqueda"},
                                    RegistryLines,
                                    {RegistryDone, TrojanRemoved}}));
    EXPECT_TRUE(flags.InfectionFound);
}

TEST_F(DisinfectionRunTest, BackdoorFoundLineFollowsTheSweeps)
{
    ops.sweepFinds = {{"acdt.dat", 1}};
    Run(0);
    EXPECT_EQ(report.lines, (Strings{Deleted, Searched, Searched, Searched, Searched,
                                     "Se encontr\xF3 rastro del Troyano Backdoor 2.03,archivos eliminados sin problemas",
                                     "El registro no fue afectado por el troyano...",
                                     "No se encontr\xF3 el Troyano Backdoor 2.03 en su sistema :)"}));
}

TEST_F(DisinfectionRunTest, ResidentFileThatCannotBeDeleted)
{
    ops.residentPath = "c:\\\xD0\x9F\\systray.exe";   // a folder named in Cyrillic
    ops.residentDeletes = false;
    Run(0);
    EXPECT_EQ(ops.calls.back(), "startup systemtray");
    EXPECT_EQ(report.lines, Concat({{Searched, Searched, Searched, Searched,
                                     "No se pudo eliminar el archivo c:\\??\\systray.exe"},
                                    RegistryLines,
                                    {RegistryDone, "El troyano no pudo ser eliminado por completo de su sistema"}}));
    EXPECT_TRUE(flags.RemovalFailed);
}

TEST_F(DisinfectionRunTest, BackdoorCopyThatCouldNotBeDeletedChangesTheFoundLine)
{
    ops.sweepCannotDelete = {"pddt.dat"};
    ops.residentPath = "C:\\Program\\systray.exe";
    Run(0);
    EXPECT_EQ(report.lines[5], "Se encontr\xF3 rastro del Troyano, pero no se pudieron borrar todos sus archivos");
    EXPECT_EQ(report.lines.back(), "El troyano no pudo ser eliminado por completo de su sistema");
}

TEST_F(DisinfectionRunTest, RegistryExceptionStillClosesTheRunThenPassesOn)
{
    ops.residentPath = "systray.exe";
    ops.startupThrows = true;
    try {
        Run(0);
        FAIL() << "the exception must pass on";
    } catch (const EngineError& e) {
        EXPECT_STREQ(e.what(), "registry gone");
    }
    EXPECT_EQ(report.lines, (Strings{Searched, Searched, Searched, Searched,
                                     "Archivo eliminado,continuando b\xFAsqueda", RegistryDone, TrojanRemoved}));
}

TEST_F(DisinfectionRunTest, ExceptionInAnOperationEndsTheRunKeepingEarlierLines)
{
    class ThrowingPurge : public ScriptedOperations {
        using ScriptedOperations::ScriptedOperations;
        void PurgeFound(const std::string& file, const std::string&, const NameFindings&) override
        {
            if (file == "script.ini")
                throw EngineError("Cannot open file c:\\" + file);
        }
    } throwing{report, flags};
    EXPECT_THROW(DisinfectionRun(1, throwing, throwing, report, flags), EngineError);
    EXPECT_EQ(report.lines, Strings{"Desinfecci\xF3n del archivo mirc.ini Concluida"});
}

TEST_F(DisinfectionRunTest, FlagsAreClearedAtTheStartOfEveryRun)
{
    ops.residentPath = "systray.exe";
    ops.residentDeletes = false;
    Run(0);
    ASSERT_TRUE(flags.InfectionFound);
    ASSERT_TRUE(flags.RemovalFailed);

    ops.residentPath.clear();
    flags.InUseWaited = 500;
    Run(1);
    EXPECT_FALSE(flags.InfectionFound);
    EXPECT_FALSE(flags.RemovalFailed);
    EXPECT_EQ(flags.InUseWaited, 0u);
    EXPECT_EQ(report.lines.back(), "Su sistema no hab\xED" "a sido infectado :)");
    EXPECT_EQ(flags.SearchStatus, Searched) << "the search status is never cleared";
}

// Where folders went unsearched, a run that found nothing claims nothing of them.
TEST_F(DisinfectionRunTest, UnsearchedFoldersAreCountedOnceRightBeforeTheVerdict)
{
    const std::string one = "No se pudo revisar 1 carpeta de la unidad C:";
    ops.sweepUnsearched = {"c:\\a\\"};
    Run(1);
    ASSERT_EQ(report.lines.size(), 7u);
    EXPECT_EQ(report.lines[5], one);
    EXPECT_EQ(report.lines[6], "No se encontr\xF3 la infecci\xF3n en las carpetas revisadas");
    ops.sweepFinds["mirc.hst"] = 1;
    Run(1);
    EXPECT_EQ(report.lines.back(), "Su sistema ha sido desinfectado correctamente");
    ops.sweepFinds.clear();

    ops.sweepUnsearched = {"c:\\a\\", "c:\\b\\", "c:\\c\\"};
    Run(0);
    EXPECT_EQ(report.lines, (Strings{Searched, Searched, Searched, Searched,
                                     "El registro no fue afectado por el troyano...",
                                     "No se pudieron revisar 3 carpetas de la unidad C:",
                                     "No se encontr\xF3 el Troyano Backdoor 2.03 en las carpetas revisadas"}));
    Run(3);
    EXPECT_EQ(report.lines.back(), "No se encontr\xF3 el Troyano Deepthroat.b en las carpetas revisadas");

    ops.sweepUnsearched = {"c:\\a\\"};
    ops.residentPath = "systray.exe";
    Run(3);
    EXPECT_EQ(Strings(report.lines.end() - 3, report.lines.end()), (Strings{RegistryDone, one, TrojanRemoved}));

    ops.sweepUnsearched.clear();   // a run that searched everything: no line, as before
    Run(1);
    EXPECT_EQ(report.lines.size(), 6u);
}

TEST_F(DisinfectionRunTest, SeveralPlansShareOneWalkAndEachWritesItsOwnReport)
{
    ops.sweepFinds = {{"acdt.dat", 1}};
    std::map<std::string, LineReport> reports;
    DisinfectionRuns({FindThreat(0), FindThreat(4), FindThreat(3)}, ops, ops,
                     [&](const ThreatEntry& row) -> Report& { return reports[row.listText]; }, flags);
    const std::string find = "find systray.exe in C:\\Program;C:\\WINDOWS";
    EXPECT_EQ(ops.calls,
              (Strings{"kill systray.exe", "kill sysdemio.exe", "kill systemio.exe", "kill systray.exe",
                       "kill sysdemio.exe", "kill systemio.exe", "kill xcvbnm.exe",
                       "walk c:\\ for acdt.dat pddt.dat sysdemio.exe systemio.exe mirc.ini server.ini xcvbnm.exe",
                       "sweep c:\\acdt.dat", "sweep c:\\pddt.dat", "sweep c:\\sysdemio.exe", "sweep c:\\systemio.exe", find,
                       "purge c:\\mirc.ini of server.ini", "sweep c:\\server.ini",
                       "sweep c:\\acdt.dat", "sweep c:\\pddt.dat", "sweep c:\\xcvbnm.exe", find}));
    // The plans' own lines go to their own Reports (the operations' to the fixture's),
    // and what one plan found is not the next one's: each starts as its own run does.
    EXPECT_EQ(reports["Backdoor 2.03 "].lines.at(4),
              "Se encontr\xF3 rastro del Troyano Backdoor 2.03,archivos eliminados sin problemas");
    EXPECT_EQ(reports["Cadena 2 ( Publicidad de web Porno )"].lines,
              (Strings{"Desinfecci\xF3n del archivo mirc.ini Concluida",
                       "Desinfecci\xF3n de archivos server.ini Concluida", "Su sistema no hab\xED" "a sido infectado :)"}));
    EXPECT_EQ(reports["DeepThroat"].lines.size(), 6u);
    EXPECT_EQ(report.lines, Strings(2, Deleted));
}
