#pragma once
// Ctrl+C, Ctrl+Break, the console's window closed or the system shutting down: each asks
// the run to stop at its next safe point.
#include <atomic>

class StopRequests {
public:
    StopRequests();
    ~StopRequests();
    StopRequests(const StopRequests&) = delete;
    StopRequests& operator=(const StopRequests&) = delete;

    const std::atomic<bool>& Asked() const;
    // The run is over: a console closing meanwhile need wait no longer.
    void RunEnded();
};
