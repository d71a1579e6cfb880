// The one owner of system handles: every valid handle is closed exactly once, through the
// closer (and its context) that came with it; values that hold nothing are never closed.
#include "base/UniqueHandle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Handles are ints; 0 and -1 hold nothing, as null and INVALID_HANDLE_VALUE do. The
// closer's context is the log it writes each close into.
struct LoggingClose {
    using Handle = int;
    static int Invalid() { return 0; }
    static bool Valid(int handle) { return handle != 0 && handle != -1; }
    void operator()(int handle) const { log->push_back(handle); }
    std::vector<int>* log = nullptr;
};

using Owner = UniqueHandle<LoggingClose>;
using Closed = std::vector<int>;

} // namespace

TEST(UniqueHandle, ClosesEachValidHandleOnceThroughItsOwnCloser)
{
    Closed first, second;
    {
        Owner a(1, {&first});
        Owner b(2, {&second});
        Owner empty(-1, {&first});
        EXPECT_FALSE(empty.Valid());
        a = std::move(b);   // 1 closed to the first log, 2 now closes to the second
        EXPECT_EQ(first, Closed{1});
        EXPECT_FALSE(b);
        Owner c(std::move(a));
        EXPECT_EQ(c.Get(), 2);
        Owner& same = c;
        c = std::move(same);
        EXPECT_EQ(c.Get(), 2) << "moved onto itself, it keeps its handle";
        c.Reset(3);
        EXPECT_EQ(second, Closed{2});
        EXPECT_EQ(c.Release(), 3);
        EXPECT_FALSE(c.Valid());
        Owner d(4, {&second});
        d.Reset();
        d.Reset(-1);
    }
    EXPECT_EQ(first, Closed{1});
    EXPECT_EQ(second, (Closed{2, 4})) << "3 was released, -1 holds nothing";
}
