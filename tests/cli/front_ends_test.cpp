// The same input bytes through the command line's batch (the built binary)
// and through the window's (the file read as Mac OS Roman text, converted,
// saved as Mac OS Roman bytes) give the same output bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch.h"
#include "macroman.h"
#include "run_bcfont.h"

namespace bcfont::test {
namespace {

struct Row {
    const char* name;
    CodeType type;
    std::string input;  // no NUL bytes: the window refuses such files
};

std::string tooLong() {
    return std::string(120, '1') + "\n1234567\n";
}

// clang-format off
const std::vector<Row> kRows = {
    {"Ean8LineEnds", EAN8, "1234567\r\n12345670\r\n\nabc\r1234567"},
    {"Ean13EmptyAndRejected", EAN13, "\n\n400638133393\r\n40063813339\n4006381333931\r\r\n"},
    {"UpcA", UPCA, "03600029145\n0360002914\n036000291452\n"},
    {"UpcE", UPCE, "0123456\n1123456\n2123456\n"},
    {"Code39", C39, "CODE 39\nlower case\n~065~~\n" + std::string(49, 'A') + "\n"},
    {"Code128HighBytes", C128, "ABC\nA\xE9\xF6\n\x80\xFF\nabc 123\n~999x\n"},
    {"Code128Ean", C128EAN, "0101234567890128\n12ab\n"},
    {"Interleaved", TOFIL, "1234\n12345\nx1\n"},
    {"Industrial", TOFIND, "123\n12a\n"},
    {"Codabar", CODABAR, "123456\nabc\n"},
    {"Postnet", POSTNET, "12345\n123456789\n1234\n"},
    {"TooLongLine", EAN8, tooLong()},
    {"HighBytesInDigits", EAN13, "4006381333\xA5\xA5\n400638133393\n"},
};
// clang-format on

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.name;
}

class FrontEndsTest : public ::testing::TestWithParam<Row> {};

TEST_P(FrontEndsTest, SameBytesFromTheCommandLineAndTheWindow) {
    const Row& r = GetParam();
    const RunResult cli = runBcfont({"batch", "--type", std::to_string(r.type)}, r.input);
    ASSERT_NE(cli.status, 2) << cli.err;

    const std::string text = macroman::toUtf8(r.input);
    // As the window converts its batch view: the text, read as UTF-8.
    BatchOptions options;
    options.type = r.type;
    options.utf8 = true;
    const BatchResult window = convertAll(text, options);
    const auto saved = macroman::fromUtf8(window.output);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, cli.out);
    EXPECT_EQ(cli.status, window.report.rejected > 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Batch, FrontEndsTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bcfont::test
