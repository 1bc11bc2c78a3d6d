/* SPDX-License-Identifier: MIT */
/* Both tables as C99 initializers, the way a C half-float library would
   define them; compiled with -std=c99 -pedantic -Werror. */

#include <stdint.h>
#include <stdio.h>

union half_bits {
    uint32_t u;
    float f;
};

static const union half_bits half_to_single[65536] =
#include <halftables/widen.inc>

static const unsigned short single_exponent_to_half[512] =
#include <halftables/rebias.inc>

int main(void)
{
    /* One of each kind: the initializers reached the right elements. */
    int ok = half_to_single[0x3C00].f == 1.0f && half_to_single[0xFFFF].u == 0xFFFFE000u &&
             single_exponent_to_half[127] == 0x3C00 && single_exponent_to_half[511] == 0;
    puts(ok ? "tables read" : "tables read wrong");
    return ok ? 0 : 1;
}
