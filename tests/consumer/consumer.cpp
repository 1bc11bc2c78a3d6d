// SPDX-License-Identifier: MIT
// A half-float library's view of the tables: both included as initializers,
// then each entry's bits read back as a float, as such a library reads them.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "../half_value.hpp"

namespace {

// C++ may read only the member last written, so the bits become a float
// through std::memcpy, not through a float member.
struct HalfBits {
    std::uint32_t u;
};

const HalfBits halfToSingle[1 << 16] =
#include <halftables/widen.inc>

const unsigned short singleExponentToHalf[512] =
#include <halftables/rebias.inc>

int faults = 0;

void fault(const char* what, unsigned index)
{
    if (++faults <= 8) {
        std::printf("%s: entry 0x%x\n", what, index);
    }
}

}  // namespace

int main()
{
    // Every half read as a float has the half's value; zeros keep their sign.
    for (unsigned half = 0; half < 0x10000; ++half) {
        float single;
        std::memcpy(&single, &halfToSingle[half].u, sizeof single);
        if (halfIsNan(half)) {
            if (!std::isnan(single)) {
                fault("half NaN is not a NaN", half);
            }
        } else if (single != halfValue(half) || std::signbit(single) != ((half & 0x8000) != 0)) {
            fault("float value differs from the half's", half);
        }
    }

    // A non-zero exponent entry names a half whose single has exactly the
    // entry's sign and exponent; 0 stands for exactly the single exponents
    // outside 113..141, those of halves with exponents other than 1..29.
    for (unsigned index = 0; index < 512; ++index) {
        const unsigned entry = singleExponentToHalf[index];
        const unsigned exponent = index & 0xFF;
        const bool covered = exponent >= 113 && exponent <= 141;
        if (covered != (entry != 0) || (entry & 0x3FF) != 0) {
            fault("exponent entry covers the wrong range", index);
        } else if (covered && halfToSingle[entry].u >> 23 != index) {
            fault("exponent entry names another exponent", index);
        }
    }

    std::printf("%d faults\n", faults);
    return faults == 0 ? 0 : 1;
}
