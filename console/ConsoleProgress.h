#pragma once
// The stop a console run honours at its next safe point: asked for by the console (Ctrl+C,
// Ctrl+Break, its window closed) or due once the time allowed has passed.
#include "cleaning/PlatformServices.h"
#include "engine/RunProgress.h"

#include <atomic>
#include <cstdint>

class ConsoleProgress : public RunProgress {
public:
    // seconds 0: no limit. stopAsked may be set from another thread.
    ConsoleProgress(PlatformServices& platform, unsigned seconds, const std::atomic<bool>& stopAsked)
        : platform_(platform), stopAsked_(stopAsked),
          deadline_(seconds ? platform.Now() + std::uint64_t{seconds} * 10000000 : 0)
    {
    }

    bool StopRequested() const override
    {
        stopped_ = stopped_ || stopAsked_ || (deadline_ && platform_.Now() >= deadline_);
        return stopped_;
    }
    // Whether a stop was seen due, without looking again.
    bool Stopped() const { return stopped_; }

private:
    PlatformServices& platform_;
    const std::atomic<bool>& stopAsked_;
    const std::uint64_t deadline_;
    mutable bool stopped_ = false;   // once due, a stop stays
};
