// Every plan over small seeded machines, compared byte for byte with the Reports and
// effects recorded in reports/<case>.txt: the machine as seeded, then per plan its Report,
// the entries it deleted, the copies it rewrote, the processes it ended, the error it
// raised and the box it showed. Any change to what a run writes or does shows here.
//
// To record the files anew after a deliberate change, run this test natively with
// PELKARIN_FREEZE_REPORTS set to the reports folder, and read the diff.
#include "engine/DisinfectionRun.h"
#include "engine/EngineError.h"
#include "engine/ThreatCatalogue.h"
#include "tests/cleaning/CleaningFixture.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

namespace {

// The files compiled in by CMake: name (without .txt) and bytes.
struct FrozenFile {
    const char* name;
    std::string bytes;
};
#include "FrozenReports.inc"

const std::string Run = "software\\microsoft\\windows\\currentversion\\run";
const std::string Marked = "[mirc]\r\nn0=mirc.hst\r\nn1=\xC4\r\nn2=server.ini\r\nkeep\r\n";

// Copies at several depths, below other copies, at the root and in a folder named like
// a target; a short-name match and names differing only in case; the resident file in
// the current directory, its Run value and its processes.
void SeedDepths(RecordingPlatform& m)
{
    m.AddFile("c:\\netol.scr");
    m.AddFile("c:\\a\\netol.scr");
    m.AddFile("c:\\a\\b\\netol.scr");
    m.AddFile("c:\\a\\b\\c\\d\\netol.scr");
    m.AddDirectory("c:\\mirc.hst");
    m.AddFile("c:\\mirc.hst\\mirc.hst");
    m.AddFile("c:\\a\\MIRC.HST");
    m.AddFile("c:\\win\\pynkicture image.scr");
    m.SetShortName("c:\\win\\pynkicture image.scr", "PYNKIC~1.SCR");
    m.AddFile("c:\\win\\PDDT.DAT");
    m.AddFile("c:\\win\\system\\acdt.dat");
    m.AddFile("c:\\win\\system\\sysdemio.exe");
    m.AddFile("c:\\x\\\xC4");
    m.AddFile("c:\\y\\\xE4");
    m.AddFile("c:\\mirc.ini", Marked);
    m.AddFile("c:\\irc\\mirc.ini", Marked);
    m.AddFile("c:\\irc\\script.ini", "a\r\n/load mirc.hst\r\n");
    m.AddFile("c:\\irc\\sub\\mirc.ini", Marked);
    m.AddFile("c:\\irc\\server.ini");
    m.AddDirectory("c:\\server.ini");
    m.AddFile("c:\\server.ini\\server.ini");
    m.AddFile("c:\\deep\\1\\2\\3\\systemio.exe");
    m.AddFile("c:\\deep\\1\\xcvbnm.exe");
    m.AddFile("c:\\progs\\systray.exe");
    m.SetCurrentDir("c:\\progs");
    m.SetWindowsDir("c:\\win");
    m.AddProcess("systray.exe");
    m.AddProcess("C:\\WIN\\SYSDEMIO.EXE");
    m.AddProcess("xcvbnm.exe");
    m.AddProcess("explorer.exe");
    m.SetValue(Run, "systemtray", "c:\\progs\\systray.exe");
    m.SetValue(Run, "other", "other.exe");
}

// Folders that cannot be listed (one inside a hidden one), hidden and read-only folders,
// read-only, hidden and system copies, a copy held open, a link named like a target; the
// resident file in the Windows directory and a Run key closed to the user.
void SeedBlocked(RecordingPlatform& m)
{
    m.AddFile("c:\\locked\\netol.scr");
    m.SetUnlistable("c:\\locked");
    m.AddDirectory("c:\\hid", FileAttr::Directory | FileAttr::Hidden);
    m.AddFile("c:\\hid\\acdt.dat", "", FileAttr::ReadOnly);
    m.AddFile("c:\\hid\\shut\\acdt.dat");
    m.SetUnlistable("c:\\hid\\shut");
    m.AddDirectory("c:\\ro", FileAttr::Directory | FileAttr::ReadOnly);
    m.AddFile("c:\\ro\\server.ini", "", FileAttr::ReadOnly | FileAttr::Hidden | FileAttr::System);
    m.AddFile("c:\\ro\\mirc.ini", "n0=server.ini\r\nn1=\xC4\r\n");
    m.AddFile("c:\\busy\\server.ini");
    m.HoldOpen("c:\\busy\\server.ini", RecordingPlatform::HeldBy::Reader);
    m.AddFile("c:\\busy\\a-sub\\server.ini");   // listed before its parent's copy
    m.HoldOpen("c:\\busy\\a-sub\\server.ini", RecordingPlatform::HeldBy::Reader);
    m.AddFile("c:\\busy\\pddt.dat");
    m.HoldOpen("c:\\busy\\pddt.dat", RecordingPlatform::HeldBy::Reader);
    m.AddFile("c:\\link\\mirc.hst", "", FileAttr::Archive | FileAttr::ReparsePoint);
    m.AddDirectory("c:\\link\\away", FileAttr::Directory | FileAttr::ReparsePoint);
    m.AddFile("c:\\link\\away\\mirc.hst");
    m.AddFile("c:\\w\\sysdemio.exe", "", 0x27);
    m.AddFile("c:\\w\\systray.exe");
    m.SetWindowsDir("c:\\w");
    m.SetCurrentDir("c:\\progs");
    m.AddKey(Run, false);
}

// Nothing of any infection: ordinary files, an empty folder, no resident file and no
// Run key at all.
void SeedClean(RecordingPlatform& m)
{
    m.AddFile("c:\\docs\\letter.txt", "hello");
    m.AddFile("c:\\docs\\mirc.ini.bak", "n0=mirc.hst\r\n");
    m.AddDirectory("c:\\empty");
    m.AddFile("c:\\irc\\mirc.ini", "[mirc]\r\nnick=someone\r\n");
    m.SetCurrentDir("c:\\docs");
    m.SetWindowsDir("c:\\windows");
}

// Copies at the root only: every folder listed holds some of the names, so the search
// status stays empty for those.
void SeedRootOnly(RecordingPlatform& m)
{
    for (const char* name : {"acdt.dat", "pddt.dat", "sysdemio.exe", "systemio.exe", "mirc.hst", "mirc.ini"})
        m.AddFile(std::string("c:\\") + name, "n0=mirc.hst\r\n");
    m.SetCurrentDir("c:\\");
    m.SetWindowsDir("c:\\");
}

// Configuration copies the purge cannot rewrite or read: one read-only and needing a
// purge after a plain one and before one in its subfolder, a script.ini another program
// writes; files to delete after them. The Run key is there without the value.
void SeedPurgeErrors(RecordingPlatform& m)
{
    m.AddFile("c:\\a\\mirc.ini", Marked);
    m.AddFile("c:\\b\\mirc.ini", Marked, FileAttr::ReadOnly | FileAttr::Archive);
    m.AddFile("c:\\b\\a-sub\\mirc.ini", Marked);   // listed before its parent's copy
    m.AddFile("c:\\c\\script.ini", "/load mirc.hst\r\n");
    m.HoldOpen("c:\\c\\script.ini", RecordingPlatform::HeldBy::Writer);
    m.AddFile("c:\\c\\netol.scr");
    m.AddFile("c:\\c\\server.ini");
    m.AddFile("c:\\c\\pddt.dat");
    m.SetCurrentDir("c:\\a");
    m.SetWindowsDir("c:\\windows");
    m.AddKey(Run);
}

const std::map<std::string, std::function<void(RecordingPlatform&)>> Seeds = {
    {"depths", SeedDepths}, {"blocked", SeedBlocked}, {"clean", SeedClean},
    {"root-only", SeedRootOnly}, {"purge-errors", SeedPurgeErrors}};

// What one plan wrote and did on a freshly seeded machine.
std::string RunPlan(const std::function<void(RecordingPlatform&)>& seed, int index)
{
    RecordingPlatform machine;
    seed(machine);
    const Strings before = machine.AllPaths();
    std::map<std::string, std::string> contents;
    for (const std::string& path : before)
        if (!(machine.Attributes(path) & FileAttr::Directory))
            contents[path] = machine.Contents(path);
    const std::vector<ProcessEntry> running = machine.Running();

    LineReport report;
    SharedFlags flags;
    SystemCleaning ops(machine, report, flags);
    std::string raised;
    try {
        DisinfectionRun(index, ops, machine, report, flags);
    } catch (const EngineError& error) {
        raised = error.what();
    }

    std::string text = "== " + FindThreat(index)->listText + "\n";
    for (const std::string& line : report.lines)
        text += line + "\n";
    for (const std::string& path : before) {
        if (!machine.Exists(path))
            text += "-- deleted " + path + "\n";
        else if (contents.count(path) && machine.Contents(path) != contents[path])
            text += "-- rewritten " + path + "\n";
    }
    std::set<std::uint32_t> left;
    for (const ProcessEntry& process : machine.Running())
        left.insert(process.id);
    for (const ProcessEntry& process : running)
        if (!left.count(process.id))
            text += "-- ended " + process.exe + "\n";
    if (!raised.empty())
        text += "-- raised " + raised + "\n";
    for (const std::string& box : machine.InformationBoxes())
        text += "-- box " + box + "\n";
    return text;
}

std::string CaseText(const std::function<void(RecordingPlatform&)>& seed)
{
    RecordingPlatform machine;
    seed(machine);
    std::string text = "== machine\n" + machine.Dump();
    for (int index = 0; index < static_cast<int>(ThreatCatalogue().size()); ++index)
        text += RunPlan(seed, index);
    return text;
}

// Where two texts part: the line number and both lines.
std::string FirstDifference(const std::string& got, const std::string& recorded)
{
    std::istringstream a(got), b(recorded);
    std::string gotLine, recordedLine;
    for (int line = 1;; ++line) {
        const bool gotMore = !std::getline(a, gotLine).fail();
        const bool recordedMore = !std::getline(b, recordedLine).fail();
        if (!gotMore && !recordedMore)
            return "no difference";
        if (gotMore != recordedMore || gotLine != recordedLine)
            return "line " + std::to_string(line) + ": \"" + gotLine + "\", recorded \"" + recordedLine + "\"";
    }
}

TEST(FrozenReports, EveryPlanWritesAndDoesWhatWasRecorded)
{
    if (const char* folder = std::getenv("PELKARIN_FREEZE_REPORTS")) {
        for (const auto& [name, seed] : Seeds)
            std::ofstream(std::string(folder) + "/" + name + ".txt", std::ios::binary) << CaseText(seed);
        GTEST_SKIP() << "recorded anew in " << folder;
    }
    ASSERT_EQ(std::size(Frozen), Seeds.size());
    for (const FrozenFile& file : Frozen) {
        ASSERT_TRUE(Seeds.count(file.name)) << file.name;
        const std::string text = CaseText(Seeds.at(file.name));
        EXPECT_TRUE(text == file.bytes) << file.name << ", " << FirstDifference(text, file.bytes);
    }
}

} // namespace
