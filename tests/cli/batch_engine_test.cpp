// The batch rules both front ends share, through the engine directly: output
// bytes, counts and listed reasons, and the same result however the input
// is cut into blocks.
#include "batch.h"

#include <gtest/gtest.h>

#include "encode.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace bcfont {
namespace {

const std::string kEan13 = "4<ALGDTM=dddjdb>";  // 400638133393
const std::string kC128Abc =
    "\x85"
    "ABC!\x8A";  // Code 128 "ABC", start B ... stop
const std::string kC128AbcUtf8 = "ÖABC!ä";

// What an engine writes when `input` reaches it in blocks of `blockSize` bytes.
template <typename Engine>
std::string fedInBlocks(Engine& engine, std::string_view input, std::size_t blockSize) {
    std::string output;
    auto sink = [&output](const char* bytes, std::size_t n) { output.append(bytes, n); };
    for (std::size_t at = 0; at < input.size(); at += blockSize)
        engine.feed(input.substr(at, blockSize), sink);
    engine.finish(sink);
    return output;
}

BatchOptions options(CodeType type, bool utf8 = false, bool align = false, std::size_t listed = 20) {
    BatchOptions o;
    o.type = type;
    o.utf8 = utf8;
    o.align = align;
    o.listedRejections = listed;
    return o;
}

// The encoder's own words for data it rejects, which the batch passes on.
std::string calcSays(CodeType type, const std::string& data) {
    return rejectionReason(type, data, "", true);
}

struct Row {
    const char* name;
    BatchOptions options;
    std::string input;
    std::string output;
    std::uint64_t converted, rejected, empty;
    std::vector<BatchRejection> listed;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.name;
}

// clang-format off
const std::vector<Row> kRows = {
    // line ends and empty lines
    {"MixedLineEnds", options(EAN13), "400638133393\r\n400638133393\r400638133393\n400638133393", kEan13 + "\n" + kEan13 + "\n" + kEan13 + "\n" + kEan13 + "\n", 4, 0, 0, {}},
    {"EmptyLinesSkipped", options(EAN13), "\n\r\n400638133393\n\r", kEan13 + "\n", 1, 0, 3, {}},
    {"EmptyLinesAligned", options(EAN13, false, true), "\n400638133393\nx\n", "\n" + kEan13 + "\n\n", 1, 1, 1, {{3, calcSays(EAN13, "x")}}},
    // the 99-byte rule and NUL bytes
    {"HundredBytesTooLong", options(C128), std::string(100, 'A') + "\nABC\n", kC128Abc + "\n", 1, 1, 0, {{1, "data is longer than 48 characters (got 100)"}}},
    {"LineOverTheBufferNamesNoCount", options(EAN13), std::string(500, '1') + "\n", "", 0, 1, 0, {{1, "data is longer than 48 characters"}}},
    {"Gs1128LineOverItsOwnLimit", options(GS1128), "(90)" + std::string(97, 'A') + "\n", "", 0, 1, 0, {{1, "data is longer than 99 characters (got 101)"}}},
    {"NinetyNineBytesGoToTheEncoder", options(C128), std::string(99, 'A') + "\n", "", 0, 1, 0, {{1, calcSays(C128, std::string(99, 'A'))}}},
    {"NulInCode128", options(C128), std::string("A\0B\n", 4), "", 0, 1, 0, {{1, "contains a NUL byte"}}},
    {"NulInEan13", options(EAN13), std::string("400638133393\0\n", 14), "", 0, 1, 0, {{1, "contains a NUL byte"}}},
    {"NulInTheMiddleOfDigits", options(EAN13), std::string("40063\0""8133393\n", 13), "", 0, 1, 0, {{1, "contains a NUL byte"}}},
    {"NulInCodabar", options(CODABAR), std::string("A12\0""34B\n", 8), "", 0, 1, 0, {{1, "contains a NUL byte"}}},
    {"NulInCode39", options(C39), std::string("AB\0\n", 4), "", 0, 1, 0, {{1, "contains a NUL byte"}}},
    {"NulBeforeInvalidUtf8", options(EAN13, true), std::string("12\0\xFF\n", 5), "", 0, 1, 0, {{1, "contains a NUL byte"}}},
    {"NulInALongUtf8Line", options(EAN13, true), std::string(99, '1') + std::string("\0\n", 2), "", 0, 1, 0, {{1, "contains a NUL byte"}}},
    // bytes both ways without utf8
    {"HighByteIsData", options(C128), "A\xE9\n", "", 0, 1, 0, {{1, calcSays(C128, "A\xE9")}}},
    {"FontBytesRaw", options(C128), "ABC\n", kC128Abc + "\n", 1, 0, 0, {}},
    {"LineAfterARejectedOne", options(EAN13, false, true), "40063813339x\n400638133393\n", "\n" + kEan13 + "\n", 1, 1, 0, {{1, calcSays(EAN13, "40063813339x")}}},
    // UTF-8 both ways with utf8
    {"Utf8FontString", options(C128, true), "ABC\n", kC128AbcUtf8 + "\n", 1, 0, 0, {}},
    {"Utf8InvalidByte", options(C128, true), "AB\xFF\n", "", 0, 1, 0, {{1, "is not valid UTF-8 (byte 3)"}}},
    {"Utf8Surrogate", options(C128, true), "A\xED\xA0\x80\n", "", 0, 1, 0, {{1, "is not valid UTF-8 (byte 2)"}}},
    {"Utf8Overlong", options(C128, true), "\xE0\x80\xAF\n", "", 0, 1, 0, {{1, "is not valid UTF-8 (byte 1)"}}},
    {"Utf8NotInMacRoman", options(C128, true), "Aéł\n", "", 0, 1, 0, {{1, "holds 'ł' (character 3), which Mac OS Roman cannot encode"}}},
    {"Utf8CountsCharactersNotBytes", options(EAN13, true), std::string(60, 'A') + std::string(40, 'x') + "\n" + [] { std::string s; for (int i = 0; i < 60; ++i) s += "é"; return s; }() + "\n", "", 0, 2, 0,
     {{1, "data is longer than 48 characters (got 100)"}, {2, calcSays(EAN13, std::string(60, '\x8E'))}}},
    // "data<TAB>caption", as label sheets read lines; blanks are data
    {"CaptionAfterDigits", options(EAN13), "400638133393\tTea\n", kEan13 + "\n", 1, 0, 0, {}},
    {"CaptionAfterAscii", options(C128), "ABC\tcap\n", kC128Abc + "\n", 1, 0, 0, {}},
    {"LongCaptionAfterShortData", options(C128), "ABC\t" + std::string(500, 'x') + "\n", kC128Abc + "\n", 1, 0, 0, {}},
    {"NothingBeforeTheTab", options(C128, false, true), "\tcap\n", "\n", 0, 1, 0, {{1, "no data before the caption's TAB"}}},
    {"BlanksAreData", options(EAN13), " 400638133393\n", "", 0, 1, 0, {{1, calcSays(EAN13, " 400638133393")}}},
    // the listed rejections stop at the limit; the count goes on
    {"ListedUpToTheLimit", options(EAN13, false, false, 2), "x\ny\n400638133393\nz\n", kEan13 + "\n", 1, 3, 0,
     {{1, calcSays(EAN13, "x")}, {2, calcSays(EAN13, "y")}}},
};
// clang-format on

class BatchEngineTest : public ::testing::TestWithParam<Row> {};

TEST_P(BatchEngineTest, OutputCountsAndReasons) {
    const Row& r = GetParam();
    const BatchResult result = convertAll(r.input, r.options);
    EXPECT_EQ(result.output, r.output);
    EXPECT_EQ(result.report.converted, r.converted);
    EXPECT_EQ(result.report.rejected, r.rejected);
    EXPECT_EQ(result.report.empty, r.empty);
    ASSERT_EQ(result.report.listed.size(), r.listed.size());
    for (std::size_t i = 0; i < r.listed.size(); ++i) {
        EXPECT_EQ(result.report.listed[i].line, r.listed[i].line);
        EXPECT_EQ(result.report.listed[i].reason, r.listed[i].reason);
    }
}

// Blocks of one, two and seven bytes give what the whole input gives.
TEST_P(BatchEngineTest, SameOutputHoweverTheInputIsCut) {
    const Row& r = GetParam();
    for (std::size_t blockSize : {1u, 2u, 7u}) {
        SCOPED_TRACE(blockSize);
        BatchEngine engine(r.options);
        const std::string output = fedInBlocks(engine, r.input, blockSize);
        EXPECT_EQ(output, r.output);
        EXPECT_EQ(engine.report().rejected, r.rejected);
    }
}

// A sink that has lines written into its room, which holds stale bytes
// (here 'X') from before: a line must give exactly its own bytes.
class StaleRoom {
  public:
    char* room(std::size_t n) {
        stale_.assign(n, 'X');
        return stale_.data();
    }
    void commit(std::size_t n) { output.append(stale_.data(), n); }
    void operator()(const char* bytes, std::size_t n) { output.append(bytes, n); }
    std::string output;

