// Purging marked lines from configuration copies: the bytes written back for every
// line-ending form, which copies are visited, and the file layer's errors.
#include "CleaningFixture.h"
#include "EngineError.h"
#include "TextLines.h"
#include "Windows1252.h"

#include <algorithm>

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
    };
    for (const PurgeCase& c : cases) {
        RecordingPlatform fresh;
        SharedFlags found;
        SystemCleaning purge(fresh, report, found);
        fresh.AddFile("c:\\mirc\\mirc.ini", c.before);
        purge.PurgeConfigLines("c:\\", "mirc.ini", "mirc.hst");
        EXPECT_EQ(fresh.Contents("c:\\mirc\\mirc.ini"), c.after) << c.what;
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
        purge.PurgeConfigLines("c:\\", "mirc.ini", "mirc.hst");
        EXPECT_EQ(fresh.Contents("c:\\mirc.ini"), bytes);
        EXPECT_EQ(std::count(fresh.Log().begin(), fresh.Log().end(), "ReplaceFile c:\\mirc.ini"), 0);
        EXPECT_FALSE(found.InfectionFound);
    }
}

TEST_F(CleaningTest, CadenaMarkerIsTheByteC4CaseSignificant)
{
    machine.AddFile("c:\\mirc.ini", "[\xC4]\r\nn\xE4me\r\nplain\r\n");
    ops.PurgeConfigLines("c:\\", "mirc.ini", "\xC4");
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
    ops.PurgeConfigLines("c:\\", "mirc.ini", "\xC4");
    EXPECT_EQ(machine.Contents("c:\\mirc.ini"),
              "nick3=J\xC4\x99" "drzej\r\ncity=\xC5\x81\xC3\xB3" "d\xC5\xBA\r\nn\xE4me\r\nplain\r\n");

    // An ASCII marker reads the same in both.
    machine.AddFile("c:\\irc\\script.ini", "n0=/load mirc.hst \xC5\xBC\r\nok \xC5\xBC\r\n");
    ops.PurgeConfigLines("c:\\irc\\", "script.ini", "mirc.hst");
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
    ops.PurgeConfigLines("c:\\", "mirc.ini", "mirc.hst");
    EXPECT_TRUE(machine.Contents("c:\\big\\mirc.ini") == after);
}

TEST_F(CleaningTest, EveryCopyOfABranchIsPurged)
{
    machine.AddFile("c:\\a\\script.ini", "mirc.hst\r\nx\r\n");
    machine.AddFile("c:\\a\\b\\script.ini", "mirc.hst\r\n");
    machine.AddFile("c:\\c\\script.ini", "y\nmirc.hst");
    ops.PurgeConfigLines("c:\\", "script.ini", "mirc.hst");
    EXPECT_EQ(machine.Contents("c:\\a\\script.ini"), "x\r\n");
    EXPECT_EQ(machine.Contents("c:\\a\\b\\script.ini"), "");
    EXPECT_EQ(machine.Contents("c:\\c\\script.ini"), "y\r\n");
    // The purge makes no deletion attempt of its own and leaves the status alone.
    for (const std::string& call : machine.Log())
        EXPECT_NE(call.rfind("DeleteFile", 0), 0u) << call;
    EXPECT_EQ(flags.SearchStatus, "");
    ExpectNothingOpen();
}

TEST_F(CleaningTest, FolderNamedLikeTheCopyIsPassedOverAndSearched)
{
    machine.AddDirectory("c:\\mirc.ini");
    machine.AddDirectory("c:\\a\\mirc.ini", FileAttr::Directory | FileAttr::Hidden);
    machine.AddFile("c:\\a\\mirc.ini\\mirc.ini", "mirc.hst\r\n");
    machine.AddFile("c:\\b\\mirc.ini", "mirc.hst\r\nkeep\r\n");
    ops.PurgeConfigLines("c:\\", "mirc.ini", "mirc.hst");
    EXPECT_EQ(machine.Contents("c:\\a\\mirc.ini\\mirc.ini"), "");
    EXPECT_EQ(machine.Contents("c:\\b\\mirc.ini"), "keep\r\n");
    EXPECT_EQ(machine.Attributes("c:\\a\\mirc.ini"), FileAttr::Directory | FileAttr::Hidden);
    for (const std::string& call : machine.Log())
        EXPECT_NE(call, "ReadFile c:\\a\\mirc.ini") << call;
    EXPECT_TRUE(report.lines.empty());
    ExpectNothingOpen();
}

