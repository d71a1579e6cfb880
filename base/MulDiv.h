#pragma once
// x * n / d computed in 64 bits and rounded half away from zero, as Win32's MulDiv does;
// like it, -1 for a zero divisor or a result outside the int range.
#include <climits>
#include <cstdint>

inline int MulDivRounded(int x, int n, int d)
{
    if (d == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(x) * n;
    const std::int64_t divisor = d;
    const std::int64_t productMagnitude = product < 0 ? -product : product;
    const std::int64_t divisorMagnitude = divisor < 0 ? -divisor : divisor;
    const std::int64_t magnitude = (productMagnitude + divisorMagnitude / 2) / divisorMagnitude;
    const std::int64_t result = (product < 0) != (divisor < 0) ? -magnitude : magnitude;
    return result < INT_MIN || result > INT_MAX ? -1 : static_cast<int>(result);
}
