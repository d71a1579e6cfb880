// The "Desinfectar" button on a drive C: seeded with each infection, and on a clean one.
// The program sweeps the whole drive: everything seeded lives in the scratch tree, the
// dist folder or the Run key, and is taken away again.
#include "res/resource.h"
#include "tests/ui/PelkarinSession.h"
#include "tests/ui/ScratchMachine.h"
#include "tests/win32/support/ScratchFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace {

const char* const SearchDone = "B\xFAsqueda concluida,siguiente b\xFAsqueda...";
const char* const Deleted = "Fichero del Troyano borrado.";
const char* const Disinfected = "Su sistema ha sido desinfectado correctamente";
const char* const NotInfected = "Su sistema no hab\xED" "a sido infectado :)";
const char* const ResidentDeleted = "Archivo eliminado,continuando b\xFAsqueda";
const char* const RegistryDone = "Se concluyo el proceso de desinfecci\xF3n del registro...";
const char* const TrojanRemoved = "Se elimin\xF3 el troyano de su sistema satisfactoriamente";
const char* const TrojanStays = "El troyano no pudo ser eliminado por completo de su sistema";
const char* const RegistryUntouched = "El registro no fue afectado por el troyano...";
const char* const KeepValue = "pelkarin-e2e-keep";

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string ConfigPurged(const std::string& file) { return "Desinfecci\xF3n del archivo " + file + " Concluida"; }
std::string FilesSwept(const std::string& name) { return "Desinfecci\xF3n de archivos " + name + " Concluida"; }

std::string Resident() { return DistFolder() + "\\systray.exe"; }

std::string RunDisinfection(int row)
{
    PelkarinSession session;
    session.Select(row);
    session.Click(session.DisinfectButton());
    return session.PaneText();
}

// Seeds shared by the two resident backdoors: the resident program running from the
// dist folder, the startup value beside an unrelated one, an unrelated process.
struct ResidentSeed {
    ResidentSeed()
    {
        run.Set("systemtray", Resident());
        run.Set(KeepValue, "c:\\pelkarin-e2e\\keep\\keeper.exe");
    }

    ScratchFile residentCopy{Resident()};
    ScratchTree scratch;
    RunValues run;
    ChildProcess resident = StartCopyAs(DistFolder(), "systray.exe");
    ChildProcess keeper = StartCopyAs(ScratchTree::Path("keep"), "keeper.exe");
};

void ExpectResidentRemoved(const ResidentSeed& seed)
{
    EXPECT_TRUE(seed.resident.WaitForExit(5000));
    EXPECT_FALSE(FileExists(Resident()));
    EXPECT_FALSE(RunValues::Has("systemtray"));
    EXPECT_TRUE(RunValues::Has(KeepValue));
    EXPECT_FALSE(seed.keeper.WaitForExit(0));
}

} // namespace

// Another program's run holds the machine's run lock: the window's run writes one line
// and touches nothing.
TEST(DisinfectWhileAnotherRuns, WritesOneLineAndLeavesTheInfection)
{
    ScratchTree scratch;
    ScratchTree::Write("netol\\netol.scr", "n");
    HANDLE held[2];
    int count = 0;
    for (const char* name : {"Global\\PelkarinRun", "PelkarinRun"})
        if (HANDLE mutex = CreateMutexA(nullptr, TRUE, name))
            held[count++] = mutex;
    ASSERT_EQ(count, 2);
    EXPECT_EQ(RunDisinfection(1), Lines({"Otra desinfecci\xF3n est\xE1 en curso en este equipo"}));
    EXPECT_TRUE(FileExists(ScratchTree::Path("netol\\netol.scr")));
    for (int i = 0; i < count; ++i) {
        ReleaseMutex(held[i]);
        CloseHandle(held[i]);
    }
}

