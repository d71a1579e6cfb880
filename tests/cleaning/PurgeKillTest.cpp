// The program killed at each call of a purge, and again at each call of the recovery
// that follows at the next start: every copy then holds its old or its new content byte
// for byte, no journal remains, none was rejected, and nothing else of the user's has
// changed.
#include "cleaning/PurgeJournal.h"
#include "cleaning/RecordingPlatform.h"
#include "cleaning/SystemCleaning.h"
#include "tests/support/LineReport.h"
#include "tests/support/WalkAndAct.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Copy {
    std::string path;
    std::string before;
    std::string after;
};

// A copy of several windows with LF line ends (all of it changes), and one with CR LF
// line ends whose last line goes (only that line is saved).
const std::vector<Copy>& Copies()
{
    static const std::vector<Copy> copies = [] {
    Copy big{"c:\\a\\mirc.ini", {}, {}};
    for (int i = 0; i < 12000; ++i) {
        const std::string line = "n" + std::to_string(i) + (i % 5000 == 77 ? "=mirc.hst" : "=ok line");
        big.before += line + "\n";
        if (i % 5000 != 77)
            big.after += line + "\r\n";
    }
    return std::vector<Copy>{big, {"c:\\b\\mirc.ini", "keep\r\nx mirc.hst\r\n", "keep\r\n"}};
    }();
    return copies;
}

const std::vector<std::string> UserFiles = {"c:\\a\\mirc.ini.pelkarin.tmp", "c:\\a\\mirc.ini.pelkarin.old",
                                            "c:\\programdata\\Pelkarin\\Diario\\notes.txt"};

void Build(RecordingPlatform& machine)
{
    for (const Copy& copy : Copies())
        machine.AddFile(copy.path, copy.before);
    for (const std::string& path : UserFiles)
        machine.AddFile(path, "the user's");
    for (const char* folder : {"c:\\programdata\\Pelkarin", "c:\\programdata\\Pelkarin\\Diario"})
        machine.SetAdministratorsOnly(folder, true);   // as the program made them
}

// Each start of the program finds its data root anew.
void Purge(RecordingPlatform& machine)
{
    LineReport report;
    SharedFlags flags;
    SystemCleaning ops(machine, report, flags);
    try {
        WalkAndPurge(ops, "c:\\", "mirc.ini", "mirc.hst");
    } catch (const ProgramKilled&) {
    }
}

void Recover(RecordingPlatform& machine)
{
    DataRoot data(machine);
    try {
        RecoverInterruptedPurges(machine, data);
    } catch (const ProgramKilled&) {
    }
}

void ExpectWhole(const RecordingPlatform& machine, const std::string& context)
{
    for (const Copy& copy : Copies()) {
        const std::string bytes = machine.Contents(copy.path);
        EXPECT_TRUE(bytes == copy.before || bytes == copy.after) << context << copy.path << ", "
                                                                 << bytes.size() << " bytes";
    }
    for (const std::string& path : UserFiles)
        EXPECT_EQ(machine.Contents(path), "the user's") << context << path;
    for (const std::string& path : machine.AllPaths())
        EXPECT_TRUE(path.find(".journal") == std::string::npos && path.find("rejected-") == std::string::npos)
            << context << path;
    EXPECT_EQ(machine.OpenFiles(), 0) << context;
}

TEST(PurgeKill, EveryCopyIsOldOrNewAfterAKillAnywhereAndTheNextStart)
{
    RecordingPlatform clean;
    Build(clean);
    Purge(clean);
    const std::size_t purgeCalls = clean.CallCount();
    for (const Copy& copy : Copies())
        ASSERT_TRUE(clean.Contents(copy.path) == copy.after) << copy.path;
    ASSERT_GT(purgeCalls, 40u);

    int halfRewritten = 0;
    for (std::size_t kill = 0; kill < purgeCalls; ++kill) {
        for (const bool tear : {false, true}) {
            RecordingPlatform machine;
            Build(machine);
            machine.KillAtCallNumber(kill, tear);
            Purge(machine);
            machine.Restart();
            const std::string context = "killed at call " + std::to_string(kill) + (tear ? " tearing: " : ": ");
            const std::string left = machine.Contents(Copies()[0].path);
            halfRewritten += left != Copies()[0].before && left != Copies()[0].after;
            const std::size_t start = machine.CallCount();
            Recover(machine);
            ExpectWhole(machine, context);

            // Killed again while recovering: the start after that finishes the job.
            const std::size_t recoveryCalls = machine.CallCount() - start;
            for (std::size_t again = 0; again < recoveryCalls && tear; ++again) {
                RecordingPlatform twice;
                Build(twice);
                twice.KillAtCallNumber(kill, tear);
                Purge(twice);
                twice.Restart();
                twice.KillAtCallNumber(twice.CallCount() + again, true);
                Recover(twice);
                twice.Restart();
                Recover(twice);
                ExpectWhole(twice, context + "and at recovery call " + std::to_string(again) + ": ");
            }
            if (HasFailure())
                return;
        }
    }
    EXPECT_GT(halfRewritten, 0) << "the kills reached the rewrite itself";
}

} // namespace
