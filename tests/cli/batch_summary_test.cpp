#include <gtest/gtest.h>

#include <string>

#include "batch.h"

namespace bcfont::cli {
namespace {

BatchReport report(std::uint64_t converted, std::uint64_t rejected, std::uint64_t empty) {
    BatchReport r{converted, rejected, empty, {}};
    // Rejected lines numbered 3, 6, 9, ... as the converter would record them.
    for (std::uint64_t i = 0; i < rejected && i < kListedRejections; ++i) r.firstRejected[i] = 3 * (i + 1);
    return r;
}

struct SummaryCase {
    const char* name;
    BatchReport report;
    const char* expected;
};

const SummaryCase kCases[] = {
    {"NoInput", report(0, 0, 0), "converted 0 of 0 lines"},
    {"OneLine", report(1, 0, 0), "converted 1 of 1 line"},
    {"AllConverted", report(1000, 0, 0), "converted 1000 of 1000 lines"},
    {"EmptyLinesNotInTotal", report(2, 0, 3), "converted 2 of 2 lines (not counting 3 empty)"},
    {"TwoRejected", report(998, 2, 0), "converted 998 of 1000 lines; rejected: 3, 6"},
    {"TwentyListed", report(0, 20, 0),
     "converted 0 of 20 lines; rejected: 3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 39, 42, 45, 48, 51, "
     "54, 57, "
     "60"},
    {"MoreThanTwenty", report(5, 25, 1),
     "converted 5 of 30 lines (not counting 1 empty); rejected: 3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36, "
     "39, 42, 45, 48, 51, 54, 57, 60 and 5 more"},
};

class BatchSummaryTest : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(BatchSummaryTest, Reads) {
    EXPECT_EQ(batchSummary(GetParam().report), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Summaries, BatchSummaryTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bcfont::cli
