#pragma once
// Lets a change be announced at most once a period: a change that comes sooner after the
// last announcement is held back and is due once the period has passed, so the last state
// is always told in the end. Times are milliseconds of a tick count that wraps (as
// GetTickCount's does), given by the caller.
#include <cstdint>

class EventThrottle {
public:
    // period 0 lets every change through at once.
    explicit EventThrottle(std::uint32_t period) : period_(period) {}

    // A change at now: true when it is to be announced at once; otherwise it is held back.
    bool Changed(std::uint32_t now)
    {
        if (announced_ && now - last_ < period_) {
            held_ = true;
            return false;
        }
        Announce(now);
        return true;
    }

    // Whether a change is held back.
    bool Held() const { return held_; }
    // Milliseconds from now until the held-back change is due (0: due now).
    std::uint32_t Wait(std::uint32_t now) const { return now - last_ < period_ ? period_ - (now - last_) : 0; }
    // True when a held-back change is due at now; it then counts as announced.
    bool Due(std::uint32_t now)
    {
        if (!held_ || Wait(now) > 0)
            return false;
        Announce(now);
        return true;
    }

private:
    void Announce(std::uint32_t now)
    {
        last_ = now;
        announced_ = true;
        held_ = false;
    }

    std::uint32_t period_;
    std::uint32_t last_ = 0;
    bool announced_ = false;
    bool held_ = false;
};
