// Times the report pane as the window feeds it during a run: the lines that came in one
// timer period go in as one change, followed by the repaint, for runs of 1,000 and 8,000
// lines; and, for comparison, one change per line.
#include "bench/PaneBenchmark.h"

#include "bench/WindowBenchmark.h"
#include "ui/Form1Description.h"
#include "ui/ReportPane.h"
#include "ui/ReportQueue.h"
#include "widgets/controls/FormComponents.h"
#include "widgets/controls/TFlatMemoUnit.h"

#include <cstdio>

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
}
