// Times full repaints of the real main window (caption, background and every control)
// against a plain window of the same size and style holding standard controls at the same
// places with the same texts: a STATIC for the logo and each strip, a BUTTON for each flat
// button, a COMBOBOX and a multi-line EDIT. Then each control on its own, flat against
// standard.
#include "bench/FormPaintBenchmark.h"

#include "bench/WindowBenchmark.h"
#include "res/resource.h"
#include "ui/Application.h"
#include "ui/Form1Description.h"
#include "ui/Unit1.h"
#include "widgets/win32/WindowText.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int Rounds = 21, RoundRepaints = 10;
// Times are given as those of this many repaints.
const int Repaints = 200;
const UINT FullRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN;

// Seconds for RoundRepaints full repaints of window.
double RoundSeconds(HWND window)
{
    Pump();
    const double start = Now();
    for (int i = 0; i < RoundRepaints; ++i)
        RedrawWindow(window, nullptr, nullptr, FullRepaint);
    GdiFlush();
    return Now() - start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Comparison {
    double custom, standard, ratio;   // seconds for Repaints repaints of each, and their ratio
};

// Rounds of the two windows' repaints in turn, so both meet the same load on this shared
// machine; the medians of the rounds' times and of their ratios. Active: each window is
// made the active one before its round.
Comparison Compare(HWND custom, HWND standard, bool active)
{
    std::vector<double> customTimes, standardTimes, ratios;
    for (int round = 0; round < Rounds; ++round) {
        if (active)
            SetForegroundWindow(custom);
        customTimes.push_back(RoundSeconds(custom));
        if (active)
            SetForegroundWindow(standard);
        standardTimes.push_back(RoundSeconds(standard));
        ratios.push_back(customTimes.back() / standardTimes.back());
    }
    const double scale = static_cast<double>(Repaints) / RoundRepaints;
    return {Median(customTimes) * scale, Median(standardTimes) * scale, Median(ratios)};
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The standard control standing in for one of the form's controls: class, style, text.
struct Stand {
    const char* className;
    DWORD style;
    std::string text;
};

Stand StandardFor(HWND control)
{
    const std::string name = ClassOf(control);
    if (name == "TImage")
        return {"STATIC", SS_BITMAP, ""};
    if (name == "TFlatTitlebar")
        return {"STATIC", SS_CENTER | SS_CENTERIMAGE, WindowText(control)};
    if (name == "TFlatButton")
        return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, WindowText(control)};
    if (name == "ComboBox")
        return {"COMBOBOX", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, WindowText(control)};
    return {"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, WindowText(control)};
}

// A window of the form's size and style with a standard control in place of each of its
// controls; destroyed with the object.
class PlainWindow {
public:
    explicit PlainWindow(HWND form)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = "PelkarinBenchPlain";
        RegisterClassA(&windowClass);
        RECT outer;
        GetWindowRect(form, &outer);
        // Beside the form, so neither covers the other.
        window_ = CreateWindowExA(static_cast<DWORD>(GetWindowLongA(form, GWL_EXSTYLE)), windowClass.lpszClassName,
                                  WindowText(form).c_str(), static_cast<DWORD>(GetWindowLongA(form, GWL_STYLE)) | WS_VISIBLE,
                                  outer.right + 8, outer.top, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
        const auto font = SendMessageA(GetWindow(form, GW_CHILD), WM_GETFONT, 0, 0);
        for (HWND control = GetWindow(form, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            const Stand stand = StandardFor(control);
            RECT place;
            GetWindowRect(control, &place);
            MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
            HWND made = CreateWindowExA(0, stand.className, stand.text.c_str(), WS_CHILD | WS_VISIBLE | stand.style,
                                        place.left, place.top, place.right - place.left, place.bottom - place.top,
                                        window_, nullptr, windowClass.hInstance, nullptr);
            SendMessageA(made, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
            if (stand.style & SS_BITMAP)
                SendMessageA(made, STM_SETIMAGE, IMAGE_BITMAP,
                             reinterpret_cast<LPARAM>(LoadImageA(windowClass.hInstance, MAKEINTRESOURCEA(IDB_LOGO),
                                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
            controls_.push_back(made);
        }
    }
    ~PlainWindow() { DestroyWindow(window_); }
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;

    HWND Get() const { return window_; }
    const std::vector<HWND>& Controls() const { return controls_; }

private:
    HWND window_ = nullptr;
    std::vector<HWND> controls_;
};

} // namespace

void FormPaintBenchmark()
{
    Application application(GetModuleHandleA(nullptr));
    const FormDescription& description = Form1Description();
    TForm1 form(application, description);
    form.Show();
    const PlainWindow plain(form.Handle());

    std::printf("Full repaints (RedrawWindow with frame, erase and children), medians of %d rounds of %d\n"
                "taken in turn, as the time of %d:\n", Rounds, RoundRepaints, Repaints);
    const Comparison whole = Compare(form.Handle(), plain.Get(), true);
    std::printf("  the form (active) %7.1f ms, plain window %7.1f ms: %.2fx\n", whole.custom * 1e3,
                whole.standard * 1e3, whole.ratio);

    std::printf("Each control alone, flat against standard:\n");
    std::size_t index = 0;
    for (HWND control = GetWindow(form.Handle(), GW_CHILD); control && index < plain.Controls().size();
         control = GetWindow(control, GW_HWNDNEXT), ++index) {
        const HWND standard = plain.Controls()[index];
        const Comparison alone = Compare(control, standard, false);
        std::printf("  %-14s %7.1f ms, %-8s %7.1f ms: %.2fx\n", ClassOf(control).c_str(), alone.custom * 1e3,
                    ClassOf(standard).c_str(), alone.standard * 1e3, alone.ratio);
    }
}
