// SPDX-License-Identifier: MIT
// Test plumbing shared by the generators' tests: reading a generated table's
// text back into numbers, comparing whole tables, and running a generator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace tablecheck {

// What fixes one table's text, beside the layout both generators share.
struct Shape {
    std::size_t entries;     // entries in the table
    std::size_t perLine;     // entries on each entry line
    std::size_t entryWidth;  // characters of one entry's text, its ", " included
};

// Reads one entry's text (exactly entryWidth characters) into its value, or
// nothing when the text is not what the table's format allows.
using EntryReader = std::optional<std::uint32_t> (*)(std::string_view entry);

// The bit pattern of a float. Never for a NaN: on i386 a float passed by
// value may go through the x87 stack, which quietens a signalling NaN.
std::uint32_t bitsOf(float value);

std::string readFile(const std::string& path);

// value as "0x" and exactly that many lowercase hex digits: how a failure
// shows a bit pattern.
std::string hex(std::uint32_t value, int digits);

// The text's lines without their line feeds; lines[n] is line n, from 1.
std::vector<std::string> numberedLines(const std::string& text);

// Checks the text line by line against the shared layout (banner, "{", entry
// lines of four spaces and perLine entries, "};" and a final line feed) and
// returns the entries' values in order. Every layout fault fails the test,
// the first few with their line number and text.
std::vector<std::uint32_t> readTable(const std::string& text, const Shape& shape, EntryReader readEntry);

// Whole-table comparison; on mismatch the message names the first few
// differing entries in hex and how many differ in all.
::testing::AssertionResult sameEntries(const std::vector<std::uint32_t>& actual,
                                       const std::vector<std::uint32_t>& expected);

std::string shellQuote(const std::string& word);

struct RunResult {
    int status;  // exit status, or 128 + signal as a shell reports it
    std::string out;
    std::string err;
};

// Runs a shell command line; its own redirections win over the capture.
RunResult runShell(const std::string& command);

// A generator must ignore its arguments and its locale: the output with both
// set is exactly the table the build saved.
void expectArgumentsAndLocaleIgnored(const std::string& generator, const std::string& savedTable);

// A failed write must not pass for success, whether it is the first or only
// the last: the named program exits 1 with "<name>: write error: <reason>";
// a good run exits 0 and says nothing.
void expectLoudWriteFailures(const std::string& generator, const std::string& name);

}  // namespace tablecheck
