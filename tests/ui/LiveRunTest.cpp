// A Netol run over a scratch tree large enough to take seconds, watched from outside as
// another program sees it: the window answers all along, shows the walk's progress,
// keeps its three controls disabled until the Report is complete, takes nothing clicked
// or typed meanwhile, and stops safely on Esc and on the close box.
#include "tests/ui/AccessibilityEvents.h"
#include "tests/ui/PelkarinSession.h"
#include "tests/ui/ScratchMachine.h"
#include "tests/win32/support/MessagePump.h"
#include "tests/win32/support/ScratchFiles.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>

namespace {

const int Netol = 1;
const std::string MircIni = "[rfiles]\r\nn0=mirc.hst\r\nn1=keep.ini\r\n";
const std::string PurgedMircIni = "[rfiles]\r\nn1=keep.ini\r\n";
const std::string Interrupted = "Desinfecci\xF3n interrumpida: el sistema puede seguir infectado";
const int Branches = 40, Leaves = 50;

std::string Leaf(int branch, int leaf) { return "live\\b" + std::to_string(branch) + "\\l" + std::to_string(leaf); }

// 2,000 folders, with a configuration copy at the end of every fourth branch and the
// worm's file in the last folder of all.
void SeedInfection()
{
    for (int branch = 0; branch < Branches; branch += 4)
        ScratchTree::Write(Leaf(branch, Leaves - 1) + "\\mirc.ini", MircIni);
    ScratchTree::Write(Leaf(Branches - 1, Leaves - 1) + "\\netol.scr", "w");
}

struct LiveTree {
    LiveTree()
    {
        for (int branch = 0; branch < Branches; ++branch)
            for (int leaf = 0; leaf < Leaves; ++leaf)
                ScratchTree::Write(Leaf(branch, leaf) + "\\file.txt", "x");
        SeedInfection();
    }
    ScratchTree scratch;
};

// What the test saw while the run was under way.
struct Watched {
    DWORD slowestAnswerMs = 0;
    bool controlsDisabled = true;
    std::vector<std::string> strip;   // each text the progress strip showed
};

// Clicks at the centre of a window through the system's mouse input, whatever is there.
void ClickAt(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv((area.left + area.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv((area.top + area.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
        SendInput(1, &input, sizeof input);
    }
}

// Starts the run with a click and watches it every 20 ms until it has ended; during is
// called on each look with the strip's text.
Watched WatchRun(const PelkarinSession& session, const std::function<void(const std::string&)>& during = {})
{
    session.PressAndRelease(session.DisinfectButton());
    Watched seen;
    const HWND strip = session.Control(1);
    for (;;) {
        const DWORD asked = GetTickCount();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(session.Form(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result))
            throw std::runtime_error("The window did not answer");
        seen.slowestAnswerMs = std::max(seen.slowestAnswerMs, GetTickCount() - asked);
        if (IsWindowEnabled(session.DisinfectButton()))
            return seen;
        seen.controlsDisabled = seen.controlsDisabled && !IsWindowEnabled(session.Selector()) &&
                                !IsWindowEnabled(session.InformationButton());
        const std::string text = WindowText(strip);
        if (seen.strip.empty() || seen.strip.back() != text)
            seen.strip.push_back(text);
        if (during)
            during(text);
        PumpMessages(20);   // and whatever a hook of the test hears meanwhile
    }
}

// During the run the strip's new texts are announced at most once a second, though it shows
// more of them; at the end the focus goes back to the button, then the pane's new value
// is announced, then an alert named with the verdict.
void ExpectHeardAsAReaderShouldHearIt(const std::vector<HeardEvent>& heard, const PelkarinSession& session,
                                      const Watched& seen, const std::string& report)
{
    std::vector<DWORD> stripNames;
    for (const HeardEvent& event : heard)
        if (event.event == EVENT_OBJECT_NAMECHANGE && event.window == session.Control(1))
            stripNames.push_back(event.time);
    for (std::size_t i = 1; i < stripNames.size(); ++i)
        EXPECT_GE(stripNames[i] - stripNames[i - 1], 990u) << i;
    EXPECT_GT(seen.strip.size(), stripNames.size());

    std::vector<const HeardEvent*> end;   // focus, value and alert events, in order
    for (const HeardEvent& event : heard)
        if (event.event != EVENT_OBJECT_NAMECHANGE)
            end.push_back(&event);
    ASSERT_GE(end.size(), 3u);
    const HeardEvent& focus = *end[end.size() - 3];
    const HeardEvent& value = *end[end.size() - 2];
    const HeardEvent& alert = *end.back();
    EXPECT_EQ(focus.event, static_cast<DWORD>(EVENT_OBJECT_FOCUS));
    EXPECT_EQ(focus.window, session.DisinfectButton());   // back where it was before the run
    EXPECT_EQ(value.event, static_cast<DWORD>(EVENT_OBJECT_VALUECHANGE));
    EXPECT_EQ(value.window, session.Pane());
    EXPECT_EQ(value.value, report);
    EXPECT_EQ(alert.event, static_cast<DWORD>(EVENT_SYSTEM_ALERT));
    EXPECT_EQ(alert.window, session.Form());
    EXPECT_EQ(alert.role, ROLE_SYSTEM_ALERT);
    EXPECT_EQ(alert.name, "Su sistema ha sido desinfectado correctamente");
}

bool Shows(const std::vector<std::string>& strip, const std::string& verb)
{
    const std::string unit = " carpetas";
    return std::any_of(strip.begin(), strip.end(), [&](const std::string& text) {
        return text.rfind(verb, 0) == 0 && text.size() > verb.size() + unit.size() &&
               text.compare(text.size() - unit.size(), unit.size(), unit) == 0;
    });
}

} // namespace

TEST(LiveRun, AnswersShowsProgressAndTakesNoInputUntilTheReportIsComplete)
{
    LiveTree tree;
    PelkarinSession session;
    session.Select(Netol);
    const std::string stripCaption = WindowText(session.Control(1));
    AccessibilityEvents events(session.ProcessId());

    bool tried = false;
    const Watched seen = WatchRun(session, [&](const std::string&) {
        if (tried)
            return;
        tried = true;
        // A second click, the space bar on the button and an arrow on the selector.
        ClickAt(session.DisinfectButton());
        session.PressKey(session.DisinfectButton(), VK_SPACE);
        session.PressKey(session.Selector(), VK_DOWN);
    });

    EXPECT_TRUE(tried);
    EXPECT_LT(seen.slowestAnswerMs, 100u);
    EXPECT_TRUE(seen.controlsDisabled);
    EXPECT_TRUE(Shows(seen.strip, "Buscando: ")) << seen.strip.size();
    EXPECT_EQ(WindowText(session.Control(1)), stripCaption);
    const std::string report = "Desinfecci\xF3n del archivo mirc.ini Concluida\r\n"
                               "Desinfecci\xF3n del archivo script.ini Concluida\r\n"
                               "Desinfecci\xF3n de archivos pynkic~1.scr Concluida\r\n"
                               "Desinfecci\xF3n de archivos mirc.hst Concluida\r\n"
                               "Fichero del Troyano borrado.\r\n"
                               "Desinfecci\xF3n de archivos netol.scr Concluida\r\n"
                               "Su sistema ha sido desinfectado correctamente\r\n";
    EXPECT_EQ(session.PaneText(), report);
    PumpMessages(500);
    ExpectHeardAsAReaderShouldHearIt(events.Heard(), session, seen, report);
    // Nothing that was clicked or typed during the run comes after it.
    EXPECT_TRUE(IsWindowEnabled(session.DisinfectButton()));
    EXPECT_EQ(session.PaneText(), report);
    EXPECT_EQ(session.SelectedIndex(), Netol);
    for (int branch = 0; branch < Branches; branch += 4)
        EXPECT_EQ(ReadFileBytes(ScratchTree::Path(Leaf(branch, Leaves - 1) + "\\mirc.ini")), PurgedMircIni);
}

TEST(LiveRun, EscStopsTheRunAndTheCloseBoxClosesTheWindow)
{
    LiveTree tree;
    PelkarinSession session;
    session.Select(Netol);
    bool stopped = false;
    WatchRun(session, [&](const std::string& strip) {
        if (!stopped && strip.rfind("Buscando: ", 0) == 0) {
            stopped = true;
            session.PressKey(session.Form(), VK_ESCAPE);
        }
    });
    ASSERT_TRUE(stopped);
    const std::string report = session.PaneText();
    EXPECT_EQ(report.substr(report.size() - Interrupted.size() - 2), Interrupted + "\r\n");
    EXPECT_EQ(report.find("Su sistema"), std::string::npos);
    for (int branch = 0; branch < Branches; branch += 4) {
        const std::string copy = ReadFileBytes(ScratchTree::Path(Leaf(branch, Leaves - 1) + "\\mirc.ini"));
        EXPECT_TRUE(copy == MircIni || copy == PurgedMircIni) << branch;
    }
    EXPECT_TRUE(IsWindow(session.Form()));

    SeedInfection();
    session.PressAndRelease(session.DisinfectButton());
    Sleep(200);
    ASSERT_FALSE(IsWindowEnabled(session.DisinfectButton()));
    EXPECT_TRUE(session.CloseAndWait(3000));
}
