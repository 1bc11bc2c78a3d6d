// SPDX-License-Identifier: MIT
#include "table_check.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace tablecheck {

namespace {

constexpr std::string_view head =
    "//\n"
    "// This is an automatically generated file.\n"
    "// Do not edit.\n"
    "//\n"
    "\n"
    "{\n";
constexpr std::string_view indent = "    ";
constexpr std::string_view tail = "};\n";
constexpr std::size_t firstEntryLine = 7;
constexpr std::size_t faultsShown = 5;
constexpr std::size_t mismatchesShown = 8;

// A unique temporary file, removed when the object goes.
class TempFile {
public:
    TempFile()
    {
        const char* dir = std::getenv("TMPDIR");
        path_ = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/tablecheck.XXXXXX";
        const int fd = mkstemp(path_.data());
        if (fd < 0) {
            ADD_FAILURE() << "cannot create a temporary file from " << path_;
        } else {
            close(fd);
        }
    }
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

std::string hex(std::uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*x", digits, value);
    return text;
}

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> numberedLines(const std::string& text)
{
    std::vector<std::string> lines(2);
    for (const char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

std::vector<std::uint32_t> readTable(const std::string& text, const Shape& shape, EntryReader readEntry)
{
    std::vector<std::uint32_t> values;
    if (text.compare(0, head.size(), head) != 0) {
        ADD_FAILURE() << "lines 1 to 6 are not the banner and \"{\"; the text starts:\n" << text.substr(0, 120);
        return values;
    }
    std::size_t faults = 0;
    auto fault = [&faults](std::size_t line, const std::string& what, std::string_view content) {
        if (++faults <= faultsShown) {
            ADD_FAILURE() << "line " << line << ": " << what << ": \"" << content << "\"";
        }
    };

    std::size_t pos = head.size();
    const std::size_t lines = shape.entries / shape.perLine;
    const std::size_t lineLength = indent.size() + shape.perLine * shape.entryWidth;
    for (std::size_t n = 0; n < lines; ++n) {
        const std::size_t lineNumber = firstEntryLine + n;
        const std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the text ends inside line " << lineNumber;
            return values;
        }
        const std::string_view line(text.data() + pos, end - pos);
        pos = end + 1;
        if (line.size() != lineLength || line.substr(0, indent.size()) != indent) {
            fault(lineNumber, "not four spaces and " + std::to_string(shape.perLine) + " entries", line);
            continue;
        }
        for (std::size_t k = 0; k < shape.perLine; ++k) {
            const auto entry = line.substr(indent.size() + k * shape.entryWidth, shape.entryWidth);
            if (const auto value = readEntry(entry)) {
                values.push_back(*value);
            } else {
                fault(lineNumber, "entry " + std::to_string(k) + " is malformed", entry);
            }
        }
    }
    const std::string_view rest(text.data() + pos, text.size() - pos);
    if (rest != tail) {
        fault(firstEntryLine + lines, "the text does not end with \"};\" and a line feed", rest.substr(0, 80));
    }
    if (faults > faultsShown) {
        ADD_FAILURE() << faults << " layout faults in all";
    }
    return values;
}

::testing::AssertionResult sameEntries(const std::vector<std::uint32_t>& actual,
                                       const std::vector<std::uint32_t>& expected)
{
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure()
               << "the table has " << actual.size() << " entries, not " << expected.size();
    }
    std::size_t mismatches = 0;
    std::ostringstream report;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i] && ++mismatches <= mismatchesShown) {
            report << "\n  entry " << hex(static_cast<std::uint32_t>(i), 4) << ": " << hex(actual[i], 8)
                   << ", expected " << hex(expected[i], 8);
        }
    }
    if (mismatches == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << mismatches << " of " << actual.size() << " entries differ" << report.str();
}

std::string shellQuote(const std::string& word)
{
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

RunResult runShell(const std::string& command)
{
    const TempFile out;
    const TempFile err;
    const std::string line = "{ " + command + "\n} >" + shellQuote(out.path()) + " 2>" + shellQuote(err.path());
    const int raw = std::system(line.c_str());
    RunResult result{-1, {}, {}};
    if (raw != -1 && WIFEXITED(raw)) {
        result.status = WEXITSTATUS(raw);
    }
    result.out = readFile(out.path());
    result.err = readFile(err.path());
    return result;
}

void expectArgumentsAndLocaleIgnored(const std::string& generator, const std::string& savedTable)
{
    const std::string saved = readFile(savedTable);
    for (const std::string environment : {"", "LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "}) {
        for (const std::string arguments : {"", " --help", " -o out.inc 1 2 3", " '' 'two words'"}) {
            SCOPED_TRACE("environment \"" + environment + "\", arguments \"" + arguments + "\"");
            const RunResult run = runShell(environment + shellQuote(generator) + arguments);
            EXPECT_EQ(run.status, 0);
            EXPECT_EQ(run.err, "");
            EXPECT_TRUE(run.out == saved) << "the output differs from the saved table";
        }
    }
}

void expectLoudWriteFailures(const std::string& generator, const std::string& name)
{
    const std::string program = shellQuote(generator);
    const struct {
        const char* redirection;
        std::string message;
    } failures[] = {
        {" >/dev/full", name + ": write error: No space left on device\n"},
        {" >&-", name + ": write error: Bad file descriptor\n"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.redirection);
        const RunResult run = runShell(program + failure.redirection);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, failure.message);
    }
    const RunResult good = runShell(program);
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.err, "");

    // Every write but the last succeeds: a file-size limit (in sh, blocks of
    // 512 bytes) just short of the table, its signal ignored, as a full disk
    // sends none.
    const TempFile file;
    const RunResult last = runShell("trap '' XFSZ; ulimit -f " + std::to_string(good.out.size() / 512) + "; " +
                                    program + " >" + shellQuote(file.path()));
    EXPECT_EQ(last.status, 1);
    EXPECT_EQ(last.err, name + ": write error: File too large\n");
}

}  // namespace tablecheck