  private:
    std::string stale_;
};

TEST_P(BatchEngineTest, SameOutputWrittenInPlace) {
    const Row& r = GetParam();
    BatchEngine one(r.options);
    StaleRoom oneOut;
    one.feed(r.input, oneOut);
    one.finish(oneOut);
    EXPECT_EQ(oneOut.output, r.output);
    TwoThreadBatchEngine two(r.options, 1);
    StaleRoom twoOut;
    two.feed(r.input, twoOut);
    two.finish(twoOut);
    EXPECT_EQ(twoOut.output, r.output);
}

// Every block cut, however small, on two threads gives what one engine gives.
TEST_P(BatchEngineTest, SameOutputOnTwoThreads) {
    const Row& r = GetParam();
    for (std::size_t blockSize : {1u, 7u, 64u}) {
        SCOPED_TRACE(blockSize);
        TwoThreadBatchEngine engine(r.options, 1);
        const std::string output = fedInBlocks(engine, r.input, blockSize);
        EXPECT_EQ(output, r.output);
        EXPECT_EQ(engine.report().rejected, r.rejected);
        EXPECT_EQ(engine.report().listed.size(), r.listed.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Batch, BatchEngineTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

std::string repeat(const std::string& line, std::size_t times) {
    std::string s;
    for (std::size_t i = 0; i < times; ++i) s += line;
    return s;
}

// Inputs long enough to be cut between two threads. Each must give what one
// engine gives, with the rejected lines numbered from the start of the input.
struct LongRow {
    const char* name;
    BatchOptions options;
    std::string input;
    std::vector<std::uint64_t> listedLines;
    std::vector<std::uint64_t> notedLines = {};  // check digits replaced
};

// 10,000 lines of 13 bytes: 130,000 bytes.
const std::string kEan13Lines = repeat("400638133393\n", 10000);

// clang-format off
const std::vector<LongRow> kLongRows = {
    {"RejectedInBothHalves", options(EAN13), repeat("400638133393\n", 2) + "x\n" + repeat("400638133393\n", 8996) + "y\n" + kEan13Lines, {3, 9000}},
    {"MoreRejectedThanListed", options(EAN13, false, false, 3), repeat("x\n", 40000) + "400638133393\n", {1, 2, 3}},
    {"CrLfLineEnds", options(EAN13), repeat("400638133393\r\n", 9000) + "z\r\n", {9001}},
    {"CrOnlyIsNeverCut", options(EAN13), repeat("400638133393\r", 9000) + "z\r", {9001}},
    {"NoFinalLineEnd", options(EAN13), kEan13Lines + "40063813339", {10001}},
    {"LongLinesAndEmptyOnes", options(C128, false, true, 3), repeat(std::string(150, 'A') + "\n\nABC\n", 2000), {1, 4, 7}},
    {"Utf8Aligned", options(C128, true, true, 3), repeat("Aé\nABC\n\xFF\n", 9000), {1, 3, 4}},
    {"ReplacedChecksInBothHalves", options(EAN13, false, false, 3),
     "4006381333934\n" + repeat("400638133393\n", 8998) + "4006381333930\n" + kEan13Lines + "4006381333932\n4006381333933\n", {}, {1, 9000, 19001}},
};
// clang-format on

void PrintTo(const LongRow& r, std::ostream* os) {
    *os << r.name;
}

class TwoThreadTest : public ::testing::TestWithParam<LongRow> {};

TEST_P(TwoThreadTest, SameAsOneEngineInBlocksOfAnySize) {
    const LongRow& r = GetParam();
    const BatchResult one = convertAll(r.input, r.options);
    std::vector<std::uint64_t> listed;
    for (const auto& l : one.report.listed) listed.push_back(l.line);
    EXPECT_EQ(listed, r.listedLines);
    std::vector<std::uint64_t> noted;
    for (const auto& n : one.report.notes) noted.push_back(n.line);
    EXPECT_EQ(noted, r.notedLines);
    for (std::size_t blockSize : {std::size_t{40000}, std::size_t{64 * 1024}, r.input.size()}) {
        SCOPED_TRACE(blockSize);
        TwoThreadBatchEngine engine(r.options);
        const std::string output = fedInBlocks(engine, r.input, blockSize);
        EXPECT_EQ(output, one.output);
        EXPECT_EQ(engine.report().converted, one.report.converted);
        EXPECT_EQ(engine.report().rejected, one.report.rejected);
        EXPECT_EQ(engine.report().empty, one.report.empty);
        EXPECT_EQ(engine.report().listed, one.report.listed);
        EXPECT_EQ(engine.report().notes, one.report.notes);
        EXPECT_EQ(engine.report().replacedChecks, one.report.replacedChecks);
    }
}

// A sink that takes a block's output in one call, as the command line's
// does with one writev: the runs must come in order, none of them empty.
struct GatheringSink {
    void write(const std::string_view* runs, std::size_t count) {
        ++calls;
        for (std::size_t i = 0; i < count; ++i) {
            if (runs[i].empty()) ADD_FAILURE() << "an empty run";
            output += runs[i];
        }
    }
    void operator()(const char* bytes, std::size_t n) { output.append(bytes, n); }
    std::string output;
    int calls = 0;
};

TEST_P(TwoThreadTest, SameOutputGatheredPerBlock) {
    const LongRow& r = GetParam();
    TwoThreadBatchEngine engine(r.options);
    GatheringSink sink;
    engine.feed(r.input, sink);
    engine.finish(sink);
    EXPECT_EQ(sink.output, convertAll(r.input, r.options).output);
    EXPECT_GT(sink.calls, 0);
}

INSTANTIATE_TEST_SUITE_P(Batch, TwoThreadTest, ::testing::ValuesIn(kLongRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A sink that fails while the helper is converting pieces of the next
// block (of 7.8 MB): the engine must still end, its destructor finishing
// the pieces handed out before it stops the thread.
TEST(TwoThreadEngine, EndsAfterASinkThrows) {
    const std::string input = repeat(kEan13Lines, 120);
    const auto run = [&input] {
        TwoThreadBatchEngine engine(options(EAN13));
        auto failing = [](const char*, std::size_t) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            throw std::runtime_error("disk gone");
        };
        engine.feed(input, failing);
    };
    EXPECT_THROW(run(), std::runtime_error);
}

struct SummaryRow {
    const char* name;
    BatchReport report;
    std::string summary;
};

// clang-format off
const std::vector<SummaryRow> kSummaries = {
    {"AllConverted", {3, 0, 0, {}, 0, 0, {}, 0}, "converted 3 of 3 lines"},
    {"OneLine", {1, 0, 0, {}, 0, 0, {}, 0}, "converted 1 of 1 line"},
    {"EmptyNamed", {0, 0, 2, {}, 0, 0, {}, 0}, "converted 0 of 0 lines (not counting 2 empty)"},
    {"RejectedListed", {998, 2, 0, {{17, "a"}, {404, "b"}}, 0, 0, {}, 0}, "converted 998 of 1000 lines; rejected: 17, 404"},
    {"MoreThanListed", {0, 7, 1, {{1, "a"}, {2, "b"}}, 0, 0, {}, 0}, "converted 0 of 7 lines (not counting 1 empty); rejected: 1, 2 and 5 more"},
    {"ChangesCounted", {20, 1, 0, {{3, "a"}}, 1, 2, {}, 0}, "converted 20 of 21 lines; 1 check digit replaced; 2 escapes above ~255 taken modulo 256; rejected: 3"},
};
// clang-format on

TEST(BatchSummary, CountsAndListedLines) {
    for (const auto& row : kSummaries) EXPECT_EQ(batchSummary(row.report), row.summary) << row.name;
}

// convertLine gives the font string or the same reason the report lists.
TEST(ConvertLine, FontStringOrReason) {
    FontStringBuffer buffer{};
    const LineOutcome ok = convertLine(Line{"400638133393", 1, false}, options(EAN13), buffer);
    EXPECT_TRUE(ok.converted);
    EXPECT_EQ(ok.fontString, kEan13);
    const LineOutcome bad = convertLine(Line{"Aé", 1, false}, options(C128, true), buffer);
    EXPECT_FALSE(bad.converted);
    EXPECT_EQ(bad.reason, calcSays(C128, "A\x8E"));
}

}  // namespace
}  // namespace bcfont
