// Whole removal plans run by the disinfection run over the cleaning operations on an
// infected recording machine: the complete Report and what is left of the infection.
#include "engine/DisinfectionRun.h"
#include "engine/ThreatCatalogue.h"
#include "tests/cleaning/CleaningFixture.h"
#include "tests/cleaning/InfectedMachine.h"

#include <algorithm>
#include <map>

namespace {

class EndToEndTest : public CleaningTest {
protected:
    void SetUp() override { BuildInfectedMachine(machine); }
    void Run(int index) { DisinfectionRun(index, ops, machine, report, flags); }
};

// Counts the walks and the folders they entered, and asks for a stop from a given safe
// point on.
class StoppingProgress : public RunProgress {
public:
    explicit StoppingProgress(int stopAt) : stopAt_(stopAt) {}
    void WalkStarted() override { ++walks; }
    void FolderEntered() override { ++folders; }
    bool StopRequested() const override { return safePoints++ >= stopAt_; }

    int walks = 0;
    int folders = 0;
    mutable int safePoints = 0;

private:
    int stopAt_;
};

const std::string Interrupted = "Desinfecci\xF3n interrumpida: el sistema puede seguir infectado";

TEST_F(EndToEndTest, Netol)
{
    Run(1);
    const Strings expected = {
        "Desinfecci\xF3n del archivo mirc.ini Concluida",
        "Desinfecci\xF3n del archivo script.ini Concluida",
        CopyDeleted, "Desinfecci\xF3n de archivos pynkic~1.scr Concluida",
        CopyDeleted, CopyDeleted, CopyDeleted, "Desinfecci\xF3n de archivos mirc.hst Concluida",
        CopyDeleted, CopyDeleted, "Desinfecci\xF3n de archivos netol.scr Concluida",
        "Su sistema ha sido desinfectado correctamente"};
    EXPECT_EQ(report.lines, expected);
    for (const std::string& copy : MircCopies)
        EXPECT_EQ(machine.Contents(copy), PurgedMircIni("mirc.hst")) << copy;
    for (const std::string& copy : ScriptCopies)
        EXPECT_EQ(machine.Contents(copy), PurgedScriptIni) << copy;
    EXPECT_FALSE(machine.Exists("c:\\windows\\pynkicture image.scr"));
    EXPECT_FALSE(machine.Exists("c:\\a\\mirc.hst"));
    EXPECT_FALSE(machine.Exists("c:\\a\\b\\mirc.hst"));
    EXPECT_FALSE(machine.Exists("c:\\hidden dir\\netol.scr"));
    EXPECT_EQ(machine.Running().size(), 5u);
    ExpectNothingOpen();

    // Every copy went in one run: the next finds nothing.
    Run(1);
    const Strings second = {expected[0], expected[1], expected[3], expected[7], expected[10],
                            "Su sistema no hab\xED" "a sido infectado :)"};
    EXPECT_EQ(report.lines, second);
}

TEST_F(EndToEndTest, Cadena)
{
    Run(2);
    const Strings expected = {"Desinfecci\xF3n del archivo mirc.ini Concluida", CopyDeleted, CopyDeleted,
                              "Desinfecci\xF3n de archivos \xC4 Concluida",
                              "Su sistema ha sido desinfectado correctamente"};
    EXPECT_EQ(report.lines, expected);
    for (const std::string& copy : MircCopies)
        EXPECT_EQ(machine.Contents(copy), PurgedMircIni("\xC4")) << copy;
}

TEST_F(EndToEndTest, CadenaTwoWithACopyThatStays)
{
    machine.HoldOpen("c:\\progs\\irc\\server.ini", RecordingPlatform::HeldBy::Reader);
    Run(4);
    const Strings expected = {"Desinfecci\xF3n del archivo mirc.ini Concluida", CopyDeleted,
                              CopyKept + "c:\\progs\\irc\\server.ini",
                              "Desinfecci\xF3n de archivos server.ini Concluida",
                              "Su sistema sigue infectado: no se pudieron borrar todos los ficheros del Troyano"};
    EXPECT_EQ(report.lines, expected);
    for (const std::string& copy : MircCopies)
        EXPECT_EQ(machine.Contents(copy), PurgedMircIni("server.ini")) << copy;
}

TEST_F(EndToEndTest, BackdoorWithTheResidentFileInTheCurrentDirectory)
{
    Run(0);
    const Strings expected = {
        CopyDeleted, SearchDone, CopyDeleted, SearchDone, CopyDeleted, SearchDone, CopyDeleted, SearchDone,
        "Se encontr\xF3 rastro del Troyano Backdoor 2.03,archivos eliminados sin problemas",
        "Archivo eliminado,continuando b\xFAsqueda",
        "Comprobaci\xF3n de registro finalizada", "Se elimin\xF3 la clave del troyano",
        "Desinfecci\xF3n concluida :)",
        "Se concluyo el proceso de desinfecci\xF3n del registro...",
        "Se elimin\xF3 el troyano de su sistema satisfactoriamente"};
    EXPECT_EQ(report.lines, expected);
    EXPECT_FALSE(machine.Exists("c:\\progs\\app\\systray.exe"));
    EXPECT_EQ(machine.ValueNames(RunKey), Strings{"other"});
    ASSERT_EQ(machine.Running().size(), 2u);
    EXPECT_EQ(machine.Running()[0].exe, "xcvbnm.exe");
    ExpectNothingOpen();
}

// Files that the system reports deleted but that stay (immutable) get the failure lines,
// never a success line.
TEST_F(EndToEndTest, BackdoorWhoseFilesSurviveDeletion)
{
    machine.MakeImmutable("c:\\windows\\system\\acdt.dat");
    machine.MakeImmutable("c:\\progs\\app\\systray.exe");
    Run(0);
    const Strings expected = {
        CopyKept + "c:\\windows\\system\\acdt.dat", SearchDone, CopyDeleted, SearchDone, CopyDeleted, SearchDone,
        CopyDeleted, SearchDone,
        "Se encontr\xF3 rastro del Troyano, pero no se pudieron borrar todos sus archivos",
        "No se pudo eliminar el archivo systray.exe",
        "Comprobaci\xF3n de registro finalizada", "Se elimin\xF3 la clave del troyano",
        "Desinfecci\xF3n concluida :)",
        "Se concluyo el proceso de desinfecci\xF3n del registro...",
        "El troyano no pudo ser eliminado por completo de su sistema"};
    EXPECT_EQ(report.lines, expected);
    EXPECT_TRUE(machine.Exists("c:\\windows\\system\\acdt.dat"));
    EXPECT_EQ(machine.Attributes("c:\\windows\\system\\acdt.dat"), FileAttr::Hidden);
    EXPECT_TRUE(machine.Exists("c:\\progs\\app\\systray.exe"));
}

TEST_F(EndToEndTest, CadenaTwoWithACopyThatSurvivesDeletion)
{
    machine.MakeImmutable("c:\\a\\server.ini");
    Run(4);
    const Strings expected = {"Desinfecci\xF3n del archivo mirc.ini Concluida", CopyKept + "c:\\a\\server.ini",
                              CopyDeleted, "Desinfecci\xF3n de archivos server.ini Concluida",
                              "Su sistema sigue infectado: no se pudieron borrar todos los ficheros del Troyano"};
    EXPECT_EQ(report.lines, expected);
}

TEST_F(EndToEndTest, BackdoorWhoseRunKeyIsClosedToTheUser)
{
    machine.AddKey(RunKey, false);
    Run(0);
    EXPECT_EQ(machine.InformationBoxes(), Strings{"Error abriendo valor del registro"});
    const Strings closing = {"Archivo eliminado,continuando b\xFAsqueda",
                             "Se concluyo el proceso de desinfecci\xF3n del registro...",
                             "El troyano no pudo ser eliminado por completo de su sistema"};
    EXPECT_EQ(Strings(report.lines.end() - 3, report.lines.end()), closing);
    EXPECT_TRUE(machine.HasValue(RunKey, "systemtray"));
}

// A machine clean but for a folder that cannot be looked into: no verdict says it is clean.
TEST(EndToEndUnsearched, NoRowClaimsTheSystemCleanWhereFoldersWentUnsearched)
{
    for (int index = 0; index < static_cast<int>(ThreatCatalogue().size()); ++index) {
        RecordingPlatform machine;
        machine.AddDirectory("c:\\locked");
        machine.SetUnlistable("c:\\locked");
        LineReport report;
        SharedFlags flags;
        SystemCleaning ops(machine, report, flags);
        DisinfectionRun(index, ops, machine, report, flags);
        const ThreatEntry& row = *FindThreat(index);
        ASSERT_GE(report.lines.size(), 2u);
        EXPECT_EQ(report.lines[report.lines.size() - 2], "No se pudo revisar 1 carpeta de la unidad C:") << index;
        EXPECT_EQ(report.lines.back(), row.kind == PlanKind::MircWorm
                                           ? "No se encontr\xF3 la infecci\xF3n en las carpetas revisadas"
                                           : row.notFoundSearchedLine)
            << index;
    }
}

// One walk per run, whatever the plan or plans: each folder is listed once, and nothing
// else looks through the drive.
TEST_F(EndToEndTest, EachRunListsEveryFolderOnce)
{
    std::size_t folders = 1;   // the root
    for (const std::string& path : machine.AllPaths())
        folders += (machine.Attributes(path) & FileAttr::Directory) != 0;
    const auto expectOneWalk = [&](const RecordingPlatform& run, const StoppingProgress& progress, int plan) {
        std::map<std::string, int> listings;
        for (const std::string& call : run.Log())
            if (call.rfind("FindFirst ", 0) == 0 && call.size() > 14 && call.compare(call.size() - 4, 4, "\\*.*") == 0)
                ++listings[call];
        EXPECT_EQ(listings.size(), folders) << plan;
        for (const auto& [call, times] : listings)
            EXPECT_EQ(times, 1) << plan << " " << call;
        EXPECT_EQ(progress.walks, 1) << plan;
        EXPECT_EQ(progress.folders, static_cast<int>(folders)) << plan;
    };
    std::vector<const ThreatEntry*> all;
    for (int index = 0; index < 5; ++index) {
        RecordingPlatform fresh;
        BuildInfectedMachine(fresh);
        StoppingProgress progress(1 << 30);
        SystemCleaning watched(fresh, report, flags, progress);
        DisinfectionRun(index, watched, fresh, report, flags, progress);
        expectOneWalk(fresh, progress, index);
        all.push_back(FindThreat(index));
    }
    StoppingProgress progress(1 << 30);
    SystemCleaning watched(machine, report, flags, progress);
    DisinfectionRuns(all, watched, machine, [&](const ThreatEntry&) -> Report& { return report; }, flags, progress);
    expectOneWalk(machine, progress, -1);
}

// A stop asked for at any safe point of any plan ends the Report with the interrupted line
// after what the run wrote so far, never inside the rewrite of a copy, and leaves nothing
// open.
TEST_F(EndToEndTest, StopAtEverySafePointOfEveryPlan)
{
    for (int index = 0; index < 5; ++index) {
        RecordingPlatform whole;
        BuildInfectedMachine(whole);
        LineReport wholeReport;
        StoppingProgress never(1 << 30);
        SystemCleaning wholeOps(whole, wholeReport, flags, never);
        DisinfectionRun(index, wholeOps, whole, wholeReport, flags, never);

        for (int stopAt = 0; stopAt < never.safePoints; ++stopAt) {
            RecordingPlatform stopped;
            BuildInfectedMachine(stopped);
            StoppingProgress progress(stopAt);
            SystemCleaning stoppedOps(stopped, report, flags, progress);
            DisinfectionRun(index, stoppedOps, stopped, report, flags, progress);
            const std::string where = std::to_string(index) + " stopped at " + std::to_string(stopAt);

            ASSERT_FALSE(report.lines.empty()) << where;
            EXPECT_EQ(report.lines.back(), Interrupted) << where;
            const Strings written(report.lines.begin(), report.lines.end() - 1);
            ASSERT_LT(written.size(), wholeReport.lines.size()) << where;
            EXPECT_TRUE(std::equal(written.begin(), written.end(), wholeReport.lines.begin())) << where;
            for (const std::string& copy : MircCopies) {
                const std::string bytes = stopped.Contents(copy);
                EXPECT_TRUE(bytes == MircIni || bytes == whole.Contents(copy)) << where << " " << copy;
            }
            EXPECT_EQ(stopped.OpenListings(), 0) << where;
            if (stopAt == 0) {
                EXPECT_EQ(stopped.Running().size(), 5u) << "nothing happens before the first safe point";
            }
        }
    }
}

} // namespace
