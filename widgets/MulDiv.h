#pragma once
// x * n / d computed in 64 bits and rounded half away from zero, as Win32's MulDiv does.
#include <cstdint>

inline int MulDivRounded(int x, int n, int d)
{
    const std::int64_t product = static_cast<std::int64_t>(x) * n;
    const std::int64_t half = (d < 0 ? -d : d) / 2;
    const bool negative = (product < 0) != (d < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (d < 0 ? -d : d);
    return static_cast<int>(negative ? -magnitude : magnitude);
}
