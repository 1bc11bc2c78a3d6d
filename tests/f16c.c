/* SPDX-License-Identifier: MIT */
/* docs/exponent-table.md's conversion, included word for word ahead of this
   file with its main renamed, against this CPU's F16C instructions, which
   round to nearest even, for all 2^32 singles, NaNs included; and the half
   table against F16C's widening, which differs from it only in quietening
   the 1,022 signalling NaNs. The bits go in and out through SSE registers. */
#include <immintrin.h>
#undef main

int main(void)
{
    unsigned long wrong = 0, quietened = 0;
    for (uint64_t bits = 0; bits <= UINT32_MAX; ++bits) {
        __m128i single = _mm_cvtsi32_si128((int)bits), half = _mm_cvtps_ph(_mm_castsi128_ps(single), 0);
        wrong += single_to_half((uint32_t)bits) != (uint16_t)_mm_cvtsi128_si32(half);
        if (bits <= 0xFFFF) {
            uint32_t widened = (uint32_t)_mm_cvtsi128_si32(_mm_castps_si128(_mm_cvtph_ps(single)));
            quietened += widened != half_to_single[bits].bits;
            wrong += (widened | 0x400000) != (half_to_single[bits].bits | 0x400000);
        }
    }
    printf("%lu entries differ from F16C's; %lu signalling NaNs quietened\n", wrong, quietened);
    return wrong != 0 || quietened != 1022;
}
