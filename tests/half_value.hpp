// SPDX-License-Identifier: MIT
// The value of a half-precision bit pattern from its fields, in exact double
// arithmetic: the tests' oracle, independent of any bit shuffling. Shared by
// the table tests and the consumer program.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

inline bool halfIsNan(std::uint32_t half)
{
    return (half & 0x7C00) == 0x7C00 && (half & 0x3FF) != 0;
}

// For every pattern that is not a NaN; -0 comes back as -0.0.
inline double halfValue(std::uint32_t half)
{
    const int exponent = static_cast<int>(half >> 10 & 0x1F);
    const int significand = static_cast<int>(half & 0x3FF);
    double magnitude = std::numeric_limits<double>::infinity();
    if (exponent == 0) {
        magnitude = std::ldexp(significand, -24);  // zero or subnormal: no implicit 1
    } else if (exponent < 0x1F) {
        magnitude = std::ldexp(0x400 + significand, exponent - 25);
    }
    return (half & 0x8000) != 0 ? -magnitude : magnitude;
}
