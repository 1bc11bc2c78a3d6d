// SPDX-License-Identifier: MIT
// Checks the saved half table against an oracle that knows nothing of bit
// shuffling: each half's value is computed from its fields in double
// arithmetic and converted to float by the compiler.

#include <algorithm>

#include "half_value.hpp"
#include "table_check.hpp"

namespace {

using tablecheck::readTable;

constexpr tablecheck::Shape widenShape{0x10000, 4, 14};

std::optional<std::uint32_t> readWidenEntry(std::string_view entry)
{
    if (entry.substr(0, 3) != "{0x" || entry.substr(11) != "}, ") {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : entry.substr(3, 8)) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(c >= 'a' && c <= 'f')) {
            return std::nullopt;  // uppercase included: the format is lowercase only
        }
        value = value << 4 | static_cast<std::uint32_t>(digit ? c - '0' : c - 'a' + 10);
    }
    return value;
}

const std::vector<std::uint32_t>& savedTable()
{
    static const std::vector<std::uint32_t> table =
        readTable(tablecheck::readFile(WIDEN_TABLE), widenShape, readWidenEntry);
    return table;
}

std::uint32_t oracle(std::uint16_t half)
{
    if (halfIsNan(half)) {
        // A NaN cannot go through float here (x87 would quieten a signalling
        // one), so by integers: sign kept, the ten payload bits, quiet bit
        // among them, on top of the single's significand, nothing added.
        return (half & 0x8000u) << 16 | 0x7F800000u | (half & 0x3FFu) << 13;
    }
    return tablecheck::bitsOf(static_cast<float>(halfValue(half)));
}

TEST(WidenTable, EveryEntryMatchesTheOracle)
{
    std::vector<std::uint32_t> expected;
    for (std::uint32_t half = 0; half <= 0xFFFF; ++half) {
        expected.push_back(oracle(static_cast<std::uint16_t>(half)));
    }
    EXPECT_TRUE(tablecheck::sameEntries(savedTable(), expected));
}

TEST(WidenTable, KnownAnswersByKindOfValue)
{
    // Four answers to a line, as the table has them.
    // clang-format off
    const struct {
        const char* kind;
        std::vector<std::pair<std::uint16_t, std::uint32_t>> answers;
    } groups[] = {
        {"zeros", {{0x0000, 0x00000000}, {0x8000, 0x80000000}}},
        {"subnormals",
         {{0x0001, 0x33800000}, {0x0003, 0x34400000}, {0x0200, 0x38000000}, {0x03FF, 0x387FC000},
          {0x8001, 0xB3800000}, {0x83FF, 0xB87FC000}}},
        {"normals",
         {{0x0400, 0x38800000}, {0x3C00, 0x3F800000}, {0x3C01, 0x3F802000}, {0xBC00, 0xBF800000},
          {0x7BFF, 0x477FE000}, {0xFBFF, 0xC77FE000}}},
        {"infinities", {{0x7C00, 0x7F800000}, {0xFC00, 0xFF800000}}},
        {"NaNs",
         {{0x7C01, 0x7F802000}, {0x7E00, 0x7FC00000}, {0x7FFF, 0x7FFFE000}, {0xFC01, 0xFF802000},
          {0xFFFF, 0xFFFFE000}}},
    };
    // clang-format on
    const auto& table = savedTable();
    ASSERT_EQ(table.size(), widenShape.entries);
    for (const auto& group : groups) {
        for (const auto& [half, single] : group.answers) {
            EXPECT_EQ(tablecheck::hex(table[half], 8), tablecheck::hex(single, 8))
                << group.kind << ", half " << tablecheck::hex(half, 4);
        }
    }
}

TEST(WidenTable, NoTwoPatternsShareAnEntry)
{
    auto sorted = savedTable();
    std::sort(sorted.begin(), sorted.end());
    const auto twin = std::adjacent_find(sorted.begin(), sorted.end());
    EXPECT_TRUE(twin == sorted.end()) << "0x" << std::hex << *twin << " appears twice";
}

TEST(WidenText, LayoutCountsAndSampleLines)
{
    const std::string text = tablecheck::readFile(WIDEN_TABLE);
    EXPECT_EQ(text.size(), 999496u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 16391);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');

    const auto lines = tablecheck::numberedLines(text);
    ASSERT_EQ(lines.size(), 16393u) << "16,391 lines, a final line feed, and the unused lines[0]";
    EXPECT_EQ(lines[6], "{");
    EXPECT_EQ(lines[7], "    {0x00000000}, {0x33800000}, {0x34000000}, {0x34400000}, ");
    EXPECT_EQ(lines[8], "    {0x34800000}, {0x34a00000}, {0x34c00000}, {0x34e00000}, ");
    EXPECT_EQ(lines[3847], "    {0x3f800000}, {0x3f802000}, {0x3f804000}, {0x3f806000}, ");
    EXPECT_EQ(lines[7943].substr(4, 14), "{0x7f800000}, ");
    EXPECT_EQ(lines[16390], "    {0xffff8000}, {0xffffa000}, {0xffffc000}, {0xffffe000}, ");
    EXPECT_EQ(lines[16391], "};");

    // Every other line is checked entry by entry while it is read.
    EXPECT_EQ(readTable(text, widenShape, readWidenEntry).size(), widenShape.entries);
}

TEST(WidenProgram, ArgumentsAndLocaleChangeNothing)
{
    tablecheck::expectArgumentsAndLocaleIgnored(WIDEN_EXE, WIDEN_TABLE);
}

TEST(WidenProgram, WriteFailuresAreLoud)
{
    tablecheck::expectLoudWriteFailures(WIDEN_EXE, "widen");
}

}  // namespace
