/* SPDX-License-Identifier: MIT */
#include <stdint.h>
#include <stdio.h>

/* C reads a union through either member: .u is the bit pattern the table
   stores, .f the same bits as a float, the half's value. */
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
    /* The half 0x3C00 is one, and one's single exponent, 127, gives back its
       sign and exponent bits. */
    int ok = half_to_single[0x3C00].f == 1.0f && half_to_single[0xFFFF].u == 0xFFFFE000u &&
             single_exponent_to_half[127] == 0x3C00 && single_exponent_to_half[511] == 0;
    puts(ok ? "tables read" : "tables read wrong");
    return ok ? 0 : 1;
}
