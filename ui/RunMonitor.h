#pragma once
// How far the run on the other thread got, and the stop the window asks of it. Written
// by the run's thread, read by the window's; a stop asked for stays until the next run.
#include "engine/RunProgress.h"

#include <atomic>
#include <string>

class RunMonitor : public RunProgress {
public:
    void WalkStarted() override;
    void FolderEntered() override;
    bool StopRequested() const override;

    // On the window's thread.
    void Restart();
    void RequestStop();
    // "Buscando: <N> carpetas" from the start of the run's walk of the drive; empty
    // before it.
    std::string Progress() const;

private:
    std::atomic<bool> walking_{false};
    std::atomic<unsigned long> folders_{0};
    std::atomic<bool> stop_{false};
};