TEST(DisinfectInfected, Backdoor)
{
    ResidentSeed seed;
    ScratchTree::Write("back\\data\\acdt.dat", "a");
    ScratchTree::Write("back\\data\\pddt.dat", "p");
    ScratchTree::Write("back\\data\\acdt.txt", "unrelated");
    ScratchTree::Write("back\\systemio.exe", "s");
    ChildProcess sysdemio = StartCopyAs(ScratchTree::Path("back\\procs"), "sysdemio.exe");

    EXPECT_EQ(RunDisinfection(0),
              Lines({Deleted, SearchDone, Deleted, SearchDone, Deleted, SearchDone, Deleted, SearchDone,
                     "Se encontr\xF3 rastro del Troyano Backdoor 2.03,archivos eliminados sin problemas",
                     ResidentDeleted, "Comprobaci\xF3n de registro finalizada", "Se elimin\xF3 la clave del troyano",
                     "Desinfecci\xF3n concluida :)", RegistryDone, TrojanRemoved}));
    ExpectResidentRemoved(seed);
    EXPECT_TRUE(sysdemio.WaitForExit(5000));
    for (const char* gone : {"back\\data\\acdt.dat", "back\\data\\pddt.dat", "back\\systemio.exe",
                             "back\\procs\\sysdemio.exe"})
        EXPECT_FALSE(FileExists(ScratchTree::Path(gone))) << gone;
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("back\\data\\acdt.txt")), "unrelated");
}

TEST(DisinfectInfected, DeepThroat)
{
    ResidentSeed seed;
    ScratchTree::Write("deep\\acdt.dat", "a");
    ScratchTree::Write("deep\\logs\\pddt.dat", "p");
    ScratchTree::Write("deep\\logs\\pddt.log", "unrelated");
    ChildProcess server = StartCopyAs(ScratchTree::Path("deep\\srv"), "xcvbnm.exe");

    EXPECT_EQ(RunDisinfection(3),
              Lines({Deleted, SearchDone, Deleted, SearchDone, Deleted, SearchDone,
                     "Se encontr\xF3 rastro del Troyano DeepThroat.b,archivos eliminados sin problemas",
                     ResidentDeleted, "Comprobaci\xF3n de registro finalizada", "Se elimin\xF3 la clave del troyano",
                     "Desinfecci\xF3n concluida :)", RegistryDone, TrojanRemoved}));
    ExpectResidentRemoved(seed);
    EXPECT_TRUE(server.WaitForExit(5000));
    for (const char* gone : {"deep\\acdt.dat", "deep\\logs\\pddt.dat", "deep\\srv\\xcvbnm.exe"})
        EXPECT_FALSE(FileExists(ScratchTree::Path(gone))) << gone;
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("deep\\logs\\pddt.log")), "unrelated");
}

TEST(DisinfectInfected, Netol)
{
    ScratchTree scratch;
    ScratchTree::Write("netol\\mirc\\mirc.ini", "[rfiles]\r\nn0=c:\\mirc\\mirc.hst\r\nn1=keep.ini\nn2=mirc.hst");
    ScratchTree::Write("netol\\mirc\\script.ini", "[script]\r\nn0=/load -rs mirc.hst\r\nn1=on 1:TEXT\r\n");
    const std::string cleanCopy = "[rfiles]\nn0=MIRC.HST\nn1=keep.ini\n";
    ScratchTree::Write("netol\\other\\mirc.ini", cleanCopy);
    ScratchTree::Write("netol\\files\\pynkic~1.scr", "w");
    ScratchTree::Write("netol\\files\\mirc.hst", "w");
    ScratchTree::Write("netol\\files\\netol.scr", "w");
    ScratchTree::Write("netol\\files\\netol.scr.txt", "unrelated");

    EXPECT_EQ(RunDisinfection(1),
              Lines({ConfigPurged("mirc.ini"), ConfigPurged("script.ini"), Deleted, FilesSwept("pynkic~1.scr"),
                     Deleted, FilesSwept("mirc.hst"), Deleted, FilesSwept("netol.scr"), Disinfected}));
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("netol\\mirc\\mirc.ini")), "[rfiles]\r\nn1=keep.ini\r\n");
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("netol\\mirc\\script.ini")), "[script]\r\nn1=on 1:TEXT\r\n");
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("netol\\other\\mirc.ini")), cleanCopy);
    for (const char* gone : {"netol\\files\\pynkic~1.scr", "netol\\files\\mirc.hst", "netol\\files\\netol.scr"})
        EXPECT_FALSE(FileExists(ScratchTree::Path(gone))) << gone;
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("netol\\files\\netol.scr.txt")), "unrelated");
}

