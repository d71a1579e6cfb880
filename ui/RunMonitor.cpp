#include "ui/RunMonitor.h"

void RunMonitor::WalkStarted(WalkKind kind)
{
    folders_ = 0;
    kind_ = static_cast<int>(kind);
}

void RunMonitor::FolderEntered()
{
    ++folders_;
}

bool RunMonitor::StopRequested() const
{
    return stop_;
}

void RunMonitor::Restart()
{
    kind_ = -1;
    folders_ = 0;
    stop_ = false;
}

void RunMonitor::RequestStop()
{
    stop_ = true;
}

std::string RunMonitor::Progress() const
{
    const int kind = kind_;
    if (kind < 0)
        return {};
    const char* verb = kind == static_cast<int>(WalkKind::Search) ? "Buscando: " : "Revisando: ";
    return verb + std::to_string(folders_.load()) + " carpetas";
}
