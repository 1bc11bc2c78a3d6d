// SPDX-License-Identifier: MIT
//
// The floor of widen's method: the same stream set-up and the same formatted
// insertions, 65,536 eight-digit hex numbers and the literals between them,
// with nothing computed (each number is its own index). What widen takes
// beyond this program is what computing the entries costs.

#include <cstdint>
#include <iomanip>
#include <iostream>
#include <locale>

int main()
{
    std::ios::sync_with_stdio(false);
    std::cout.imbue(std::locale::classic());
    std::cout << "//\n// This is an automatically generated file.\n// Do not edit.\n//\n\n{\n    {0x" << std::hex;
    for (std::uint32_t i = 0; i < 0x10000; ++i) {
        std::cout << std::setfill('0') << std::setw(8) << i;
        if (i == 0xFFFF) {
            std::cout << "}, \n};\n";
        } else if (i % 4 == 3) {
            std::cout << "}, \n    {0x";
        } else {
            std::cout << "}, {0x";
        }
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