TEST_F(CleaningTest, ChangeByAnotherProgramBetweenReadAndReplaceIsKept)
{
    machine.AddFile("c:\\mirc\\mirc.ini", "[mirc]\r\nn0=mirc.hst\r\n", FileAttr::Archive | 0x2000);
    machine.SetAccess("c:\\mirc\\mirc.ini", "owner only");
    int writes = 0;
    machine.SetOtherWriter([&](const std::string& path) {
        if (writes++ == 0)
            machine.SetContents(path, machine.Contents(path) + "nick=new\r\n");
    });
    ops.PurgeConfigLines("c:\\", "mirc.ini", "mirc.hst");
    EXPECT_EQ(machine.Contents("c:\\mirc\\mirc.ini"), "[mirc]\r\nnick=new\r\n");
    EXPECT_EQ(writes, 2) << "read and purged once more";
    EXPECT_EQ(machine.Access("c:\\mirc\\mirc.ini"), "owner only");
    EXPECT_EQ(machine.Attributes("c:\\mirc\\mirc.ini"), FileAttr::Archive | 0x2000);
    EXPECT_TRUE(flags.InfectionFound);
}

TEST_F(CleaningTest, CopyThatKeepsChangingRaisesTheCreateErrorWithItsLastVersion)
{
    machine.AddFile("c:\\mirc\\mirc.ini", "n0=mirc.hst\r\n");
    int writes = 0;
    machine.SetOtherWriter([&](const std::string& path) {
        machine.SetContents(path, machine.Contents(path) + "n" + std::to_string(++writes) + "=mirc.hst\r\n");
    });
    try {
        ops.PurgeConfigLines("c:\\", "mirc.ini", "mirc.hst");
        FAIL() << "no exception";
    } catch (const EngineError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file c:\\mirc\\mirc.ini");
    }
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(machine.Contents("c:\\mirc\\mirc.ini"), "n0=mirc.hst\r\nn1=mirc.hst\r\nn2=mirc.hst\r\nn3=mirc.hst\r\n");
    ExpectNothingOpen();
}

TEST_F(CleaningTest, CopyRemovedBetweenReadAndReplaceIsNotBroughtBack)
{
    machine.AddFile("c:\\mirc\\mirc.ini", "n0=mirc.hst\r\nkeep\r\n");
    machine.SetOtherWriter([&](const std::string& path) { machine.RemoveFile(path); });
    EXPECT_THROW(ops.PurgeConfigLines("c:\\", "mirc.ini", "mirc.hst"), EngineError);
    EXPECT_FALSE(machine.Exists("c:\\mirc\\mirc.ini"));
}

TEST_F(CleaningTest, CopyHeldForWritingStopsThePurgeWithTheOpenError)
{
    machine.AddFile("c:\\a\\mirc.ini", "mirc.hst\r\nkeep\r\n");
    machine.AddFile("c:\\b\\deep\\mirc.ini", "mirc.hst\r\n");
    machine.HoldOpen("c:\\b\\deep\\mirc.ini", RecordingPlatform::HeldBy::Writer);
    machine.AddFile("c:\\c\\mirc.ini", "mirc.hst\r\n");
    try {
        ops.PurgeConfigLines("c:\\", "mirc.ini", "mirc.hst");
        FAIL() << "no exception";
    } catch (const EngineError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file c:\\b\\deep\\mirc.ini");
    }
    EXPECT_EQ(machine.Contents("c:\\a\\mirc.ini"), "keep\r\n");
    EXPECT_EQ(machine.Contents("c:\\c\\mirc.ini"), "mirc.hst\r\n");
    EXPECT_TRUE(flags.InfectionFound);
    ExpectNothingOpen();
}

TEST_F(CleaningTest, ReadOnlyCopyThatNeedsAPurgeRaisesTheCreateErrorIntact)
{
    const std::string bytes = "mirc.hst\nkeep";
    machine.AddFile("c:\\x\\y\\mirc.ini", bytes, FileAttr::ReadOnly | FileAttr::Archive);
    try {
        ops.PurgeConfigLines("c:\\", "mirc.ini", "mirc.hst");
        FAIL() << "no exception";
    } catch (const EngineError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file c:\\x\\y\\mirc.ini");
    }
    EXPECT_EQ(machine.Contents("c:\\x\\y\\mirc.ini"), bytes);
    EXPECT_FALSE(flags.InfectionFound);
    ExpectNothingOpen();
}

TEST(TextLines, NulIsAnOrdinaryByteAndAFinalBreakAddsNoLine)
{
    EXPECT_EQ(SplitLines(std::string("\0x", 2)), Strings({std::string("\0x", 2)}));
    EXPECT_EQ(SplitLines("a\r\n"), Strings({"a"}));
    EXPECT_EQ(SplitLines("\r\n"), Strings({""}));
    EXPECT_EQ(JoinLinesCrLf({}), "");
}

} // namespace
