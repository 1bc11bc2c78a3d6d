// SPDX-License-Identifier: MIT
// rebias: writes the exponent table, 512 entries indexed by the sign and the
// biased exponent of a single-precision (binary32) number, each holding the
// sign and exponent bits of the half-precision (binary16) number with the same
// sign and power of two, as the body of a C/C++ array initializer.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <locale>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Index: a single's sign (bit 8) and biased exponent (bits 7..0), that is its
// bits 31..23 shifted down.
constexpr std::size_t rebiasEntries = 512;
constexpr std::uint32_t singleExponents = 256;       // one half of the table per sign
constexpr std::uint32_t singleSignIndexBit = 0x100;  // the sign's bit in the index
constexpr std::int32_t singleBias = 127;

// Entry: a half with zero significand, sign in bit 15 and biased exponent in
// bits 14..10.
constexpr std::uint16_t halfSignBit = 0x8000;
constexpr int halfExponentShift = 10;
constexpr std::int32_t halfBias = 15;

// The half exponents with an entry. 30, the largest finite half exponent, has
// none on purpose: callers take 0 as "no direct entry" and treat the top of
// the range themselves.
constexpr std::int32_t halfExponentFirst = 1;
constexpr std::int32_t halfExponentLast = 29;

// Table text: eight entries to a line, each a number right-aligned in five
// columns, wide enough for the largest entry, 62464.
constexpr std::size_t entriesPerLine = 8;
constexpr int entryWidth = 5;

constexpr char banner[] =
    "//\n"
    "// This is an automatically generated file.\n"
    "// Do not edit.\n"
    "//\n"
    "\n";

void initRebias(std::uint16_t (&table)[rebiasEntries])
{
    for (std::uint32_t exponent = 0; exponent < singleExponents; ++exponent) {
        // The same power of two under the half's bias.
        const std::int32_t halfExponent = static_cast<std::int32_t>(exponent) - (singleBias - halfBias);
        std::uint16_t positive = 0;
        std::uint16_t negative = 0;
        if (halfExponent >= halfExponentFirst && halfExponent <= halfExponentLast) {
            positive = static_cast<std::uint16_t>(halfExponent << halfExponentShift);
            negative = static_cast<std::uint16_t>(positive | halfSignBit);
        }
        table[exponent] = positive;
        table[exponent | singleSignIndexBit] = negative;
    }
}

// A build that saves the table on a full disk must not get a truncated table
// and a zero status, so the stream's state decides the exit status.
int finishOutput(std::ostream& out)
{
    out.flush();
    if (out) {
        return 0;
    }
    const int error = errno;
    // The whole line goes out as one write, so that a parallel build's log
    // cannot interleave it with other jobs' output.
    char message[256];
    std::snprintf(message, sizeof message, "rebias: write error%s%s\n", error != 0 ? ": " : "",
                  error != 0 ? std::strerror(error) : "");
    std::fputs(message, stderr);
    return 1;
}

}  // namespace

int main()
{
    std::uint16_t table[rebiasEntries];
    initRebias(table);

    // A stream of its own, not synchronised with C stdio, buffers whole blocks
    // instead of handing every insertion to stdio.
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    // Windows opens standard output in text mode, which writes every line feed
    // as a carriage return and a line feed; the table must be the same bytes
    // whatever system writes it.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::cout.imbue(std::locale::classic());
    errno = 0;

    std::cout << banner << "{\n    ";
    for (std::size_t i = 0; i < rebiasEntries; ++i) {
        std::cout << std::setw(entryWidth) << table[i] << ", ";
        if (i % entriesPerLine == entriesPerLine - 1) {
            std::cout << '\n';
            if (i < rebiasEntries - 1) {
                std::cout << "    ";
            }
        }
    }
    std::cout << "};\n";
    return finishOutput(std::cout);
}
