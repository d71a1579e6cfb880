// What a run takes off the machine goes into its quarantine: moved there with its
// manifest lines, or left where it was and reported as not removed; and never lost,
// whatever call the program is killed at.
#include "cleaning/Quarantine.h"
#include "cleaning/Undo.h"
#include "engine/DisinfectionRun.h"
#include "tests/cleaning/CleaningFixture.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

const std::string Quarantined = "c:\\programdata\\Pelkarin\\Cuarentena\\";

std::string FolderId(RecordingPlatform& machine, const std::string& dir)
{
    FileIdentity id;
    EXPECT_TRUE(machine.FolderIdentity(dir, id));
    char text[40];
    std::snprintf(text, sizeof text, "%x:%llx", id.volume, static_cast<unsigned long long>(id.index));
    return text;
}

// The run folders of the quarantine, oldest first.
Strings RunFolders(const RecordingPlatform& machine)
{
    Strings runs;
    for (const std::string& path : machine.AllPaths())
        if (path.rfind(Quarantined, 0) == 0 && path.find('\\', Quarantined.size()) == std::string::npos)
            runs.push_back(path.substr(Quarantined.size()));
    return runs;
}

TEST(RunFolderName, IsTheUtcDateAndTime)
{
    EXPECT_EQ(RunFolderName(116444736000000000ull), "19700101-000000");
    EXPECT_EQ(RunFolderName(134101259550000000ull), "20251213-185915");
    EXPECT_EQ(RunFolderName(0), "19700101-000000") << "before 1970 reads as its start";
}

TEST_F(CleaningTest, ARemovedFileIsMovedWithItsAttributesAndItsManifestLines)
{
    machine.AddFile("c:\\w\\sysdemio.exe", "abc", 0x27);
    machine.AddFile("c:\\cur\\systray.exe", "resident");
    machine.SetCurrentDir("c:\\cur");
    ops.RunStarts();
    EXPECT_TRUE(ops.ForceDeleteFile("c:\\w\\sysdemio.exe"));
    EXPECT_TRUE(ops.ForceDeleteFile("systray.exe"));   // the resident file, as found
    EXPECT_FALSE(machine.Exists("c:\\w\\sysdemio.exe"));
    EXPECT_FALSE(ops.ForceDeleteFile("c:\\w\\sysdemio.exe")) << "gone: nothing to remove";

    const Strings runs = RunFolders(machine);
    ASSERT_EQ(runs.size(), 1u);
    const std::string run = Quarantined + runs[0] + "\\";
    EXPECT_EQ(machine.Contents(run + "1.pkq"), "abc");
    EXPECT_EQ(machine.Attributes(run + "1.pkq"), 0x27u);
    EXPECT_EQ(machine.Contents(run + "2.pkq"), "resident");
    EXPECT_EQ(machine.Contents(run + ManifestName),
              "item\t1\tfile\tc:\\w\\sysdemio.exe\t" + FolderId(machine, "c:\\w") + "\t3\t27\t1.pkq\r\n"
              "done\t1\r\n"
              "item\t2\tfile\tc:\\cur\\systray.exe\t" + FolderId(machine, "c:\\cur") + "\t8\t20\t2.pkq\r\n"
              "done\t2\r\n");

    // The next run, in the same second, has a folder of its own.
    machine.AddFile("c:\\w\\acdt.dat");
    ops.RunStarts();
    EXPECT_TRUE(ops.ForceDeleteFile("c:\\w\\acdt.dat"));
    EXPECT_EQ(RunFolders(machine), (Strings{runs[0], runs[0] + "-2"}));
    ExpectNothingOpen();
}

// A file the quarantine cannot take stays where it is, and the run says so.
TEST(QuarantineRefusal, TheFileStaysAndTheRunSaysNotEverythingWasRemoved)
{
    using Call = RecordingPlatform::Call;
    const struct {
        const char* what;
        std::function<void(RecordingPlatform&)> fault;
    } cases[] = {
        {"a link on the way", [](RecordingPlatform& m) { m.AddDirectory("c:\\j", FileAttr::Directory | FileAttr::ReparsePoint); }},
        {"no quarantine folder", [](RecordingPlatform& m) { m.FailEvery(Call::MakeDirectory); }},
        {"no manifest line", [](RecordingPlatform& m) { m.FailEvery(Call::WriteFile); }},
        {"no rename", [](RecordingPlatform& m) { m.FailEvery(Call::Rename); }},
    };
    for (const auto& c : cases) {
        RecordingPlatform machine;
        LineReport report;
        SharedFlags flags;
        SystemCleaning ops(machine, report, flags);
        c.fault(machine);
        machine.AddFile("c:\\j\\netol.scr", "n");
        EXPECT_FALSE(ops.ForceDeleteFile("c:\\j\\netol.scr")) << c.what;
        EXPECT_EQ(machine.Contents("c:\\j\\netol.scr"), "n") << c.what;
    }

    // A whole run whose quarantine cannot be written: nothing is deleted, and the verdict
    // says so.
    RecordingPlatform machine;
    LineReport report;
    SharedFlags flags;
    SystemCleaning ops(machine, report, flags);
    machine.AddFile("c:\\j\\netol.scr", "n");
    machine.FailEvery(Call::MakeDirectory);
    DisinfectionRun(1, ops, machine, report, flags);
    EXPECT_TRUE(machine.Exists("c:\\j\\netol.scr"));
    EXPECT_EQ(std::count(report.lines.begin(), report.lines.end(), CopyKept + "c:\\j\\netol.scr"), 1);
    EXPECT_EQ(report.lines.back(), "Su sistema sigue infectado: no se pudieron borrar todos los ficheros del Troyano");
}

