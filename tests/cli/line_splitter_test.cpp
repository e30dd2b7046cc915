#include "line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bcfont {
namespace {

// A small limit keeps the over-long rows short; the batch uses 99.
using Splitter = LineSplitter<8>;

struct Seen {
    std::string bytes;
    std::uint64_t number;
    bool tooLong;
    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& s, std::ostream* os) {
    *os << s.number << ":\"";
    for (unsigned char c : s.bytes)
        *os << (c >= 32 && c < 127 ? std::string(1, c) : "\\x" + std::to_string(c));
    *os << "\"" << (s.tooLong ? " (too long)" : "");
}

std::vector<Seen> split(const std::vector<std::string>& blocks) {
    std::vector<Seen> lines;
    const auto collect = [&lines](const Line& l) {
        lines.push_back({std::string(l.bytes), l.number, l.tooLong});
    };
    Splitter splitter;
    for (const auto& block : blocks) splitter.feed(block, collect);
    splitter.finish(collect);
    return lines;
}

struct SplitCase {
    const char* name;
    std::vector<std::string> blocks;
    std::vector<Seen> lines;
};

const std::vector<SplitCase> kCases = {
    {"Empty", {""}, {}},
    {"NoLineEndAtEnd", {"a\nb"}, {{"a", 1, false}, {"b", 2, false}}},
    {"FinalLfStartsNoLine", {"a\n"}, {{"a", 1, false}}},
    {"LoneLfIsOneEmptyLine", {"\n"}, {{"", 1, false}}},
    {"CrLfEndsOneLine", {"a\r\nb\r\n"}, {{"a", 1, false}, {"b", 2, false}}},
    {"CrEndsOneLine", {"a\rb\r"}, {{"a", 1, false}, {"b", 2, false}}},
    {"LfCrIsTwoLineEnds", {"a\n\rb"}, {{"a", 1, false}, {"", 2, false}, {"b", 3, false}}},
    {"CrCrLfIsTwoLineEnds", {"\r\r\n"}, {{"", 1, false}, {"", 2, false}}},
    {"CrLfSplitAcrossBlocks", {"ab\r", "\ncd"}, {{"ab", 1, false}, {"cd", 2, false}}},
    {"CrAtBlockEndThenText", {"ab\r", "cd"}, {{"ab", 1, false}, {"cd", 2, false}}},
    {"CrLfSplitByEmptyBlock", {"ab\r", "", "\n"}, {{"ab", 1, false}}},
    {"LineAcrossBlocks", {"ab", "c", "d\nef"}, {{"abcd", 1, false}, {"ef", 2, false}}},
    {"NulIsData", {std::string("a\0b\n", 4)}, {{std::string("a\0b", 3), 1, false}}},
    {"ExactlyAtLimit", {"12345678\n"}, {{"12345678", 1, false}}},
    {"ExactlyAtLimitAcrossBlocks", {"1234", "5678", "\n"}, {{"12345678", 1, false}}},
    {"OverLimitInOneBlock", {"123456789\nx"}, {{"12345678", 1, true}, {"x", 2, false}}},
    {"OverLimitAcrossBlocks", {"12345", "6789", "\r\n", "x"}, {{"12345678", 1, true}, {"x", 2, false}}},
    {"OverLimitAtEndOfInput", {"ab\n", "1234567", "89"}, {{"ab", 1, false}, {"12345678", 2, true}}},
    {"LineAfterOverLimitIsWhole",
     {"123456789012\n12345678\n"},
     {{"12345678", 1, true}, {"12345678", 2, false}}},
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class LineSplitterTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitterTest, GivesTheLines) {
    EXPECT_EQ(split(GetParam().blocks), GetParam().lines);
}

// However the same bytes are cut into blocks, the lines are the same.
TEST_P(LineSplitterTest, BlockBoundariesDoNotMatter) {
    std::string whole;
    for (const auto& b : GetParam().blocks) whole += b;
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        EXPECT_EQ(split({whole.substr(0, cut), whole.substr(cut)}), GetParam().lines) << "cut at " << cut;
    }
    std::vector<std::string> bytes;
    for (char c : whole) bytes.emplace_back(1, c);
    EXPECT_EQ(split(bytes), GetParam().lines) << "one byte per block";
}

INSTANTIATE_TEST_SUITE_P(Lines, LineSplitterTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bcfont
