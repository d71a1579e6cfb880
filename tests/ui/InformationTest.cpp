// The information button: each row's description file in the pane, and its failures.
#include "tests/ui/AccessibilityEvents.h"
#include "tests/ui/PelkarinSession.h"
#include "tests/ui/ScratchMachine.h"
#include "tests/win32/support/MessagePump.h"

#include "ui/PaneText.h"

#include <gtest/gtest.h>

// Each shown, the pane announces its new value to assistive technology: the whole text.
TEST(Information, EachRowShowsItsDescriptionFile)
{
    PelkarinSession session;
    AccessibilityEvents events(session.ProcessId());
    const char* const files[] = {"back.kvd", "netol.kvd", "cadena.kvd", "deep.kvd", "cadena2.kvd"};
    for (int row = 0; row < 5; ++row) {
        session.Select(row);
        session.Click(session.InformationButton());
        EXPECT_EQ(session.PaneText(), ReadFileBytes(DistFolder() + "\\" + files[row])) << files[row];
    }
    PumpMessages(300);
    int announced = 0;
    for (const HeardEvent& heard : events.Heard())
        if (heard.event == EVENT_OBJECT_VALUECHANGE && heard.window == session.Pane() &&
            heard.value == session.PaneText())
            ++announced;
    EXPECT_EQ(announced, 5);   // each asked now, when the pane holds the last description
}

TEST(Information, FilesComeFromTheCurrentDirectoryWithBreaksMadeCrLf)
{
    ScratchTree scratch;
    ScratchTree::Write("cwd\\deep.kvd", std::string("uno\ndos\rtres\n\rcuatro\0resto", 26));
    PelkarinSession session(ScratchTree::Path("cwd"));
    session.Select(3);
    session.Click(session.InformationButton());
    EXPECT_EQ(session.PaneText(), "uno\r\ndos\r\ntres\r\n\r\ncuatro");
}

TEST(Information, FileMissingFromTheCurrentDirectoryComesFromBesideTheProgram)
{
    ScratchTree scratch;
    CreateDirectoryA(ScratchTree::Path("empty").c_str(), nullptr);
    PelkarinSession session(ScratchTree::Path("empty"));
    session.Select(2);
    session.Click(session.InformationButton());
    EXPECT_EQ(session.PaneText(), ReadFileBytes(DistFolder() + "\\cadena.kvd"));
}

TEST(Information, FileMissingFromBothFoldersIsReportedAndThePaneKept)
{
    ScratchTree scratch;
    CreateDirectoryA(ScratchTree::Path("empty").c_str(), nullptr);
    ScratchTree::Write("bare\\Pelkarin.exe", ReadFileBytes(DistFolder() + "\\Pelkarin.exe"));
    PelkarinSession session(ScratchTree::Path("empty"), ScratchTree::Path("bare"));
    session.Select(0);
    const ProgramBox box = session.ClickExpectingBox(session.InformationButton());
    EXPECT_EQ(box.caption, "Pelkarin");
    EXPECT_EQ(box.text, "Cannot open file back.kvd.");
    EXPECT_EQ(session.PaneText(), InitialReportText());
    // The program goes on: the window has the keyboard again and the next click works.
    EXPECT_TRUE(IsWindowEnabled(session.Form()));
    EXPECT_TRUE(IsChild(session.Form(), session.FocusedWindow()));
    session.Select(1);
    const ProgramBox next = session.ClickExpectingBox(session.InformationButton());
    EXPECT_EQ(next.text, "Cannot open file netol.kvd.");
}

TEST(Information, NothingSelectedLeavesThePane)
{
    PelkarinSession session;
    session.Click(session.InformationButton());
    EXPECT_EQ(session.PaneText(), InitialReportText());
}

TEST(Disinfect, NothingSelectedOnlyClearsThePane)
{
    PelkarinSession session;
    session.Click(session.DisinfectButton());
    EXPECT_EQ(session.PaneText(), "");
    Sleep(200);
    const UINT enabledPopup = 6;   // GW_ENABLEDPOPUP, newer than the headers' Windows
    EXPECT_EQ(GetWindow(session.Form(), enabledPopup), nullptr);
    EXPECT_TRUE(IsWindowEnabled(session.Form()));
}