// Cadena and DeepThroat in one run: a file the sweep removes, the resident file, a
// configuration copy and the Run value.
struct KillRun {
    RecordingPlatform machine;
    LineReport report;
    SharedFlags flags;

    KillRun()
    {
        machine.AddFile("c:\\a\\xcvbnm.exe", "sweep");
        machine.AddFile("c:\\tools\\systray.exe", "resident");
        machine.AddFile("c:\\m\\mirc.ini", "nick=\xC4ndi\r\nkeep\r\n");
        machine.SetCurrentDir("c:\\tools");
        machine.AddKey(RunKey);
        machine.SetValue(RunKey, "systemtray", "c:\\tools\\systray.exe");
    }
    void Run()
    {
        SystemCleaning ops(machine, report, flags);
        const std::vector<const ThreatEntry*> rows = {FindThreat(2), FindThreat(3)};
        try {
            DisinfectionRuns(rows, ops, machine, [&](const ThreatEntry&) -> Report& { return report; }, flags);
        } catch (const ProgramKilled&) {
        }
    }
};

// The stored name of the item whose line names path, or empty.
std::string ItemFor(const std::string& manifest, const std::string& path)
{
    const std::string::size_type at = manifest.find("\tfile\t" + path + "\t");
    if (at == std::string::npos)
        return {};
    const std::string::size_type end = manifest.find("\r\n", at);
    const std::string line = manifest.substr(at, end - at);
    return line.substr(line.rfind('\t') + 1);
}

TEST(QuarantineKill, EachItemIsInItsPlaceOrQuarantinedAfterAKillAnywhereAndTheUndoGivesAllBack)
{
    KillRun whole;
    whole.Run();
    const std::size_t calls = whole.machine.CallCount();
    ASSERT_EQ(RunFolders(whole.machine).size(), 1u);
    for (std::size_t kill = 0; kill < calls; ++kill) {
        KillRun killed;
        killed.machine.KillAtCallNumber(kill);
        killed.Run();
        killed.machine.Restart();
        const Strings runs = RunFolders(killed.machine);
        const std::string run = runs.empty() ? std::string() : Quarantined + runs[0] + "\\";
        const std::string manifest =
            killed.machine.Exists(run + ManifestName) ? killed.machine.Contents(run + ManifestName) : std::string();
        for (const auto& [path, bytes] : {std::pair<std::string, std::string>{"c:\\a\\xcvbnm.exe", "sweep"},
                                          {"c:\\tools\\systray.exe", "resident"}}) {
            const std::string stored = ItemFor(manifest, path);
            const bool inPlace = killed.machine.Exists(path) && killed.machine.Contents(path) == bytes;
            const bool inQuarantine = !stored.empty() && killed.machine.Exists(run + stored) &&
                                      killed.machine.Contents(run + stored) == bytes;
            EXPECT_NE(inPlace, inQuarantine) << "killed at call " << kill << ": " << path << "\n"
                                             << killed.machine.Dump();
        }
        EXPECT_TRUE(killed.machine.HasValue(RunKey, "systemtray") ||
                    manifest.find("\tvalue\tsystemtray\t") != std::string::npos)
            << "killed at call " << kill;

        // And the undo that follows gives everything back.
        DataRoot data(killed.machine);
        LineReport undo;
        const bool refused = UndoLastRun(killed.machine, data, undo);
        EXPECT_EQ(killed.machine.Contents("c:\\a\\xcvbnm.exe"), "sweep") << "killed at call " << kill;
        EXPECT_EQ(killed.machine.Contents("c:\\tools\\systray.exe"), "resident") << "killed at call " << kill;
        EXPECT_EQ(killed.machine.ValueData(RunKey, "systemtray"), "c:\\tools\\systray.exe") << "killed at call " << kill;
        // The copy's original is back, in place, or beside it when the kill left no record
        // of what the purge wrote.
        const std::string beside = "c:\\m\\mirc.ini.restaurado";
        EXPECT_EQ(refused, killed.machine.Exists(beside)) << "killed at call " << kill;
        EXPECT_EQ(killed.machine.Exists(beside) ? killed.machine.Contents(beside)
                                                : killed.machine.Contents("c:\\m\\mirc.ini"),
                  "nick=\xC4ndi\r\nkeep\r\n")
            << "killed at call " << kill;
        if (::testing::Test::HasFailure())
            return;
    }
}

