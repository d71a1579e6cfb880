// Recovery at the next start, on each platform, from a journal left as a crash leaves it:
// a genuine one puts its copy back; one that does not fit its copy, or that lies in a data
// root others could have written, is refused, the copy untouched and the refused one kept.
#include "tests/contract/PlatformContract.h"

#include "cleaning/PurgeJournal.h"

#include <cstdio>
#include <functional>

namespace {

using Untrusted = ContractMachine::Untrusted;

struct Planted {
    const char* what;
    std::function<void(JournalRecord&)> forge;   // what the journal says, as written
    // What changes after the crash, given the copy, the journal and the data root.
    std::function<bool(ContractMachine&, const std::string&, const std::string&, const std::string&)> after;
    const char* keptAs;   // where the refused journal or root went, in the system's data folder
};

const std::string Original = "keep\r\nn0=mirc.hst\r\nn1=x\r\n";
constexpr std::uint64_t Changed = 6;   // where the purge's changes start
const std::string Torn = Original.substr(0, Changed) + "n1=x\r\nhst\r\n";

bool Nothing(ContractMachine&, const std::string&, const std::string&, const std::string&) { return true; }
void Genuine(JournalRecord&) {}

} // namespace

TEST_P(PlatformContract, OnlyAGenuineJournalInATrustedRootPutsItsCopyBack)
{
    if (!Machine().KeepsFileSecurity())
        GTEST_SKIP() << "no administrator's folder can be made where the security functions are refused";
    const Planted cases[] = {
        {"a genuine journal", Genuine, Nothing, nullptr},
        {"another file's identity", [](JournalRecord& r) { r.copy.index ^= 1; }, Nothing, "Pelkarin\\Diario\\rejected-1"},
        {"saved bytes past the copy's size", [](JournalRecord& r) { r.copySize = Changed + 1; }, Nothing,
         "Pelkarin\\Diario\\rejected-1"},
        {"a changed start", Genuine,
         [](ContractMachine& m, const std::string& copy, const std::string&, const std::string&) {
             m.MakeFile(copy, "KEEP" + Torn.substr(4));
             return true;
         },
         "Pelkarin\\Diario\\rejected-1"},
        {"a length that is not its record's", Genuine,
         [](ContractMachine& m, const std::string&, const std::string& journal, const std::string&) {
             m.MakeFile(journal, m.Contents(journal) + "x");
             return true;
         },
         "Pelkarin\\Diario\\rejected-1"},
        {"a bad hash", Genuine,
         [](ContractMachine& m, const std::string&, const std::string& journal, const std::string&) {
             std::string bytes = m.Contents(journal);
             bytes.back() ^= 1;
             m.MakeFile(journal, bytes);
             return true;
         },
         "Pelkarin\\Diario\\rejected-1"},
        {"a root others may write", Genuine,
         [](ContractMachine& m, const std::string&, const std::string&, const std::string& root) {
             m.Distrust(root, Untrusted::OthersMayWrite);
             return true;
         },
         "Pelkarin.untrusted-1"},
        {"a root owned by another", Genuine,
         [](ContractMachine& m, const std::string&, const std::string&, const std::string& root) {
             m.Distrust(root, Untrusted::OwnedByAnother);
             return true;
         },
         "Pelkarin.untrusted-1"},
        {"a root that is a link", Genuine,
         [](ContractMachine& m, const std::string&, const std::string&, const std::string& root) {
             return m.LinkInPlaceOf(root);
         },
         "Pelkarin.untrusted-1"},
    };
    for (const Planted& c : cases) {
        SCOPED_TRACE(c.what);
        FreshMachine();
        Machine().MakeDirectory(Root() + "data");
        PlatformServices& platform = Machine().AdministratorPlatform();
        const std::string copy = Root() + "irc\\mirc.ini";
        Machine().MakeFile(copy, Original);
        std::string root, journal;
        {
            DataRoot data(platform);
            auto file = platform.Open(copy, OpenMode::Rewrite);
            ASSERT_TRUE(file);
            JournalRecord record = RecordOf(*file, copy, Changed);
            c.forge(record);
            PurgeJournal(platform, data, copy).Save(*file, record);
            ASSERT_TRUE(file->Write(Changed, Torn.data() + Changed, Torn.size() - Changed));   // then the crash
            root = data.Path();
            journal = root + "Diario\\purge-1.journal";
        }
        root.pop_back();
        if (!c.after(Machine(), copy, journal, root)) {
            std::printf("%s: skipped, no link could be made here\n", c.what);
            continue;
        }
        const std::string before = Machine().Contents(copy);
        DataRoot nextStart(platform);
        RecoverInterruptedPurges(platform, nextStart);
        EXPECT_EQ(Machine().Contents(copy), c.keptAs ? before : Original);
        EXPECT_FALSE(Machine().Exists(journal));
        if (c.keptAs) {
            EXPECT_TRUE(Machine().Exists(Root() + "data\\" + c.keptAs));
        }
    }
}
