#pragma once
// The Report as the window's text pane (a multi-line edit control). Every line in the
// pane ends with CR LF. The pane keeps the length and the last bytes of its text, so
// appending never reads the text back.
#include "engine/Report.h"

#include <windows.h>

#include <string>
#include <vector>

class ReportPane : public Report {
public:
    explicit ReportPane(HWND edit);

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

    HWND edit_;
    std::size_t length_ = 0;   // of the text; a position past the end selects the end
    std::string tail_;         // the text's last two bytes
};
