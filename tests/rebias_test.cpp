// SPDX-License-Identifier: MIT
// Checks the saved exponent table against its rule restated from values: the
// entry for a single's sign and exponent is the sign and exponent bits of the
// half that has the same sign and power of two, for half exponents 1 to 29.

#include <cmath>

#include "table_check.hpp"

namespace {

using tablecheck::readTable;

constexpr tablecheck::Shape rebiasShape{512, 8, 7};

std::optional<std::uint32_t> readRebiasEntry(std::string_view entry)
{
    if (entry.substr(5) != ", ") {
        return std::nullopt;
    }
    const std::string_view field = entry.substr(0, 5);
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos || (field[first] == '0' && first != 4)) {
        return std::nullopt;  // blank, or a leading zero
    }
    std::uint32_t value = 0;
    for (const char c : field.substr(first)) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

const std::vector<std::uint32_t>& savedTable()
{
    static const std::vector<std::uint32_t> table =
        readTable(tablecheck::readFile(REBIAS_TABLE), rebiasShape, readRebiasEntry);
    return table;
}

TEST(RebiasTable, EveryEntryFollowsTheRule)
{
    // Walk the halves 2^(e - 15) and -2^(e - 15), e = 1..29, and let the
    // compiler find the single of the same value: its top nine bits index
    // the entry, which must hold the half's own top six bits.
    std::vector<std::uint32_t> expected(rebiasShape.entries, 0);
    for (std::uint32_t sign = 0; sign <= 1; ++sign) {
        for (int exponent = 1; exponent <= 29; ++exponent) {
            const float value = std::ldexp(sign != 0 ? -1.0f : 1.0f, exponent - 15);
            const std::uint32_t index = tablecheck::bitsOf(value) >> 23;
            expected[index] = sign << 15 | static_cast<std::uint32_t>(exponent) << 10;
        }
    }
    EXPECT_TRUE(tablecheck::sameEntries(savedTable(), expected));
}

TEST(RebiasTable, SignHalvesDifferOnlyInTheSignBit)
{
    const auto& table = savedTable();
    ASSERT_EQ(table.size(), rebiasShape.entries);
    int nonZero = 0;
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t negative = table[i] == 0 ? 0 : table[i] | 0x8000;
        EXPECT_EQ(tablecheck::hex(table[i | 0x100], 4), tablecheck::hex(negative, 4))
            << "entries " << i << " and " << (i | 0x100);
        EXPECT_EQ(table[i] & 0x8000, 0u) << "entry " << i;
        nonZero += table[i] != 0 ? 2 : 0;
    }
    EXPECT_EQ(nonZero, 58);
}

TEST(RebiasTable, KnownAnswersAtTheEdgesOfTheRange)
{
    const struct {
        const char* kind;
        std::vector<std::pair<std::size_t, std::uint32_t>> answers;
    } groups[] = {
        {"first covered exponent", {{112, 0}, {113, 0x0400}, {368, 0}, {369, 0x8400}}},
        {"plus and minus one", {{127, 0x3C00}, {383, 0xBC00}}},
        {"half exponent 30 left out", {{141, 0x7400}, {142, 0}, {397, 0xF400}, {398, 0}}},
        {"ends of each sign half", {{0, 0}, {255, 0}, {256, 0}, {511, 0}}},
    };
    const auto& table = savedTable();
    ASSERT_EQ(table.size(), rebiasShape.entries);
    for (const auto& group : groups) {
        for (const auto& [index, entry] : group.answers) {
            EXPECT_EQ(tablecheck::hex(table[index], 4), tablecheck::hex(entry, 4)) << group.kind << ", index " << index;
        }
    }
}

TEST(RebiasText, LayoutCountsAndSampleLines)
{
    const std::string text = tablecheck::readFile(REBIAS_TABLE);
    EXPECT_EQ(text.size(), 3976u);
    const auto lines = tablecheck::numberedLines(text);
    ASSERT_EQ(lines.size(), 73u) << "71 lines, a final line feed, and the unused lines[0]";
    EXPECT_EQ(lines[72], "") << "nothing may follow the last line feed";

    const std::string zeros = "        0,     0,     0,     0,     0,     0,     0,     0, ";
    for (const unsigned n : {7u, 20u, 25u, 52u, 57u, 70u}) {
        EXPECT_EQ(lines[n], zeros) << "line " << n;
    }
    EXPECT_EQ(lines[21], "        0,  1024,  2048,  3072,  4096,  5120,  6144,  7168, ");
    EXPECT_EQ(lines[22], "     8192,  9216, 10240, 11264, 12288, 13312, 14336, 15360, ");
    EXPECT_EQ(lines[24], "    24576, 25600, 26624, 27648, 28672, 29696,     0,     0, ");
    EXPECT_EQ(lines[53], "        0, 33792, 34816, 35840, 36864, 37888, 38912, 39936, ");
    EXPECT_EQ(lines[56], "    57344, 58368, 59392, 60416, 61440, 62464,     0,     0, ");
    EXPECT_EQ(lines[71], "};");

    // Every other line is checked entry by entry while it is read.
    EXPECT_EQ(readTable(text, rebiasShape, readRebiasEntry).size(), rebiasShape.entries);
}

TEST(RebiasProgram, ArgumentsAndLocaleChangeNothing)
{
    tablecheck::expectArgumentsAndLocaleIgnored(REBIAS_EXE, REBIAS_TABLE);
}

TEST(RebiasProgram, WriteFailuresAreLoud)
{
    tablecheck::expectLoudWriteFailures(REBIAS_EXE, "rebias");
}

}  // namespace
