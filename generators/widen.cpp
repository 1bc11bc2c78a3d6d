// SPDX-License-Identifier: MIT
// widen: writes the half table, for every one of the 65,536 half-precision
// (binary16) bit patterns the bit pattern of the single-precision (binary32)
// number of exactly the same value, as the body of a C/C++ array initializer.
//
// Only integers are used. On 32-bit x86 a float returned from a function passes
// through the x87 register stack, which quietens a signalling NaN; a table built
// through float would silently differ between i386 and x86-64.

#include <cerrno>
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

// binary16: sign in bit 15, biased exponent in bits 14..10, significand in 9..0.
constexpr int halfSignShift = 15;
constexpr int halfExponentShift = 10;
constexpr std::uint32_t halfExponentMask = 0x1F;      // exponent field, shifted down
constexpr std::uint32_t halfSignificandMask = 0x3FF;  // significand field
constexpr std::uint32_t halfImplicitBit = 0x400;      // leading 1 a normal half leaves out
constexpr std::int32_t halfExponentSpecial = 31;      // all ones: infinity or NaN
constexpr std::int32_t halfBias = 15;

// binary32: sign in bit 31, biased exponent in bits 30..23, significand in 22..0.
constexpr int singleSignShift = 31;
constexpr int singleExponentShift = 23;
constexpr std::uint32_t singleExponentSpecial = 0x7F800000;  // all-ones exponent, in place
constexpr std::int32_t singleBias = 127;

// The half significand becomes the top of the single's: 23 - 10 bits further up.
constexpr int significandShift = singleExponentShift - halfExponentShift;

// Table text: one entry per half pattern, four to a line.
constexpr std::uint32_t entryCount = 0x10000;
constexpr std::uint32_t entriesPerLine = 4;
constexpr int entryDigits = 8;  // a single's 32 bits in full

constexpr char banner[] =
    "//\n"
    "// This is an automatically generated file.\n"
    "// Do not edit.\n"
    "//\n"
    "\n";

std::uint32_t halfWiden(std::uint16_t half)
{
    const std::uint32_t sign = (std::uint32_t{half} >> halfSignShift) & 1u;
    auto exponent = static_cast<std::int32_t>((std::uint32_t{half} >> halfExponentShift) & halfExponentMask);
    std::uint32_t significand = half & halfSignificandMask;
    const std::uint32_t signBit = sign << singleSignShift;

    if (exponent == 0) {
        // Zero: the sign is all there is, and -0 must stay distinct from +0.
        if (significand == 0) {
            return signBit;
        }
        // Subnormal: too small for a normal half but well inside the single's
        // range, so shift the leading 1 up into the implicit position and lower
        // the exponent by as many steps; it then widens like a normal number.
        while ((significand & halfImplicitBit) == 0) {
            significand <<= 1;
            --exponent;
        }
        ++exponent;
        significand &= ~halfImplicitBit;
    } else if (exponent == halfExponentSpecial) {
        // Infinity and NaN: the significand moves up unchanged, so a NaN keeps
        // its payload and its quiet bit; a signalling NaN stays signalling.
        return signBit | singleExponentSpecial | (significand << significandShift);
    }

    // Normal: the same power of two under the single's bias.
    const auto singleExponent = static_cast<std::uint32_t>(exponent + (singleBias - halfBias));
    return signBit | (singleExponent << singleExponentShift) | (significand << significandShift);
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
    std::snprintf(message, sizeof message, "widen: write error%s%s\n", error != 0 ? ": " : "",
                  error != 0 ? std::strerror(error) : "");
    std::fputs(message, stderr);
    return 1;
}

}  // namespace

int main()
{
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

    // The literal text between two numbers goes out as one insertion: the
    // "}, " closing one entry, the line break where a line ends, and the "{0x"
    // opening the next. Every insertion has a fixed cost, so each entry now
    // pays for one literal instead of two or three.
    std::cout << banner << "{\n    {0x" << std::hex;
    for (std::uint32_t i = 0; i < entryCount; ++i) {
        std::cout << std::setfill('0') << std::setw(entryDigits) << halfWiden(static_cast<std::uint16_t>(i));
        if (i == entryCount - 1) {
            std::cout << "}, \n};\n";
        } else if (i % entriesPerLine == entriesPerLine - 1) {
            std::cout << "}, \n    {0x";
        } else {
            std::cout << "}, {0x";
        }
    }
    return finishOutput(std::cout);
}
