#include "ui/PaneText.h"
#include "ui/RunMonitor.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(InitialReport, FirstSevenLinesAreExact)
{
    const std::vector<std::string>& lines = InitialReportLines();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], ": : : Pelkarin versi\xF3n 0.1.0.9 : : :");
    EXPECT_EQ(lines[1], std::string(82, ' '));
    EXPECT_EQ(lines[2], "Reconoce y elimina Backdoor 2.03,Netol y Cadena ");
    EXPECT_EQ(lines[3], "               y los elimina de forma satisfactoria");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "");
}

TEST(InitialReport, ClosesWithAnEmptyLineAndTheFramedAddress)
{
    const std::vector<std::string>& lines = InitialReportLines();
    EXPECT_FALSE(lines[7].empty());
    EXPECT_FALSE(lines[8].empty());
    EXPECT_FALSE(lines[9].empty());
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[11], "                     : : : : : www.pelkarin.example : : : : :");
}

TEST(InitialReport, TextIsEveryLineWithItsBreak)
{
    const std::string text = InitialReportText();
    EXPECT_EQ(text.substr(0, 42), ": : : Pelkarin versi\xF3n 0.1.0.9 : : :\r\n    ");
    EXPECT_EQ(text.substr(text.size() - 12), " : : : : :\r\n");
    std::size_t breaks = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++breaks;
    EXPECT_EQ(breaks, 12u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST(AppendRule, LineGoesAfterTheLastBreak)
{
    EXPECT_EQ(AppendedLine("", "uno"), "uno\r\n");
    EXPECT_EQ(AppendedLine("uno\r\n", "dos"), "dos\r\n");
    EXPECT_EQ(AppendedLine("uno\r\n\r\n", ""), "\r\n");
}

TEST(AppendRule, TextWithoutFinalBreakGetsOneFirst)
{
    EXPECT_EQ(AppendedLine("ultima linea", "nueva"), "\r\nnueva\r\n");
    // Only CR LF breaks a line in the pane: a lone CR or LF at the end does not count.
    EXPECT_EQ(AppendedLine("a\n", "b"), "\r\nb\r\n");
    EXPECT_EQ(AppendedLine("a\r", "b"), "\r\nb\r\n");
}

TEST(AppendRule, ConsecutiveAppendsGiveOneLineEach)
{
    std::string text;
    for (const char* line : {"B\xFAsqueda concluida,siguiente b\xFAsqueda...", "", "fin"})
        text += AppendedLine(text, line);
    EXPECT_EQ(text, "B\xFAsqueda concluida,siguiente b\xFAsqueda...\r\n\r\nfin\r\n");
}

TEST(ErrorText, PeriodAddedAfterBytesAboveFullStop)
{
    EXPECT_EQ(ErrorBoxText("Cannot open file back.kvd"), "Cannot open file back.kvd.");
    EXPECT_EQ(ErrorBoxText("Stream write error"), "Stream write error.");
    EXPECT_EQ(ErrorBoxText("c:\\mirc\\mirc.ini:"), "c:\\mirc\\mirc.ini:.");
    EXPECT_EQ(ErrorBoxText("paso 2"), "paso 2.");
    EXPECT_EQ(ErrorBoxText("nombre /"), "nombre /.");          // 0x2F
    EXPECT_EQ(ErrorBoxText("\xC4"), "\xC4.");                  // above 0x7F as a byte
}

TEST(ErrorText, EndingsUpToFullStopStay)
{
    for (const char* message : {"Hecho.", "Cuidado!", "(nota)", "espacio ", "guion-", "coma,", "tab\t", ""})
        EXPECT_EQ(ErrorBoxText(message), message) << message;
}

TEST(InformationText, BreaksBecomeCrLf)
{
    EXPECT_EQ(InformationText("a\r\nb"), "a\r\nb");
    EXPECT_EQ(InformationText("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(InformationText("a\rb\r"), "a\r\nb\r\n");
    EXPECT_EQ(InformationText("a\n\rb"), "a\r\n\r\nb");          // LF CR: two breaks
    EXPECT_EQ(InformationText("a\r\r\nb"), "a\r\n\r\nb");
    EXPECT_EQ(InformationText("\n\n"), "\r\n\r\n");
}

TEST(InformationText, CutAtFirstNul)
{
    EXPECT_EQ(InformationText(std::string("Netol\r\n\0resto\n", 15)), "Netol\r\n");
    EXPECT_EQ(InformationText(std::string("\0abc", 4)), "");
    EXPECT_EQ(InformationText(""), "");
}

TEST(InformationText, FileCutShortEndsWithALineSayingSo)
{
    const std::string notice = "(El resto del archivo no se muestra: es mayor de 1 MB)\r\n";
    EXPECT_EQ(InformationText("a\nb", true), "a\r\nb\r\n" + notice);
    EXPECT_EQ(InformationText("a\r", true), "a\r\n" + notice);
}

// A line longer than the pane can lay out quickly is broken after its last blank within
// the limit, or at the limit: only line breaks are added.
TEST(InformationText, LongLinesAreBrokenAndNothingElseChanges)
{
    std::string words;
    for (int i = 0; words.size() < 5000; ++i)
        words += "word" + std::to_string(i) + (i % 7 ? " " : "\t");
    const std::pair<std::string, std::vector<std::size_t>> cases[] = {
        {std::string(1024, 'x'), {1024}},
        {std::string(2500, 'x') + "\r\n" + std::string(1025, 'y'), {1024, 1024, 452, 1024, 1}},
        {std::string(1023, 'x') + " " + std::string(5, 'y'), {1024, 5}},
        {"ab " + std::string(1100, 'x'), {3, 1024, 76}},
        {words, {}},
    };
    for (const auto& [bytes, lengths] : cases) {
        const std::string text = InformationText(bytes);
        std::vector<std::size_t> shown;
        std::string joined;
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t end = std::min(text.find("\r\n", start), text.size());
            shown.push_back(end - start);
            joined += text.substr(start, end - start);
            const bool blankEnded = end > start && (text[end - 1] == ' ' || text[end - 1] == '\t');
            if (lengths.empty() && end < text.size()) {
                EXPECT_TRUE(blankEnded && shown.back() <= LongestShownLine) << shown.size();
            }
            start = end + 2;
        }
        if (!lengths.empty()) {
            EXPECT_EQ(shown, lengths);
        }
        std::string withoutBreaks = bytes;
        withoutBreaks.erase(std::remove(withoutBreaks.begin(), withoutBreaks.end(), '\r'), withoutBreaks.end());
        withoutBreaks.erase(std::remove(withoutBreaks.begin(), withoutBreaks.end(), '\n'), withoutBreaks.end());
        EXPECT_EQ(joined, withoutBreaks);
    }
}

TEST(InformationText, OtherBytesPassUnchanged)
{
    const std::string bytes = "Qu\xE9 es: \xC4\t\x7F\xFF";
    EXPECT_EQ(InformationText(bytes), bytes);
}

TEST(RunProgressText, CountsTheFoldersOfTheWalkFromZero)
{
    RunMonitor monitor;
    EXPECT_EQ(monitor.Progress(), "");
    monitor.WalkStarted();
    EXPECT_EQ(monitor.Progress(), "Buscando: 0 carpetas");
    for (int folder = 0; folder < 1234; ++folder)
        monitor.FolderEntered();
    EXPECT_EQ(monitor.Progress(), "Buscando: 1234 carpetas");

    monitor.RequestStop();
    EXPECT_TRUE(monitor.StopRequested());
    monitor.Restart();
    EXPECT_FALSE(monitor.StopRequested());
    EXPECT_EQ(monitor.Progress(), "");
}

TEST(PaneLimit, OldestWholeLinesGoUntilAQuarterIsFreeAndTheFirstLineCountsThem)
{
    auto notice = [](std::size_t count) {
        return "(se omitieron " + std::to_string(count) + " l\xEDneas anteriores)\r\n";
    };
    std::vector<std::string> lines;
    auto linesFrom = [&](std::size_t first) {
        std::string text;
        for (std::size_t line = first; line < lines.size(); ++line)
            text += lines[line];
        return text;
    };
    for (int line = 0; line < 40; ++line)
        lines.push_back("linea " + std::to_string(line) + "\r\n");
    const std::size_t limit = 300, room = 225;
    ASSERT_GT(linesFrom(0).size(), limit);
    EXPECT_EQ(DropOldestLines(linesFrom(0), 0, linesFrom(0).size()).text, linesFrom(0));

    // Past the limit, the fewest oldest lines go that leave a quarter of it free; past it
    // again, the count goes on from the lines dropped before.
    KeptText kept = DropOldestLines(linesFrom(0), 0, limit);
    for (int round = 0; round < 2; ++round) {
        const std::size_t dropped = kept.omitted;
        ASSERT_GT(dropped, 0u);
        EXPECT_EQ(kept.text, notice(dropped) + linesFrom(dropped));
        EXPECT_LE(kept.text.size(), room);
        EXPECT_GT((notice(dropped - 1) + linesFrom(dropped - 1)).size(), room);
        std::string text = kept.text;
        while (text.size() <= limit) {
            lines.push_back("Fichero del Troyano borrado.\r\n");
            text += lines.back();
        }
        kept = DropOldestLines(text, dropped, limit);
        EXPECT_GT(kept.omitted, dropped);
    }

    // The last line stays whole, however long.
    const std::string verdict = std::string(400, 'v') + "\r\n";
    EXPECT_EQ(DropOldestLines("a\r\nb\r\n" + verdict, 0, limit).text, notice(2) + verdict);
}
