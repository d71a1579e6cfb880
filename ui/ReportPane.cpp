#include "ui/ReportPane.h"

#include "ui/PaneFollowing.h"
#include "ui/PaneText.h"
#include "widgets/win32/WindowText.h"

#include "engine/EngineError.h"

ReportPane::ReportPane(HWND edit, std::size_t byteLimit) : edit_(edit), byteLimit_(byteLimit)
{
    Remember(Text());
}

void ReportPane::Remember(const std::string& text)
{
    length_ = text.size();
    tail_ = text.substr(text.size() < 2 ? 0 : text.size() - 2);
}

void ReportPane::Clear()
{
    SetWindowTextA(edit_, "");
    Remember("");
    omitted_ = 0;
}

void ReportPane::Append(const std::string& line)
{
    AppendLines({line});
}

void ReportPane::AppendLines(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    std::string inserted = AppendedLine(tail_, lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i)
        inserted += AppendedLine(inserted, lines[i]);
    if (length_ + inserted.size() > byteLimit_) {
        const KeptText kept = DropOldestLines(Text() + inserted, omitted_, byteLimit_);
        omitted_ = kept.omitted;
        SetTextShowingEnd(kept.text);
        return;
    }
    const PaneFollowing following(edit_);
    // The caret goes to the end by its position: EM_SETSEL(-1, -1) is not honoured everywhere.
    const WPARAM end = length_;
    SendMessageA(edit_, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(inserted.c_str()));
    length_ += inserted.size();
    tail_ = inserted.substr(inserted.size() - 2);
    following.Restore();
}

std::string ReportPane::Text() const
{
    return WindowText(edit_);
}

void ReportPane::ReplaceText(const std::string& text)
{
    const auto limit = static_cast<std::size_t>(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0));
    if (text.size() > limit || !SetWindowTextA(edit_, text.c_str()))
        throw EngineError("Text exceeds memo capacity");
    Remember(text);
    omitted_ = 0;
    SendMessageA(edit_, EM_SETSEL, 0, 0);
    SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}

void ReportPane::SetTextShowingEnd(const std::string& text)
{
    SetWindowTextA(edit_, text.c_str());
    Remember(text);
    SendMessageA(edit_, EM_SETSEL, length_, static_cast<LPARAM>(length_));
    SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}
