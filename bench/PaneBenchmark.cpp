// Times the report pane as the window feeds it during a run: the lines that came in one
// timer period go in as one change, followed by the repaint, for runs of 1,000 and 8,000
// lines; and, for comparison, one change per line. Then "Información" on a description of
// 5 MB without a line break, and for comparison one unbroken line of 16 KB as it is.
#include "bench/PaneBenchmark.h"

#include "bench/WindowBenchmark.h"
#include "cleaning/Win32Platform.h"
#include "ui/Form1Description.h"
#include "ui/InformationViewer.h"
#include "ui/PaneText.h"
#include "ui/ReportPane.h"
#include "ui/ReportQueue.h"
#include "widgets/controls/FormComponents.h"
#include "widgets/controls/TFlatMemoUnit.h"

#include <cstdio>
#include <string>

namespace {

// Appends lines to the pane, linesPerChange at a time, and returns the seconds spent in
// the pane: the changes and the repaints after them.
double TimeRun(ReportPane& pane, HWND memo, int lines, int linesPerChange)
{
    pane.Clear();
    Pump();
    ReportQueue queue;
    double seconds = 0;
    for (int written = 0; written < lines;) {
        for (int i = 0; i < linesPerChange && written < lines; ++i, ++written)
            queue.Append("Fichero del Troyano borrado.");
        const double start = Now();
        queue.DeliverTo(pane);
        UpdateWindow(memo);
        seconds += Now() - start;
        Pump();
    }
    return seconds;
}

// Seconds from the click on "Información" (with the Backdoor row selected) to the
// description painted, for a back.kvd of bytes in a scratch folder made current.
double TimeDescription(ReportPane& pane, HWND memo, const std::string& bytes)
{
    const char* const folder = "c:\\pelkarin-bench-description";
    const std::string file = std::string(folder) + "\\back.kvd";
    CreateDirectoryA(folder, nullptr);
    const HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder);
    pane.Clear();
    Pump();
    Win32Platform platform;
    const double start = Now();
    ShowThreatInformation(0, platform, pane, std::string());
    UpdateWindow(memo);
    const double seconds = Now() - start;
    SetCurrentDirectoryA(previous);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder);
    return seconds;
}

} // namespace

void PaneBenchmark()
{
    WindowCreation creation;
    creation.className = "STATIC";
    creation.style = WS_POPUP | WS_VISIBLE;
    creation.width = 420;
    creation.height = 300;
    OwnedWindow host;
    host.Create(creation, nullptr, "the host");
    FormDescription form;
    form.components = {*Form1Description().Find("memo")};
    ComponentParent parent;
    parent.window = host.Get();
    parent.isForm = true;
    FormComponents components;
    components.Build(form, parent);
    const HWND memo = components.Get<TFlatMemo>("memo").Handle();
    ReportPane pane(memo);

    std::printf("Report pane, visible, repainted after each change:\n");
    const struct {
        int lines, perChange;
    } runs[] = {{200, 1}, {1000, 100}, {8000, 100}, {1000, 10}, {8000, 10}};
    for (const auto& run : runs) {
        const double seconds = TimeRun(pane, memo, run.lines, run.perChange);
        std::printf("  %5d lines, %3d a change: %8.1f ms in the pane, %.3f ms a line\n", run.lines, run.perChange,
                    seconds * 1e3, seconds * 1e3 / run.lines);
    }

    std::printf("A description without a line break, from the click to the pane painted:\n");
    std::printf("  5 MB, its first 1 MB shown in lines of %zu:  %8.1f ms\n", LongestShownLine,
                TimeDescription(pane, memo, std::string(5 << 20, 'x')) * 1e3);
    std::string lines;
    while (lines.size() < (1 << 20))
        lines += std::string(78, 'x') + "\r\n";
    std::printf("  1 MB in lines of 80, for comparison:          %8.1f ms\n", TimeDescription(pane, memo, lines) * 1e3);
    pane.Clear();
    Pump();
    const double start = Now();
    pane.ReplaceText(std::string(16 << 10, 'x'));
    UpdateWindow(memo);
    std::printf("  16 KB in one line, as the pane took it before:  %8.1f ms\n", (Now() - start) * 1e3);
}