// The system menu's undo after a run: the pane shows only the undo, and the file is back.
TEST(DisinfectInfected, NetolUndoneFromTheSystemMenu)
{
    ScratchTree scratch;
    ScratchTree::Write("netol\\files\\netol.scr", "worm");
    PelkarinSession session;
    session.Select(1);
    session.Click(session.DisinfectButton());
    ASSERT_FALSE(FileExists(ScratchTree::Path("netol\\files\\netol.scr")));

    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(session.Form(), WM_SYSCOMMAND, IDM_UNDO_LAST_RUN, 0, SMTO_NORMAL, 60000, &answer));
    session.WaitForHandler();
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("netol\\files\\netol.scr")), "worm");
    const std::string pane = session.PaneText();
    EXPECT_EQ(pane.rfind("Restaurado: ", 0), 0u) << pane;
    const std::string verdict = Lines({"Se deshizo la desinfecci\xF3n"});
    EXPECT_EQ(pane.substr(pane.size() - std::min(pane.size(), verdict.size())), verdict) << pane;
}

// A copy another program holds is a line of the Report, and the plan goes on: a read-only
// copy is purged and stays read-only, the other copy is purged, the worm's file deleted.
TEST(DisinfectInfected, NetolWithALockedAndAReadOnlyCopy)
{
    ScratchTree scratch;
    const std::string infected = "[rfiles]\r\nn0=mirc.hst\r\nn1=keep.ini\r\n", purged = "[rfiles]\r\nn1=keep.ini\r\n";
    for (const char* copy : {"m19\\a\\mirc.ini", "m19\\b\\mirc.ini", "m19\\c\\mirc.ini"})
        ScratchTree::Write(copy, infected);
    const std::string locked = ScratchTree::Path("m19\\a\\mirc.ini"), readOnly = ScratchTree::Path("m19\\b\\mirc.ini");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    ScratchTree::Write("m19\\files\\netol.scr", "w");
    std::optional<ChildProcess> locker(ChildProcess::HoldingFileOpen(locked));

    EXPECT_EQ(RunDisinfection(1),
              Lines({"No se pudo desinfectar el archivo " + locked, ConfigPurged("mirc.ini"), ConfigPurged("script.ini"),
                     FilesSwept("pynkic~1.scr"), FilesSwept("mirc.hst"), Deleted, FilesSwept("netol.scr"),
                     "Su sistema sigue infectado: no se pudieron borrar todos los ficheros del Troyano"}));
    EXPECT_EQ(ReadFileBytes(readOnly), purged);
    EXPECT_EQ(GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("m19\\c\\mirc.ini")), purged);
    EXPECT_FALSE(FileExists(ScratchTree::Path("m19\\files\\netol.scr")));
    locker.reset();
    EXPECT_EQ(ReadFileBytes(locked), infected);
}

TEST(DisinfectInfected, Cadena)
{
    ScratchTree scratch;
    ScratchTree::Write("cadena\\mirc\\mirc.ini", "[fileserver]\r\nn0=\xC4\r\nn1=Ma\xF1" "ana \xE4\r\nn2=x\xC4y\r\n");
    ScratchTree::Write("cadena\\files\\\xC4", "w");
    ScratchTree::Write("cadena\\files\\\xC4\xC4", "unrelated");

    EXPECT_EQ(RunDisinfection(2), Lines({ConfigPurged("mirc.ini"), Deleted, FilesSwept("\xC4"), Disinfected}));
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("cadena\\mirc\\mirc.ini")), "[fileserver]\r\nn1=Ma\xF1" "ana \xE4\r\n");
    EXPECT_FALSE(FileExists(ScratchTree::Path("cadena\\files\\\xC4")));
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("cadena\\files\\\xC4\xC4")), "unrelated");
}

