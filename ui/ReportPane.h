#pragma once
// The Report as the window's text pane (a multi-line edit control). Every line in the
// pane ends with CR LF.
#include "../engine/Report.h"

#include <windows.h>

#include <string>

class ReportPane : public Report {
public:
    explicit ReportPane(HWND edit) : edit_(edit) {}

    void Clear() override;
    // Puts the line at the very end of the text and scrolls the caret to it.
    void Append(const std::string& line) override;

    std::string Text() const;
    // Replaces the whole text, shown from the top. Throws EngineError
    // "Text exceeds memo capacity" when the pane cannot take it.
    void ReplaceText(const std::string& text);

private:
    HWND edit_;
};
