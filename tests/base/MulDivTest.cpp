#include "base/MulDiv.h"

#include <gtest/gtest.h>

#include <climits>

TEST(MulDivRounded, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDivRounded(8, 5, 4), 10);
    EXPECT_EQ(MulDivRounded(10, 5, 4), 13);     // 12.5
    EXPECT_EQ(MulDivRounded(14, 13, 8), 23);    // 22.75
    EXPECT_EQ(MulDivRounded(10, 13, 8), 16);    // 16.25
    EXPECT_EQ(MulDivRounded(-10, 5, 4), -13);   // -12.5
    EXPECT_EQ(MulDivRounded(-11, 120, 96), -14); // -13.75
    EXPECT_EQ(MulDivRounded(7, 1, -2), -4);     // -3.5
    EXPECT_EQ(MulDivRounded(-7, 1, -2), 4);     // 3.5
    EXPECT_EQ(MulDivRounded(1, -1, 2), -1);     // -0.5
    EXPECT_EQ(MulDivRounded(1, 1, 3), 0);       // 0.33
    EXPECT_EQ(MulDivRounded(2000000000, 3, 4), 1500000000);
}

TEST(MulDivRounded, ZeroDivisorAndOverflowGiveMinusOne)
{
    EXPECT_EQ(MulDivRounded(5, 7, 0), -1);
    EXPECT_EQ(MulDivRounded(0, 0, 0), -1);
    EXPECT_EQ(MulDivRounded(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDivRounded(INT_MIN, -1, 1), -1);
    EXPECT_EQ(MulDivRounded(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(MulDivRounded(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
    EXPECT_EQ(MulDivRounded(INT_MAX, INT_MAX, INT_MIN), -INT_MAX + 1);
}