TEST(DisinfectInfected, Cadena2)
{
    ScratchTree scratch;
    ScratchTree::Write("cadena2\\mirc\\mirc.ini", "[rfiles]\r\nn0=server.ini\r\nn1=servers.ini\r\n");
    ScratchTree::Write("cadena2\\a\\server.ini", "w");
    ScratchTree::Write("cadena2\\b\\server.ini", "w");
    ScratchTree::Write("cadena2\\hidden\\server.ini", "w");
    SetFileAttributesA(ScratchTree::Path("cadena2\\hidden").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(RunDisinfection(4),
              Lines({ConfigPurged("mirc.ini"), Deleted, Deleted, Deleted, FilesSwept("server.ini"), Disinfected}));
    EXPECT_EQ(ReadFileBytes(ScratchTree::Path("cadena2\\mirc\\mirc.ini")), "[rfiles]\r\nn1=servers.ini\r\n");
    EXPECT_FALSE(FileExists(ScratchTree::Path("cadena2\\a\\server.ini")));
    EXPECT_FALSE(FileExists(ScratchTree::Path("cadena2\\b\\server.ini")));
    EXPECT_FALSE(FileExists(ScratchTree::Path("cadena2\\hidden\\server.ini"))) << "a hidden folder is searched too";
}

TEST(DisinfectInfected, ResidentFileThatSurvivesDeletion)
{
    ScratchFile resident(Resident(), "resident");
    const ImmutableFile immutable(Resident());
    if (!immutable.Made())
        GTEST_SKIP() << "chattr +i is not possible here: it needs root and ext2/3/4, XFS or Btrfs";
    EXPECT_EQ(RunDisinfection(0),
              Lines({SearchDone, SearchDone, SearchDone, SearchDone, "No se pudo eliminar el archivo systray.exe",
                     "Comprobaci\xF3n de registro finalizada", "Se elimin\xF3 la clave del troyano",
                     "Desinfecci\xF3n concluida :)", RegistryDone, TrojanStays}));
    EXPECT_TRUE(FileExists(Resident()));
}

TEST(DisinfectClean, EachRowReportsNothingFound)
{
    ASSERT_FALSE(FileExists(Resident()));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    ASSERT_FALSE(FileExists(std::string(windows) + "\\systray.exe"));
    EXPECT_EQ(RunDisinfection(0),
              Lines({SearchDone, SearchDone, SearchDone, SearchDone, RegistryUntouched,
                     "No se encontr\xF3 el Troyano Backdoor 2.03 en su sistema :)"}));
    EXPECT_EQ(RunDisinfection(1),
              Lines({ConfigPurged("mirc.ini"), ConfigPurged("script.ini"), FilesSwept("pynkic~1.scr"),
                     FilesSwept("mirc.hst"), FilesSwept("netol.scr"), NotInfected}));
    EXPECT_EQ(RunDisinfection(2), Lines({ConfigPurged("mirc.ini"), FilesSwept("\xC4"), NotInfected}));
    EXPECT_EQ(RunDisinfection(3),
              Lines({SearchDone, SearchDone, SearchDone, RegistryUntouched,
                     "No se encontr\xF3 el Troyano Deepthroat.b en su sistema :)"}));
    EXPECT_EQ(RunDisinfection(4), Lines({ConfigPurged("mirc.ini"), FilesSwept("server.ini"), NotInfected}));
}

TEST(DisinfectRegistry, RunKeyThatCannotBeOpenedShowsTheEngineBox)
{
    if (GetVersion() & 0x80000000)
        GTEST_SKIP() << "Windows 95/98/Me keep no access rights on registry keys: the Run key cannot be closed";
    ScratchFile resident(Resident(), "resident");
    RunKeyDenied denied;
    PelkarinSession session;
    session.Select(0);
    const ProgramBox box = session.ClickExpectingBox(session.DisinfectButton(), [](const ProgramBox& open) {
        // No icon: the text and the button are its only children.
        HWND text = GetDlgItem(open.handle, 0xFFFF);
        HWND button = GetDlgItem(open.handle, IDOK);
        ASSERT_NE(text, nullptr);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(GetWindow(GetWindow(GetWindow(open.handle, GW_CHILD), GW_HWNDNEXT), GW_HWNDNEXT), nullptr);
        EXPECT_EQ(WindowText(button), "OK");
        RECT outer;
        GetWindowRect(open.handle, &outer);
        EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        RECT textPlace, buttonPlace;
        GetWindowRect(text, &textPlace);
        GetWindowRect(button, &buttonPlace);
        EXPECT_GT(buttonPlace.top, textPlace.bottom);
        EXPECT_NEAR((buttonPlace.left + buttonPlace.right) / 2, (outer.left + outer.right) / 2, 1);
    });
    EXPECT_EQ(box.caption, "Pelkarin");
    EXPECT_EQ(box.text, "Error abriendo valor del registro");
    const std::string report =
        Lines({SearchDone, SearchDone, SearchDone, SearchDone, ResidentDeleted, RegistryDone, TrojanStays});
    EXPECT_EQ(session.PaneText(), report);
    EXPECT_FALSE(FileExists(Resident()));

    // The box also answers Esc.
    WriteFileBytes(Resident(), "resident");
    session.ClickExpectingBox(session.DisinfectButton(), [](const ProgramBox& open) {
        PostMessageA(GetDlgItem(open.handle, IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
        for (int wait = 0; wait < 100 && IsWindow(open.handle); ++wait)
            Sleep(50);
        EXPECT_FALSE(IsWindow(open.handle));
    });
    EXPECT_EQ(session.PaneText(), report);
}
