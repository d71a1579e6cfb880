// A real Netol run of the program's own window over the prefix's drive C:, with a number
// of copies of the worm's file to delete, each a Report line: the window thread's time
// (its CPU time, on which the pane, the strip and the timer run beside the run's thread)
// per Report line.
#include "bench/RunPaneBenchmark.h"

#include "bench/WindowBenchmark.h"
#include "tests/win32/support/RemoveTree.h"
#include "ui/Application.h"
#include "ui/Form1Description.h"
#include "ui/Unit1.h"

#include <cstdio>
#include <string>

namespace {

const std::string Root = "c:\\pelkarin-bench-run\\";
const int NetolRow = 1;
// The controls' ids follow their creation order from 100.
const int SelectorId = 102, PaneId = 105;
const int CopiesPerFolder = 100;   // folders of folders, each holding one copy

// The calling thread's CPU time, user and kernel, in seconds.
double ThreadSeconds()
{
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) *
               1e-7;
    };
    return seconds(kernel) + seconds(user);
}

bool PlantCopies(int copies)
{
    bool ok = CreateDirectoryA(Root.c_str(), nullptr) != 0;
    for (int i = 0; i < copies && ok; ++i) {
        const std::string group = Root + "g" + std::to_string(i / CopiesPerFolder) + "\\";
        if (i % CopiesPerFolder == 0)
            ok = CreateDirectoryA(group.c_str(), nullptr) != 0;
        const std::string folder = group + "f" + std::to_string(i % CopiesPerFolder);
        const std::string copy = folder + "\\netol.scr";
        ok = ok && CreateDirectoryA(folder.c_str(), nullptr) &&
             CloseHandle(CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    }
    return ok;
}

struct RunCost {
    double windowSeconds, wallSeconds;
    int lines;
};

RunCost TimeRun(TForm1& form, int copies)
{
    RemoveTree(Root);
    if (!PlantCopies(copies))
        std::printf("  (could not plant every copy under %s)\n", Root.c_str());
    const HWND selector = GetDlgItem(form.Handle(), SelectorId);
    SendMessageA(selector, CB_SETCURSEL, NetolRow, 0);
    Pump();
    const double cpu = ThreadSeconds(), wall = Now();
    form.FlatButton6Click();
    const RunCost cost{ThreadSeconds() - cpu, Now() - wall,
                       static_cast<int>(SendMessageA(GetDlgItem(form.Handle(), PaneId), EM_GETLINECOUNT, 0, 0)) - 1};
    RemoveTree(Root);
    return cost;
}

} // namespace

void RunPaneBenchmark(int copies)
{
    Application application(GetModuleHandleA(nullptr));
    application.SetTitle("Pelkarin");
    TForm1 form(application, Form1Description());
    application.SetMainWindow(form.Handle());
    form.Show();
    Pump();
    std::printf("Real Netol run over drive C: with %d copies to delete, the window on screen:\n", copies);
    const RunCost run = TimeRun(form, copies);
    std::printf("  %d lines in %.1f s: the window thread %.0f ms, %.3f ms a line\n", run.lines, run.wallSeconds,
                run.windowSeconds * 1e3, run.windowSeconds * 1e3 / run.lines);
}
