#pragma once
// The texts of the report pane and of the error box, as pure string rules.
// Every line in the pane ends with CR LF, so consecutive appends give one line each.
#include <cstddef>
#include <string>
#include <vector>

// The pane's twelve lines before any run.
const std::vector<std::string>& InitialReportLines();

// The pane's text before any run: each initial line followed by CR LF.
std::string InitialReportText();

// What goes at the end of the pane's current text to append one line: a CR LF first when
// the text is not empty and does not end with one, then the line and its CR LF.
std::string AppendedLine(const std::string& currentText, const std::string& line);

// The most text the pane holds on Windows 95/98/Me, whose multi-line edit control takes
// at most 65,535 bytes.
constexpr std::size_t Windows9xPaneBytes = 60000;

// A pane's text kept within a limit, and how many lines of the Report it has dropped.
struct KeptText {
    std::string text;
    std::size_t omitted = 0;
};

// The pane's text once it has grown past limit bytes: the oldest whole lines dropped until
// a quarter of the limit is free, and a first line then counting every line dropped since
// the pane was cleared: "(se omitieron <N> l\xEDneas anteriores)". omitted is the count the
// text's first line shows already (0: no such line). The last line always stays.
KeptText DropOldestLines(const std::string& text, std::size_t omitted, std::size_t limit);

// The error box's text for an exception's message: a "." is added when the last byte is
// above 0x2E (letters, digits, ":"...); messages ending in ".", "!", ")" or a blank stay.
std::string ErrorBoxText(const std::string& message);

// The most of an information file the pane shows: a larger file is cut there.
constexpr std::size_t InformationShown = 1024 * 1024;

// The longest line an information file shows: the edit control lays a line out in a time
// that grows with the square of its length (a 64 KB line took half a minute).
constexpr std::size_t LongestShownLine = 1024;

// An information file's bytes as the pane shows them: cut at the first NUL, and every
// lone CR and every lone LF made a CR LF (LF CR is two breaks). A line longer than
// LongestShownLine is broken after its last blank (space or tab) within that length, or
// at that length where it has none; nothing else changes. When the file went on beyond
// these bytes, one line at the end says the rest was left out.
std::string InformationText(const std::string& fileBytes, bool more = false);
