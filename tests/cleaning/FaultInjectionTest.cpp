// Every plan on an infected machine with each platform call made to fail once in turn:
// the run never crashes nor raises, closes every listing and key it opened, never leaves
// a configuration copy half-purged, and writes only Reports that the plan's steps can
// produce.
#include "cleaning/PurgeJournal.h"
#include "engine/DisinfectionRun.h"
#include "engine/ThreatCatalogue.h"
#include "tests/cleaning/CleaningFixture.h"
#include "tests/cleaning/InfectedMachine.h"

#include <algorithm>

namespace {

const std::string Digits = "123456789";
const std::string PurgeLetters = "abcdefg";

// One letter per Report line, so a plan's allowed Reports are a regular expression.
std::string Tokenize(const ThreatEntry& row, const Strings& lines)
{
    std::string tokens;
    for (const std::string& line : lines) {
        char token = '?';
        for (std::size_t i = 0; i < row.configPurges.size(); ++i)
            if (line == "Desinfecci\xF3n del archivo " + row.configPurges[i].file + " Concluida") token = PurgeLetters[i];
        for (std::size_t i = 0; i < row.filesToDelete.size(); ++i)
            if (line == "Desinfecci\xF3n de archivos " + row.filesToDelete[i] + " Concluida") token = Digits[i];
        const std::pair<const std::string, char> fixed[] = {
            {CopyDeleted, 'D'}, {SearchDone, 'S'},
            {"Su sistema no hab\xED" "a sido infectado :)", 'N'},
            {"Su sistema ha sido desinfectado correctamente", 'C'},
            {"No se encontr\xF3 la infecci\xF3n en las carpetas revisadas", 'u'}, {row.notFoundSearchedLine, 'm'},
            {"Su sistema sigue infectado: no se pudieron borrar todos los ficheros del Troyano", 'F'},
            {row.foundLine, 'R'},
            {"Se encontr\xF3 rastro del Troyano, pero no se pudieron borrar todos sus archivos", 'r'},
            {"El registro no fue afectado por el troyano...", 'A'}, {row.notFoundLine, 'n'},
            {"Archivo eliminado,continuando b\xFAsqueda", 'X'},
            {"Comprobaci\xF3n de registro finalizada", 'G'}, {"Se elimin\xF3 la clave del troyano", 'V'},
            {"No se pudo eliminar la clave del troyano", 'v'}, {"Desinfecci\xF3n concluida :)", 'H'},
            {"Se concluyo el proceso de desinfecci\xF3n del registro...", 'Z'},
            {"Se elimin\xF3 el troyano de su sistema satisfactoriamente", 'T'},
            {"El troyano no pudo ser eliminado por completo de su sistema", 't'}};
        for (const auto& [text, letter] : fixed)
            if (line == text && !text.empty()) token = letter;   // worm rows have no found lines
        if (line.empty()) token = 'E';
        if (line.rfind(CopyKept, 0) == 0) token = 'K';
        if (line.rfind("No se pudo eliminar el archivo ", 0) == 0) token = 'x';
        if (line.rfind("No se pudo desinfectar el archivo ", 0) == 0) token = 'P';
        if (line.rfind("No se pudo revisar ", 0) == 0 || line.rfind("No se pudieron revisar ", 0) == 0) token = 'U';
        tokens += token;
    }
    return tokens;
}

// Reads a token string from the front.
class Tokens {
public:
    explicit Tokens(const std::string& text) : text_(text) {}
    bool Take(const std::string& choices)
    {
        if (pos_ < text_.size() && choices.find(text_[pos_]) != std::string::npos) {
            ++pos_;
            return true;
        }
        return false;
    }
    void Skip(const std::string& choices) { while (Take(choices)) {} }
    bool AtEnd() const { return pos_ == text_.size(); }
    char Last() const { return text_[pos_ - 1]; }

private:
    const std::string& text_;
    std::size_t pos_ = 0;
};

// A worm plan: each purge's copies not purged and its line, each sweep's copies and
// closing line, the count of folders not searched if any, the verdict.
bool WormReportAllowed(const ThreatEntry& row, const std::string& tokens)
{
    const auto has = [&](char c) { return tokens.find(c) != std::string::npos; };
    Tokens read(tokens);
    for (std::size_t i = 0; i < row.configPurges.size(); ++i) {
        read.Skip("P");
        if (!read.Take(PurgeLetters.substr(i, 1))) return false;
    }
    for (std::size_t i = 0; i < row.filesToDelete.size(); ++i) {
        read.Skip("DK");
        if (!read.Take(Digits.substr(i, 1))) return false;
    }
    read.Take("U");
    if (!read.Take("NCFu") || !read.AtEnd()) return false;
    const char verdict = read.Last();
    if (has('K') || has('P')) return verdict == 'F';
    return verdict == 'C' || (!has('D') && verdict != 'F' && (verdict == 'u') == has('U'));
}

// A resident plan: each sweep's copies and the status line (empty until some listing
// was read), the found line, then the resident file: not found, or deleted or not,
// with the registry lines or the box (every box here is a Run key that would not open,
// never a missing one), and the two closing lines.
bool ResidentReportAllowed(const ThreatEntry& row, const std::string& tokens, bool boxShown)
{
    const auto has = [&](char c) { return tokens.find(c) != std::string::npos; };
    Tokens read(tokens);
    bool statusSet = false;
    for (std::size_t i = 0; i < row.filesToDelete.size(); ++i) {
        read.Skip("DK");
        if (read.Take("S")) statusSet = true;
        else if (statusSet || !read.Take("E")) return false;
    }
    const bool found = read.Take("Rr");
    if (found != (has('D') || has('K')) || has('r') != has('K')) return false;
    if (read.Take("A")) {
        const bool unsearched = read.Take("U");
        return read.Take(unsearched ? "m" : "n") && read.AtEnd();
    }
    if (!read.Take("Xx")) return false;
    if (read.Take("G") == boxShown || (!boxShown && !(read.Take("Vv") && read.Take("H")))) return false;
    const bool failed = has('K') || has('x') || has('v') || boxShown;
    if (!read.Take("Z")) return false;
    read.Take("U");
    return read.Take("Tt") && read.AtEnd() && (read.Last() == 't') == failed;
}

bool ReportAllowed(const ThreatEntry& row, const std::string& tokens, bool boxShown)
{
    return row.kind == PlanKind::MircWorm ? WormReportAllowed(row, tokens) : ResidentReportAllowed(row, tokens, boxShown);
}

// Each copy either as it was or purged of the marker, nothing in between.
void ExpectCopiesWhole(const RecordingPlatform& machine, const ThreatEntry& row, const std::string& context)
{
    for (const std::string& copy : MircCopies) {
        const std::string bytes = machine.Contents(copy);
        bool allowed = bytes == MircIni;
        for (const ConfigPurge& purge : row.configPurges)
            allowed = allowed || (purge.file == "mirc.ini" && bytes == PurgedMircIni(purge.marker));
        EXPECT_TRUE(allowed) << context << copy;
    }
    for (const std::string& copy : ScriptCopies) {
        const std::string bytes = machine.Contents(copy);
        EXPECT_TRUE(bytes == ScriptIni || (row.configPurges.size() > 1 && bytes == PurgedScriptIni)) << context << copy;
    }
}

// What the run leaves of the infection it met: every entry of the drive, the bytes of
// every configuration copy, the start-up value. Processes are not counted: a process that
// cannot be ended is passed over silently, and on a real system its running image then
// resists deletion and is reported.
struct EndState {
    Strings paths;
    Strings copies;
    bool startupValue = false;
};

EndState EndStateOf(const RecordingPlatform& machine)
{
    EndState state{{}, {}, machine.HasValue(RunKey, "systemtray")};
    for (const std::string& path : machine.AllPaths())
        if (path.find("\\Pelkarin") == std::string::npos)   // the program's own folder, wherever it went
            state.paths.push_back(path);
    for (const Strings& copies : {MircCopies, ScriptCopies})
        for (const std::string& copy : copies)
            state.copies.push_back(machine.Contents(copy));
    return state;
}

// Whether a run left something that a run without faults removes.
bool LeftSomething(const EndState& run, const EndState& clean)
{
    const bool fileLeft = std::any_of(run.paths.begin(), run.paths.end(), [&](const std::string& path) {
        return !std::binary_search(clean.paths.begin(), clean.paths.end(), path);
    });
    return fileLeft || run.copies != clean.copies || (run.startupValue && !clean.startupValue);
}

struct Outcome {
    std::size_t calls;        // platform calls made
    std::string failedCall;   // the kind of the call made to fail
    std::string tokens;
    EndState state;
};

// Runs the plan on a fresh infected machine, call number failing when asked.
Outcome RunWithFault(int index, std::size_t failing, bool inject)
{
    const ThreatEntry& row = *FindThreat(index);
    RecordingPlatform machine;
    BuildInfectedMachine(machine);
    if (inject)
        machine.FailCallNumber(failing);
    LineReport report;
    SharedFlags flags;
    SystemCleaning ops(machine, report, flags);
    const std::string context = row.listText + " failing call " + std::to_string(failing) + ": ";

    DisinfectionRun(index, ops, machine, report, flags);
    const std::size_t calls = machine.CallCount();
    EXPECT_EQ(machine.OpenListings(), 0) << context;
    EXPECT_EQ(machine.OpenKeys(), 0) << context;
    EXPECT_EQ(machine.OpenFiles(), 0) << context;
    ExpectCopiesWhole(machine, row, context);
    // What a failure left of a purge is gone after the next start.
    DataRoot nextStart(machine);
    RecoverInterruptedPurges(machine, nextStart);
    ExpectCopiesWhole(machine, row, context);
    for (const std::string& path : machine.AllPaths())
        EXPECT_EQ(path.find(".journal"), std::string::npos) << context << path;
    const std::string tokens = Tokenize(row, report.lines);
    const bool boxShown = !machine.InformationBoxes().empty();
    EXPECT_TRUE(ReportAllowed(row, tokens, boxShown)) << context << tokens << "\n" << machine.Dump();
    const std::string failed = inject ? machine.Log()[failing] : "";
    return {calls, failed.substr(0, failed.find(' ')), tokens, EndStateOf(machine)};
}

// The verdict that closes the Report says the infection is gone.
bool EndsInSuccess(const std::string& tokens)
{
    return !tokens.empty() && (tokens.back() == 'C' || tokens.back() == 'T');
}

// Besides, no plan ends with a success line when a fault left something of the
// infection in place, unless the failure hid it: a failed lookup or listing is a folder
// that could not be searched, and the Report then says so; a listing cut short is not
// seen as such.
TEST(FaultInjection, EveryPlanSurvivesEachCallFailingOnce)
{
    for (int index = 0; index < static_cast<int>(ThreatCatalogue().size()); ++index) {
        const Outcome clean = RunWithFault(index, 0, false);
        ASSERT_GT(clean.calls, 20u);
        ASSERT_TRUE(EndsInSuccess(clean.tokens));
        int notPurgedRuns = 0, leftRuns = 0;
        for (std::size_t failing = 0; failing < clean.calls; ++failing) {
            const Outcome run = RunWithFault(index, failing, true);
            notPurgedRuns += run.tokens.find('P') != std::string::npos;
            if (run.failedCall == "FindNext" || !LeftSomething(run.state, clean.state))
                continue;
            ++leftRuns;
            const bool unsearchedSaid = run.tokens.find('U') != std::string::npos;
            EXPECT_TRUE(run.failedCall == "FindFirst" ? unsearchedSaid : !EndsInSuccess(run.tokens))
                << FindThreat(index)->listText << " failing call " << failing << " (" << run.failedCall
                << ") left something and ended with success: " << run.tokens;
        }
        // Worm plans meet copies they cannot purge; their reads and writes were reached.
        EXPECT_EQ(notPurgedRuns > 0, FindThreat(index)->kind == PlanKind::MircWorm) << index;
        EXPECT_GT(leftRuns, 0) << index;
        if (HasFailure())
            return;   // one plan's messages are enough to read
    }
}

} // namespace
