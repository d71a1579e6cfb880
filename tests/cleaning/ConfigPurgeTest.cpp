// Purging marked lines from configuration copies: the bytes written back for every
// line-ending form, which copies are visited, and the file layer's errors.
#include "cleaning/TextLines.h"
#include "cleaning/Windows1252.h"
#include "tests/cleaning/CleaningFixture.h"

#include <algorithm>
#include <functional>

namespace {

struct PurgeCase {
    const char* what;
    std::string before;
    std::string after;   // the bytes written back
};

TEST_F(CleaningTest, PurgeWritesTheKeptLinesWithCrLfForEveryLineEndingForm)
{
    const std::vector<PurgeCase> cases = {
        {"CR LF", "n0=/load mirc.hst\r\nkeep\r\n", "keep\r\n"},
        {"lone CR", "x mirc.hst\rkeep\r", "keep\r\n"},
        {"lone LF", "keep\nx mirc.hst\n", "keep\r\n"},
        {"LF CR gives an empty line", "mirc.hst\n\rkeep", "\r\nkeep\r\n"},
        {"CR CR LF", "mirc.hst\r\r\nk", "\r\nk\r\n"},
        {"last line unterminated", "keep1\r\nkeep2 mirc.hst\r\nkeep3", "keep1\r\nkeep3\r\n"},
        {"adjacent matches", "a\r\nmirc.hst1\r\nmirc.hst2\r\nb\r\n", "a\r\nb\r\n"},
        {"every line matches", "mirc.hst\r\n[mirc.hst]\n", ""},
        {"NUL inside lines", std::string("a\0b\r\nmirc.hst\r\nc\0\r\nd", 20), std::string("a\0b\r\nc\0\r\nd\r\n", 12)},
        {"NUL only line kept", std::string("\0\0\0\nmirc.hst", 12), std::string("\0\0\0\r\n", 5)},
        {"marker after a NUL", std::string("x\0mirc.hst\r\ny", 13), "y\r\n"},
        // Lines and line ends across the edges of the window the file is read through.
        {"CR LF split by the window", std::string(FileWindow - 1, 'k') + "\r\nmirc.hst\r\n",
         std::string(FileWindow - 1, 'k') + "\r\n"},
        {"lone CR at the window's end", std::string(FileWindow - 1, 'k') + "\rmirc.hst",
         std::string(FileWindow - 1, 'k') + "\r\n"},
        {"marker split by the window", std::string(FileWindow - 4, 'k') + "mirc.hst\r\nkeep\n", "keep\r\n"},
        {"line of three windows", "mirc.hst\n" + std::string(3 * FileWindow, 'k') + "\nx mirc.hst",
         std::string(3 * FileWindow, 'k') + "\r\n"},
        {"purged content longer than the original", "mirc.hst\n" + std::string(3 * FileWindow, '\n'),
         [] { std::string s; for (std::size_t i = 0; i < 3 * FileWindow; ++i) s += "\r\n"; return s; }()},
    };
    for (const PurgeCase& c : cases) {
        RecordingPlatform fresh;
        SharedFlags found;
        SystemCleaning purge(fresh, report, found);
        fresh.AddFile("c:\\mirc\\mirc.ini", c.before);
        WalkAndPurge(purge, "c:\\", "mirc.ini", "mirc.hst");
        EXPECT_TRUE(fresh.Contents("c:\\mirc\\mirc.ini") == c.after) << c.what;
        EXPECT_EQ(fresh.Attributes("c:\\mirc\\mirc.ini"), FileAttr::Archive) << c.what;
        EXPECT_TRUE(found.InfectionFound) << c.what;
        EXPECT_EQ(found.SearchStatus, "") << c.what;
    }
    EXPECT_TRUE(report.lines.empty());
}

TEST_F(CleaningTest, CopyWithoutAMatchingLineIsNeverWritten)
{
    const std::vector<std::string> untouched = {
        "", "MIRC.HST in capitals\nMirc.Hst\r", std::string("\0\0\0\0", 4), "no line end", "\n\n\r"};
    for (const std::string& bytes : untouched) {
        RecordingPlatform fresh;
        SharedFlags found;
        SystemCleaning purge(fresh, report, found);
        fresh.AddFile("c:\\mirc.ini", bytes, FileAttr::ReadOnly);
        WalkAndPurge(purge, "c:\\", "mirc.ini", "mirc.hst");
        EXPECT_EQ(fresh.Contents("c:\\mirc.ini"), bytes);
        for (const std::string& call : fresh.Log())
            EXPECT_NE(call.rfind("WriteFile", 0), 0u) << call;
        EXPECT_FALSE(found.InfectionFound);
    }
}

TEST_F(CleaningTest, CadenaMarkerIsTheByteC4CaseSignificant)
{
    machine.AddFile("c:\\mirc.ini", "[\xC4]\r\nn\xE4me\r\nplain\r\n");
    WalkAndPurge(ops, "c:\\", "mirc.ini", "\xC4");
    EXPECT_EQ(machine.Contents("c:\\mirc.ini"), "n\xE4me\r\nplain\r\n");
}

TEST_F(CleaningTest, MarkerIsMatchedInTheEncodingOfEachLine)
{
    machine.AddFile("c:\\mirc.ini",
                    "nick3=J\xC4\x99" "drzej\r\n"                  // UTF-8 e-ogonek: its lead byte is 0xC4
                    "nick=\xC3\x84rger\r\n"                       // UTF-8 A-umlaut
                    "n1=\xC4\r\n"                                  // the worm's byte: ill-formed UTF-8
                    "n2=\xC5\x82\xC4 x\r\n"                        // a UTF-8 letter and the worm's byte
                    "city=\xC5\x81\xC3\xB3" "d\xC5\xBA\r\n"         // UTF-8 L-stroke o-acute d z-acute
                    "n\xE4me\r\n"                                  // Windows-1252 a-umlaut
                    "plain\r\n");
    WalkAndPurge(ops, "c:\\", "mirc.ini", "\xC4");
    EXPECT_EQ(machine.Contents("c:\\mirc.ini"),
              "nick3=J\xC4\x99" "drzej\r\ncity=\xC5\x81\xC3\xB3" "d\xC5\xBA\r\nn\xE4me\r\nplain\r\n");

    // An ASCII marker reads the same in both.
    machine.AddFile("c:\\irc\\script.ini", "n0=/load mirc.hst \xC5\xBC\r\nok \xC5\xBC\r\n");
    WalkAndPurge(ops, "c:\\irc\\", "script.ini", "mirc.hst");
    EXPECT_EQ(machine.Contents("c:\\irc\\script.ini"), "ok \xC5\xBC\r\n");
}

TEST(Windows1252, ConvertsToUtf8)
{
    EXPECT_EQ(Windows1252ToUtf8("a\xC4z"), "a\xC3\x84z");
    EXPECT_EQ(Windows1252ToUtf8("\x80\x9F\xFF"), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");
    EXPECT_EQ(Windows1252ToUtf8("\x81\x9A"), "\xC2\x81\xC5\xA1");
}

TEST(Windows1252, WellFormedUtf8)
{
    for (const char* good : {"", "plain", "\xC3\x84", "\xE2\x82\xAC", "\xED\x9F\xBF", "\xF0\x9F\x98\x80",
                             "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(IsWellFormedUtf8(good)) << good;
    for (const char* bad : {"\xC4", "\xC4x", "\x84", "\xC3\x84\x84", "\xC0\x80", "\xC1\xBF", "\xE0\x9F\xBF",
                            "\xED\xA0\x80", "\xE2\x82", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
                            "\xFF"})
        EXPECT_FALSE(IsWellFormedUtf8(bad)) << bad;
}

TEST_F(CleaningTest, SeveralMegabyteCopyIsPurgedWhole)
{
    std::string before, after;
    for (int i = 0; i < 200000; ++i) {
        const std::string line = "line " + std::to_string(i) + (i % 1000 == 7 ? " mirc.hst" : " ok");
        before += line + "\n";
        if (i % 1000 != 7)
            after += line + "\r\n";
    }
    ASSERT_GT(before.size(), 2000000u);
    machine.AddFile("c:\\big\\mirc.ini", before);
    WalkAndPurge(ops, "c:\\", "mirc.ini", "mirc.hst");
    EXPECT_TRUE(machine.Contents("c:\\big\\mirc.ini") == after);
}

TEST_F(CleaningTest, EveryCopyOfABranchIsPurged)
{
    machine.AddFile("c:\\a\\script.ini", "mirc.hst\r\nx\r\n");
    machine.AddFile("c:\\a\\b\\script.ini", "mirc.hst\r\n");
    machine.AddFile("c:\\c\\script.ini", "y\nmirc.hst");
    WalkAndPurge(ops, "c:\\", "script.ini", "mirc.hst");
    EXPECT_EQ(machine.Contents("c:\\a\\script.ini"), "x\r\n");
    EXPECT_EQ(machine.Contents("c:\\a\\b\\script.ini"), "");
    EXPECT_EQ(machine.Contents("c:\\c\\script.ini"), "y\r\n");
    // The purge deletes nothing but its journals and leaves the status alone.
    for (const std::string& call : machine.Log())
        EXPECT_TRUE(call.rfind("DeleteFile", 0) != 0 ||
                    call.rfind("DeleteFile c:\\programdata\\Pelkarin\\Diario\\purge-", 0) == 0)
            << call;
    EXPECT_EQ(flags.SearchStatus, "");
    ExpectNothingOpen();
}

TEST_F(CleaningTest, FolderNamedLikeTheCopyIsPassedOverAndSearched)
{
    machine.AddDirectory("c:\\mirc.ini");
    machine.AddDirectory("c:\\a\\mirc.ini", FileAttr::Directory | FileAttr::Hidden);
    machine.AddFile("c:\\a\\mirc.ini\\mirc.ini", "mirc.hst\r\n");
    machine.AddFile("c:\\b\\mirc.ini", "mirc.hst\r\nkeep\r\n");
    WalkAndPurge(ops, "c:\\", "mirc.ini", "mirc.hst");
    EXPECT_EQ(machine.Contents("c:\\a\\mirc.ini\\mirc.ini"), "");
    EXPECT_EQ(machine.Contents("c:\\b\\mirc.ini"), "keep\r\n");
    EXPECT_EQ(machine.Attributes("c:\\a\\mirc.ini"), FileAttr::Directory | FileAttr::Hidden);
    for (const std::string& call : machine.Log())
        EXPECT_NE(call, "ReadFile c:\\a\\mirc.ini") << call;
    EXPECT_TRUE(report.lines.empty());
    ExpectNothingOpen();
}

TEST_F(CleaningTest, AnotherProgramCannotWriteTheCopyWhileItIsPurgedAndLosesNothing)
{
    machine.AddFile("c:\\mirc\\mirc.ini", "[mirc]\r\nn0=mirc.hst\r\n", FileAttr::Archive | 0x2000);
    machine.SetAccess("c:\\mirc\\mirc.ini", "owner only");
    machine.AddFile("c:\\mirc\\mirc.ini.pelkarin.tmp", "user's");
    machine.AddFile("c:\\mirc\\mirc.ini.pelkarin.old", "user's");
    int refused = 0;
    std::string appended;
    machine.SetOtherProgram([&] {
        const std::string line = "nick" + std::to_string(appended.size()) + "=x\r\n";
        if (machine.AppendByOtherProgram("c:\\mirc\\mirc.ini", line))
            appended += line;
        else
            ++refused;
    });
    WalkAndPurge(ops, "c:\\", "mirc.ini", "mirc.hst");
    machine.SetOtherProgram({});
    EXPECT_GT(refused, 0);
    const std::string after = machine.Contents("c:\\mirc\\mirc.ini");
    EXPECT_EQ(after.find("mirc.hst"), std::string::npos);
    EXPECT_EQ(after.substr(after.size() - appended.size()), appended) << "every line it wrote is there";
    EXPECT_EQ(machine.Access("c:\\mirc\\mirc.ini"), "owner only");
    EXPECT_EQ(machine.Attributes("c:\\mirc\\mirc.ini"), FileAttr::Archive | 0x2000);
    EXPECT_EQ(machine.Contents("c:\\mirc\\mirc.ini.pelkarin.tmp"), "user's");
    EXPECT_EQ(machine.Contents("c:\\mirc\\mirc.ini.pelkarin.old"), "user's");
    EXPECT_TRUE(flags.InfectionFound);
    EXPECT_EQ(machine.OpenFiles(), 0);
}

// A copy that cannot be purged is a line of its own, and the purge goes on with the next
// (which needs a journal too).
TEST_F(CleaningTest, CopyThatCannotBePurgedIsALineAndTheNextIsPurged)
{
    const std::string blocked = "c:\\a\\mirc.ini", infected = "mirc.hst\r\nkeep\r\n";
    struct Case {
        const char* what;
        std::function<void(RecordingPlatform&)> block;
        bool purged;
        std::uint64_t waited;   // ms
    };
    const Case cases[] = {
        {"held by a writer", [&](RecordingPlatform& m) { m.HoldOpen(blocked, RecordingPlatform::HeldBy::Writer); },
         false, 2000},
        {"held by a writer for 300 ms",
         [&](RecordingPlatform& m) { m.HoldOpen(blocked, RecordingPlatform::HeldBy::Writer, 300); }, true, 300},
        {"a link", [&](RecordingPlatform& m) { m.AddFile(blocked, infected, FileAttr::ReparsePoint); }, false, 0},
        {"read-only, hidden and system",
         [&](RecordingPlatform& m) {
             m.AddFile(blocked, infected, FileAttr::ReadOnly | FileAttr::Hidden | FileAttr::System | FileAttr::Archive);
         },
         true, 0},
        {"no journal can be made",
         [&](RecordingPlatform& m) {
             m.AddFile("c:\\programdata\\Pelkarin");
             m.HoldOpen("c:\\programdata\\Pelkarin", RecordingPlatform::HeldBy::Reader);
         },
         false, 0},
    };
    for (const Case& c : cases) {
        RecordingPlatform fresh;
        LineReport lines;
        SharedFlags found;
        fresh.AddFile(blocked, infected);
        fresh.AddFile("c:\\b\\mirc.ini", infected);
        c.block(fresh);
        const std::uint32_t attributes = fresh.Attributes(blocked);
        SystemCleaning cleaning(fresh, lines, found);
        WalkAndPurge(cleaning, "c:\\", "mirc.ini", "mirc.hst");
        EXPECT_EQ(fresh.Contents(blocked), c.purged ? "keep\r\n" : infected) << c.what;
        EXPECT_EQ(fresh.Attributes(blocked), attributes) << c.what;
        const bool journals = fresh.Exists("c:\\programdata\\Pelkarin\\Diario");
        Strings failed = c.purged ? Strings{} : Strings{"No se pudo desinfectar el archivo " + blocked};
        if (!journals)
            failed.push_back("No se pudo desinfectar el archivo c:\\b\\mirc.ini");
        EXPECT_EQ(lines.lines, failed) << c.what;
        EXPECT_EQ(found.RemovalFailed, !c.purged) << c.what;
        EXPECT_EQ(fresh.Contents("c:\\b\\mirc.ini"), journals ? "keep\r\n" : infected) << c.what;
        EXPECT_EQ(fresh.Clock(), c.waited) << c.what;
        EXPECT_EQ(fresh.OpenFiles(), 0) << c.what;
    }
}

TEST_F(CleaningTest, CopiesInUseAreWaitedForTenSecondsInAllPerRun)
{
    for (int i = 0; i < 8; ++i) {
        machine.AddFile("c:\\d" + std::to_string(i) + "\\mirc.ini", "mirc.hst\r\n");
        machine.HoldOpen("c:\\d" + std::to_string(i) + "\\mirc.ini", RecordingPlatform::HeldBy::Writer);
    }
    WalkAndPurge(ops, "c:\\", "mirc.ini", "mirc.hst");
    EXPECT_EQ(machine.Clock(), 10000u);
    EXPECT_EQ(report.lines.size(), 8u);
    EXPECT_EQ(flags.InUseWaited, 10000u);
}

} // namespace
