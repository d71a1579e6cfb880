#pragma once
// The Report as the window's text pane (a multi-line edit control). Every line in the
// pane ends with CR LF. The pane keeps the length and the last bytes of its text, so
// appending reads the text back only when it would pass the pane's byte limit.
#include "engine/Report.h"

#include <windows.h>

#include <string>
#include <vector>

class ReportPane : public Report {
public:
    static constexpr std::size_t NoLimit = static_cast<std::size_t>(-1);

    // byteLimit: past it, appending drops the oldest lines (DropOldestLines).
    explicit ReportPane(HWND edit, std::size_t byteLimit = NoLimit);

    void Clear() override;
    // Puts the line at the very end of the text; the view follows it while it showed the
    // last line (PaneFollowing.h).
    void Append(const std::string& line) override;
    // The same for several lines, in one change of the control.
    void AppendLines(const std::vector<std::string>& lines);

    std::string Text() const;
    // Replaces the whole text, shown from the top. Throws EngineError
    // "Text exceeds memo capacity" when the pane cannot take it.
    void ReplaceText(const std::string& text);

private:
    void Remember(const std::string& text);
    void SetTextShowingEnd(const std::string& text);

    HWND edit_;
    std::size_t length_ = 0;   // of the text; a position past the end selects the end
    std::string tail_;         // the text's last two bytes
    const std::size_t byteLimit_;
    std::size_t omitted_ = 0;  // lines dropped since the last Clear or ReplaceText
};
