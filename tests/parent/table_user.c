/* SPDX-License-Identifier: MIT */
#include <stdint.h>

static const struct {
    uint32_t u;
} half_to_single[65536] =
#include <halftables/widen.inc>

int main(void)
{
    return half_to_single[0x3C00].u == 0x3F800000u ? 0 : 1;
}
