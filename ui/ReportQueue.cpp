#include "ui/ReportQueue.h"

void ReportQueue::Clear()
{
    CriticalSection::Lock lock(section_);
    cleared_ = true;
    lines_.clear();
    lastLine_.clear();
}

void ReportQueue::Append(const std::string& line)
{
    CriticalSection::Lock lock(section_);
    lines_.push_back(line);
    lastLine_ = line;
}

std::string ReportQueue::LastLine()
{
    CriticalSection::Lock lock(section_);
    return lastLine_;
}

bool ReportQueue::DeliverTo(ReportPane& pane)
{
    bool cleared = false;
    std::vector<std::string> lines;
    {
        CriticalSection::Lock lock(section_);
        std::swap(cleared, cleared_);
        lines.swap(lines_);
    }
    if (cleared)
        pane.Clear();
    pane.AppendLines(lines);
    return cleared || !lines.empty();
}