// Every entry of the drive outside the data root, with its attributes and contents.
Strings Snapshot(const RecordingPlatform& machine)
{
    Strings state;
    for (const std::string& path : machine.AllPaths())
        if (path.rfind("c:\\programdata", 0) != 0)
            state.push_back(path + " " + std::to_string(machine.Attributes(path)) + " " +
                            ((machine.Attributes(path) & FileAttr::Directory) ? "" : machine.Contents(path)));
    return state;
}

TEST_F(CleaningTest, AnUndoPutsEveryFileBackAsItWasAndOnlyOnce)
{
    machine.AddFile("c:\\a\\netol.scr", "one", FileAttr::Hidden | FileAttr::ReadOnly);
    machine.AddFile("c:\\b\\mirc.hst", "two");
    machine.AddFile("c:\\b\\keep.txt", "keep");
    machine.AddFile("c:\\m\\mirc.ini", "[rfiles]\nn0=mirc.hst\nn1=keep", FileAttr::Hidden);
    const Strings before = Snapshot(machine);
    EXPECT_FALSE(HasRunToUndo(machine, ops.Data()));
    DisinfectionRun(1, ops, machine, report, flags);
    ASSERT_FALSE(machine.Exists("c:\\a\\netol.scr"));
    ASSERT_TRUE(HasRunToUndo(machine, ops.Data()));

    LineReport undo;
    EXPECT_FALSE(UndoLastRun(machine, ops.Data(), undo));
    EXPECT_EQ(undo.lines, (Strings{"Restaurado: c:\\a\\netol.scr", "Restaurado: c:\\b\\mirc.hst",
                                   "Restaurado: c:\\m\\mirc.ini", "Se deshizo la desinfecci\xF3n"}));
    EXPECT_EQ(Snapshot(machine), before);
    EXPECT_FALSE(HasRunToUndo(machine, ops.Data()));
    EXPECT_TRUE(RunFolders(machine).empty()) << "all came back: the run's folder goes";
    ExpectNothingOpen();
}

// A new run's first item removes the oldest runs beyond the ten kept, items and all, and
// the undo still takes the newest.
TEST_F(CleaningTest, TheQuarantineKeepsTheLastTenRuns)
{
    for (std::size_t run = 1; run <= KeptRuns + 1; ++run) {
        machine.AddFile("c:\\w\\acdt.dat", std::to_string(run), FileAttr::ReadOnly);
        ops.RunStarts();
        ASSERT_TRUE(ops.ForceDeleteFile("c:\\w\\acdt.dat"));
    }
    std::set<std::string> kept;
    for (const std::string& run : RunFolders(machine))
        kept.insert(machine.Contents(Quarantined + run + "\\1.pkq"));
    EXPECT_EQ(kept, (std::set<std::string>{"2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}));

    LineReport undo;
    EXPECT_FALSE(UndoLastRun(machine, ops.Data(), undo));
    EXPECT_EQ(machine.Contents("c:\\w\\acdt.dat"), "11");
    EXPECT_EQ(RunFolders(machine).size(), KeptRuns - 1);
    ExpectNothingOpen();
}

// What stands in an item's way is never overwritten; what was refused is taken up by the
// next undo once the way is clear.
TEST_F(CleaningTest, AnUndoRefusesAClashOrAnotherFolderAndTheNextTakesUpTheRest)
{
    machine.AddFile("c:\\a\\netol.scr", "one");
    machine.AddFile("c:\\b\\mirc.hst", "two");
    machine.AddFile("c:\\m\\script.ini", "n0=mirc.hst\r\n");
    DisinfectionRun(1, ops, machine, report, flags);
    machine.AddFile("c:\\a\\netol.scr", "the user's new file");
    machine.AddFile("c:\\m\\script.ini", "mIRC wrote it since");
    ASSERT_TRUE(machine.Rename("c:\\b", "c:\\b-old"));
    machine.AddDirectory("c:\\b");   // the same name, another folder

    LineReport undo;
    EXPECT_TRUE(UndoLastRun(machine, ops.Data(), undo));
    EXPECT_EQ(undo.lines, (Strings{"No se restaur\xF3 porque ya existe: c:\\a\\netol.scr",
                                   "No se restaur\xF3 porque la carpeta cambi\xF3: c:\\b\\mirc.hst",
                                   "Guardado como script.ini.restaurado porque cambi\xF3 despu\xE9s: c:\\m\\script.ini",
                                   "No se pudo deshacer todo"}));
    EXPECT_EQ(machine.Contents("c:\\a\\netol.scr"), "the user's new file");
    EXPECT_EQ(machine.Contents("c:\\m\\script.ini"), "mIRC wrote it since");
    EXPECT_EQ(machine.Contents("c:\\m\\script.ini.restaurado"), "n0=mirc.hst\r\n");
    EXPECT_EQ(RunFolders(machine).size(), 1u) << "kept while anything is refused";

    ASSERT_TRUE(machine.RemoveFile("c:\\a\\netol.scr"));
    undo.lines.clear();
    EXPECT_TRUE(UndoLastRun(machine, ops.Data(), undo));
    EXPECT_EQ(undo.lines.at(0), "Restaurado: c:\\a\\netol.scr");
    EXPECT_EQ(machine.Contents("c:\\a\\netol.scr"), "one");
}

} // namespace
