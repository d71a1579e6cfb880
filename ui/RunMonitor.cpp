#include "ui/RunMonitor.h"

void RunMonitor::WalkStarted()
{
    folders_ = 0;
    walking_ = true;
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
    walking_ = false;
    folders_ = 0;
    stop_ = false;
}

void RunMonitor::RequestStop()
{
    stop_ = true;
}

std::string RunMonitor::Progress() const
{
    if (!walking_)
        return {};
    return "Buscando: " + std::to_string(folders_.load()) + " carpetas";
}
