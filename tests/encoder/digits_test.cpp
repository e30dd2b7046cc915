// 2 of 5 Interleaved and Industrial, Codabar and Postnet through Calc.
#include <gtest/gtest.h>

#include "calc_helpers.h"

namespace bcfont::test {
namespace {

struct DigitsRow {
    const char* name;
    CodeType type;
    std::string data;
    bool check;
    Codes expected;
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const DigitsRow& row, std::ostream* os) {
    *os << row.name;
}

const DigitsRow kRows[] = {
    // 2 of 5 Interleaved: start 128, one byte per digit pair, stop 138
    {"il_56_off", TOFIL, "56", false, {128, 89, 138}},
    {"il_56_on_leading_zero", TOFIL, "56", true, {128, 38, 100, 138}},
    {"il_567_off_leading_zero", TOFIL, "567", false, {128, 38, 100, 138}},
    {"il_567_on", TOFIL, "567", true, {128, 89, 111, 138}},
    {"il_999_off", TOFIL, "999", false, {128, 42, 227, 138}},
    {"il_999_on", TOFIL, "9997", false, {128, 227, 226, 138}},
    {"il_999_on_check_7", TOFIL, "999", true, {128, 227, 226, 138}},
    {"il_94", TOFIL, "94", false, {128, 159, 138}},
    {"il_95_to_98", TOFIL, "95969798", false, {128, 167, 185, 226, 196, 138}},
    {"il_93_is_tilde", TOFIL, "93", false, {128, 126, 138}},
    {"il_5_on", TOFIL, "5", true, {128, 88, 138}},
    {"il_empty_off", TOFIL, "", false, {128, 138}},
    {"il_empty_on", TOFIL, "", true, {128, 33, 138}},
    // 2 of 5 Industrial: '<', the digits, the check digit if asked, '>'
    {"ind_567_off", TOFIND, "567", false, codes("<567>")},
    {"ind_567_on", TOFIND, "567", true, codes("<5678>")},
    {"ind_56_on", TOFIND, "56", true, codes("<567>")},
    {"ind_94_on", TOFIND, "94", true, codes("<949>")},
    {"ind_empty_off", TOFIND, "", false, codes("<>")},
    {"ind_empty_on", TOFIND, "", true, codes("<0>")},
    // Codabar: 'D' at both ends, never a check digit
    {"codabar_123", CODABAR, "123", false, codes("D123D")},
    {"codabar_123_check_ignored", CODABAR, "123", true, codes("D123D")},
    {"codabar_empty", CODABAR, "", false, codes("DD")},
    // Postnet: '-', digits, check digit (weights 1), '-'
    {"postnet_12345", POSTNET, "12345", false, codes("-123455-")},
    {"postnet_19000", POSTNET, "19000", false, codes("-190000-")},
    {"postnet_9_digits", POSTNET, "123456789", false, codes("-1234567895-")},
    {"postnet_11_digits", POSTNET, "12345678901", false, codes("-123456789014-")},
    {"postnet_check_option_ignored", POSTNET, "12345", true, codes("-123455-")},
};

class DigitSymbologies : public ::testing::TestWithParam<DigitsRow> {};

TEST_P(DigitSymbologies, WritesExactFontString) {
    const DigitsRow& row = GetParam();
    const CalcOutcome out = runCalc(row.type, row.data, "", row.check);
    EXPECT_EQ(out.result, 0);
    EXPECT_EQ(out.string(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, DigitSymbologies, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct DigitsRejectRow {
    const char* name;
    CodeType type;
    std::string data;
    bool check;
    After after;
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const DigitsRejectRow& row, std::ostream* os) {
    *os << row.name;
}

const DigitsRejectRow kRejectRows[] = {
    {"il_letter", TOFIL, "12a4", false, After::AsPassed},
    {"il_letter_with_check", TOFIL, "12a4", true, After::AsPassed},
    {"il_space", TOFIL, "12 4", false, After::AsPassed},
    {"ind_letter", TOFIND, "12a4", true, After::AsPassed},
    {"ind_space", TOFIND, "12 4", false, After::AsPassed},
    {"codabar_dash", CODABAR, "12-3", false, After::AsPassed},
    {"postnet_4_digits", POSTNET, "1234", false, After::Empty},
    {"postnet_6_digits", POSTNET, "123456", false, After::Empty},
    {"postnet_7_digits", POSTNET, "1234567", false, After::Empty},
    {"postnet_8_digits", POSTNET, "12345678", false, After::Empty},
    {"postnet_10_digits", POSTNET, "1234567890", false, After::Empty},
    {"postnet_12_digits", POSTNET, "123456789012", false, After::Empty},
    {"postnet_letter", POSTNET, "12a45", false, After::AsPassed},
    // Two digits more than the data (leading '0' and check digit) would not fit.
    {"il_48_even_with_check", TOFIL, std::string(48, '7'), true, After::Empty},
};

class DigitSymbologiesReject : public ::testing::TestWithParam<DigitsRejectRow> {};

TEST_P(DigitSymbologiesReject, RejectsAndLeavesBufferAsDescribed) {
    const DigitsRejectRow& row = GetParam();
    const CalcOutcome out = runCalc({row.type, row.data, "", row.check, std::nullopt, 'Q'});
    EXPECT_EQ(out.result, -1);
    if (row.after == After::Empty) {
        EXPECT_TRUE(out.empty()) << "buffer starts with " << int(out.buffer[0]);
    } else {
        EXPECT_TRUE(out.asPassed());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, DigitSymbologiesReject, ::testing::ValuesIn(kRejectRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct LimitRow {
    const char* name;
    int digits;
    bool check;
    std::size_t fontLength;
};

TEST(InterleavedLimits, LongestAcceptedDataFillsTwentyFourPairs) {
    const LimitRow rows[] = {
        {"46_even_with_check", 46, true, 26},
        {"47_odd_with_check", 47, true, 26},
        {"48_even_without_check", 48, false, 26},
        {"47_odd_without_check", 47, false, 26},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CalcOutcome out =
            runCalc(TOFIL, std::string(static_cast<std::size_t>(row.digits), '3'), "", row.check);
        EXPECT_EQ(out.result, 0);
        EXPECT_EQ(out.string().size(), row.fontLength);
    }
}

TEST(TwoOfFive, SameCheckDigitInIndustrialAndInterleaved) {
    // Data whose last Interleaved pair stays below 94, so the pair is byte - 33.
    const char* datas[] = {"567", "1234", "0", "12345678901"};
    for (const char* data : datas) {
        SCOPED_TRACE(data);
        const CalcOutcome industrial = runCalc(TOFIND, data, "", true);
        const CalcOutcome interleaved = runCalc(TOFIL, data, "", true);
        ASSERT_EQ(industrial.result, 0);
        ASSERT_EQ(interleaved.result, 0);
        const Codes ind = industrial.string();
        const int check = ind[ind.size() - 2] - '0';
        const Codes il = interleaved.string();
        const int lastPairByte = il[il.size() - 2];
        const int lastPair = lastPairByte - 33;
        EXPECT_EQ(lastPair % 10, check);
    }
}

}  // namespace
}  // namespace bcfont::test
