#include "base/EventThrottle.h"

#include <gtest/gtest.h>

// A clock stepped by hand: which changes are announced at once, which are held back, and
// when the held-back one falls due.
TEST(EventThrottle, AnnouncesAtMostOnceAPeriodAndTheLastChangeInTheEnd)
{
    EventThrottle throttle(1000);
    const struct {
        std::uint32_t now;
        bool changed;     // a change at now, else only a look whether one is due
        bool announced;
    } steps[] = {
        {5000, true, true},    // the first change goes out at once
        {5100, true, false},   // held back...
        {5900, true, false},
        {5999, false, false},  // ...not yet due
        {6000, false, true},   // due a period after the last announcement
        {6001, false, false},  // and only once
        {6500, true, false},
        {7500, true, true},    // a change a whole period later goes out itself
        {7600, false, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.now);
        EXPECT_EQ(step.changed ? throttle.Changed(step.now) : throttle.Due(step.now), step.announced);
    }
    EXPECT_FALSE(throttle.Held());
}

TEST(EventThrottle, WaitCountsDownAcrossTheTickCountsWrap)
{
    EventThrottle throttle(1000);
    EXPECT_TRUE(throttle.Changed(0xFFFFFF00u));
    EXPECT_FALSE(throttle.Changed(0xFFFFFFF0u));
    EXPECT_TRUE(throttle.Held());
    EXPECT_EQ(throttle.Wait(0x10u), 1000u - 0x110u);
    EXPECT_FALSE(throttle.Due(0x10u));
    EXPECT_TRUE(throttle.Due(0x2E8u));   // 1000 ms after 0xFFFFFF00

    EventThrottle everyChange(0);
    EXPECT_TRUE(everyChange.Changed(7));
    EXPECT_TRUE(everyChange.Changed(7));
}
