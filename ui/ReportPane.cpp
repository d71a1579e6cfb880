#include "ReportPane.h"

#include "PaneText.h"

#include "../engine/EngineError.h"

void ReportPane::Clear()
{
    SetWindowTextA(edit_, "");
}

void ReportPane::Append(const std::string& line)
{
    const std::string text = Text();
    const std::string inserted = AppendedLine(text, line);
    // The caret goes to the end by its position: EM_SETSEL(-1, -1) is not honoured everywhere.
    const WPARAM end = text.size();
    SendMessageA(edit_, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(inserted.c_str()));
    SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}

std::string ReportPane::Text() const
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(edit_, &text[0], static_cast<int>(text.size()))));
    return text;
}

void ReportPane::ReplaceText(const std::string& text)
{
    const auto limit = static_cast<std::size_t>(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0));
    if (text.size() > limit || !SetWindowTextA(edit_, text.c_str()))
        throw EngineError("Text exceeds memo capacity");
    SendMessageA(edit_, EM_SETSEL, 0, 0);
    SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}
