// The Report in the real report pane: Form1's memo row made on a window of its own, then
// cleared, appended to and replaced as the engine and the information viewer do.
#include "ui/Form1Description.h"
#include "ui/PaneText.h"
#include "ui/ReportPane.h"
#include "widgets/controls/FormComponents.h"
#include "widgets/controls/TFlatMemoUnit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ReportPaneTest : public ::testing::Test {
protected:
    ReportPaneTest()
    {
        WindowCreation creation;
        creation.className = "STATIC";
        creation.style = WS_POPUP | WS_VISIBLE;
        creation.width = 420;
        creation.height = 300;
        host_.Create(creation, nullptr, "the host");
        form_.components = {*Form1Description().Find("memo")};
        ComponentParent parent;
        parent.window = host_.Get();
        parent.isForm = true;
        components_.Build(form_, parent);
        memo_ = components_.Get<TFlatMemo>("memo").Handle();
    }

    int FirstVisibleLine() const { return static_cast<int>(SendMessageA(memo_, EM_GETFIRSTVISIBLELINE, 0, 0)); }
    int CaretLine() const { return static_cast<int>(SendMessageA(memo_, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0)); }
    int VisibleLines() const
    {
        RECT client;
        GetClientRect(memo_, &client);
        return client.bottom / 13;
    }

    OwnedWindow host_;   // goes after the components on it
    FormDescription form_;
    FormComponents components_;
    HWND memo_ = nullptr;
};

} // namespace

TEST_F(ReportPaneTest, StartsWithTheWelcomeLinesAndScrollsToEachAppendedLine)
{
    ReportPane pane(memo_);
    EXPECT_EQ(pane.Text(), InitialReportText());

    pane.Clear();
    std::string expected;
    for (int line = 0; line < 40; ++line) {
        pane.Append("linea " + std::to_string(line));
        expected += "linea " + std::to_string(line) + "\r\n";
    }
    EXPECT_EQ(pane.Text(), expected);
    // The caret stands after the last line, which is in view.
    EXPECT_EQ(CaretLine(), 40);
    EXPECT_GT(FirstVisibleLine(), 0);
    EXPECT_LE(CaretLine(), FirstVisibleLine() + VisibleLines());

    // A reader who scrolled back up keeps the view, and the caret they put, while lines
    // come; back at the end, the pane follows again.
    SendMessageA(memo_, EM_LINESCROLL, 0, -10);
    SendMessageA(memo_, EM_SETSEL, 7, 9);
    const int reading = FirstVisibleLine();
    pane.AppendLines({"uno", "dos"});
    EXPECT_EQ(FirstVisibleLine(), reading);
    DWORD start = 0, end = 0;
    SendMessageA(memo_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 7u);
    EXPECT_EQ(end, 9u);
    SendMessageA(memo_, WM_VSCROLL, SB_BOTTOM, 0);
    pane.Append("tres");
    EXPECT_EQ(CaretLine(), 43);
    EXPECT_GT(FirstVisibleLine(), reading);
    EXPECT_LE(CaretLine(), FirstVisibleLine() + VisibleLines());
}

TEST_F(ReportPaneTest, ReplacedTextShowsFromTheTopAndAnAppendBreaksItsLastLine)
{
    ReportPane pane(memo_);
    std::string text;
    for (int line = 0; line < 40; ++line)
        text += "uno\r\n";
    pane.ReplaceText(text + "dos");
    EXPECT_EQ(FirstVisibleLine(), 0);
    pane.Append("tres");
    EXPECT_EQ(pane.Text(), text + "dos\r\ntres\r\n");
    EXPECT_EQ(FirstVisibleLine(), 0);   // the end was not in view

    // Several lines in one change, after a text without its last break.
    pane.ReplaceText("cuatro");
    pane.AppendLines({"cinco", "", "seis"});
    EXPECT_EQ(pane.Text(), "cuatro\r\ncinco\r\n\r\nseis\r\n");
    EXPECT_EQ(CaretLine(), 4);
}

TEST_F(ReportPaneTest, PastItsByteLimitThePaneDropsItsOldestLinesAndKeepsTheVerdictInView)
{
    ReportPane pane(memo_, 600);
    const std::vector<std::string> batch(100, "Fichero del Troyano borrado.");
    std::string batchText;
    for (const std::string& line : batch)
        batchText += line + "\r\n";
    for (int run = 0; run < 2; ++run) {   // each run counts the lines it dropped afresh
        pane.Clear();
        pane.AppendLines(batch);          // one change far past the limit
        const std::string kept = DropOldestLines(batchText, 0, 600).text;
        EXPECT_EQ(pane.Text(), kept);
        EXPECT_EQ(CaretLine(), std::count(kept.begin(), kept.end(), '\n'));
        EXPECT_LE(CaretLine(), FirstVisibleLine() + VisibleLines());
        pane.Append("Su sistema ha sido desinfectado correctamente");
        EXPECT_EQ(pane.Text(), kept + "Su sistema ha sido desinfectado correctamente\r\n");
    }
}
