// Code 39: Full ASCII, tilde escapes, the modulo-43 check character.
#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "calc_helpers.h"
#include "encoder_internal.h"

namespace bcfont::test {
namespace {

struct Code39Row {
    const char* name;
    std::string data;
    bool check;
    std::string between;  // the characters between the two '*'
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const Code39Row& row, std::ostream* os) {
    *os << row.name;
}

const Code39Row kRows[] = {
    {"code39_off", "CODE39", false, "CODE39"},
    {"code39_on", "CODE39", true, "CODE39W"},
    {"check_value_38_is_space", "AS", true, "AS_"},
    {"small_letters_and_space", "a b", true, "+A_+BC"},
    {"percent_sign_is_pair", "50%", false, "50/E"},
    {"escape_carriage_return", "~013", false, "$M"},
    {"escape_065_is_A", "~065", true, "AA"},
    {"double_tilde_then_digits", "~~065", false, "%S065"},
    {"tilde_with_two_digits", "~12", false, "%S12"},
    {"sum_taken_modulo_43_whole", "ZZZZZZZZ", true, "ZZZZZZZZM"},
    {"empty_off", "", false, ""},
    {"empty_on_check_0", "", true, "0"},
    {"space_written_as_underscore", "A B", false, "A_B"},
    {"underscore_is_percent_O", "A_B", false, "A%OB"},
    {"star_is_slash_J", "*", false, "/J"},
    {"dollar_plus_slash", "$+/", false, "/D/K/O"},
    {"tilde_last", "AB~", false, "AB%S"},
    {"tilde_then_letter", "~A12", false, "%SA12"},
    {"escape_nul", "~000", false, "%U"},
    {"escape_321_is_65", "~321", false, "A"},
    {"escape_256_is_nul", "~256", false, "%U"},
    {"escape_del", "~127", false, "%T"},
    {"control_byte_direct", "\t", false, "$I"},
    {"at_sign_and_grave", "@`", false, "%V%W"},
    {"colon_semicolon", ":;", false, "/Z%F"},
};

class Code39Encode : public ::testing::TestWithParam<Code39Row> {};

TEST_P(Code39Encode, WritesExactFontString) {
    const Code39Row& row = GetParam();
    const CalcOutcome out = runCalc(C39, row.data, "", row.check);
    EXPECT_EQ(out.result, 0);
    EXPECT_EQ(out.string(), codes("*" + row.between + "*"));
}

INSTANTIATE_TEST_SUITE_P(Rows, Code39Encode, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct Code39RejectRow {
    const char* name;
    std::string data;
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const Code39RejectRow& row, std::ostream* os) {
    *os << row.name;
}

const Code39RejectRow kRejectRows[] = {
    {"byte_200", "AB\xC8"},        {"byte_128_first", "\x80"},    {"byte_255_after_valid_text", "CODE39\xFF"},
    {"escape_200", "~200"},        {"escape_999_is_231", "~999"}, {"escape_128", "A~128B"},
    {"escape_511_is_255", "~511"},
};

class Code39Reject : public ::testing::TestWithParam<Code39RejectRow> {};

TEST_P(Code39Reject, LeavesBufferAsPassed) {
    const Code39RejectRow& row = GetParam();
    for (bool check : {false, true}) {
        const CalcOutcome out = runCalc({C39, row.data, "", check, std::nullopt, 'Q'});
        EXPECT_EQ(out.result, -1);
        EXPECT_TRUE(out.asPassed());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Code39Reject, ::testing::ValuesIn(kRejectRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Code39Capacity, FortyEightPairsWithCheckFillTheBufferExactly) {
    const CalcOutcome out = runCalc(C39, std::string(48, 'a'), "", true);
    ASSERT_EQ(out.result, 0);
    EXPECT_EQ(out.string().size(), 99u);
    EXPECT_EQ(out.buffer[99], 0);
}

struct DirectRow {
    const char* name;
    std::size_t length;
    char fillChar;
    bool check;
    int expectedResult;
};

// Code39 called directly must keep within its 100-byte output on its own.
TEST(Code39Direct, RefusesWhatWouldNotFitAndTouchesNothing) {
    const DirectRow rows[] = {
        {"49_pairs_with_check", 49, 'a', true, 0},
        {"48_pairs_without_check", 48, 'a', false, 1},
        {"97_plain_without_check", 97, 'A', false, 1},
        {"97_plain_with_check", 97, 'A', true, 0},
        {"300_plain", 300, 'A', false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string data(row.length, row.fillChar);
        std::array<unsigned char, kFontStringCapacity> out;
        out.fill('Q');
        const BOOL result = Code39(reinterpret_cast<const unsigned char*>(data.data()), out.data(),
                                   static_cast<int>(data.size()), row.check ? 1 : 0);
        EXPECT_EQ(result, row.expectedResult);
        if (result == 0) {
            EXPECT_EQ(std::count(out.begin(), out.end(), 'Q'), static_cast<long>(out.size()));
        } else {
            EXPECT_NE(std::find(out.begin(), out.end(), 0), out.end());
        }
    }
}

// An independent Full ASCII Code 39 reader: what a scanner reports for a symbol.
constexpr std::string_view kCode39Values = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

std::optional<std::string> readCode39(const Codes& font, bool withCheck) {
    if (font.size() < 2 || font.front() != '*' || font.back() != '*') return std::nullopt;
    std::string symbols;
    for (std::size_t i = 1; i + 1 < font.size(); ++i) {
        const char c = font[i] == '_' ? ' ' : static_cast<char>(font[i]);
        if (kCode39Values.find(c) == std::string_view::npos) return std::nullopt;
        symbols += c;
    }
    if (withCheck) {
        if (symbols.empty()) return std::nullopt;
        int sum = 0;
        for (std::size_t i = 0; i + 1 < symbols.size(); ++i)
            sum += static_cast<int>(kCode39Values.find(symbols[i]));
        if (kCode39Values[sum % 43] != symbols.back()) return std::nullopt;
        symbols.pop_back();
    }
    std::string text;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const char c = symbols[i];
        if (c != '$' && c != '%' && c != '/' && c != '+') {
            text += c;
            continue;
        }
        if (++i == symbols.size()) return std::nullopt;
        const char n = symbols[i];
        if (n < 'A' || n > 'Z') return std::nullopt;
        const int k = n - 'A';
        switch (c) {
            case '$':
                text += static_cast<char>(k + 1);
                break;
            case '+':
                text += static_cast<char>(k + 'a');
                break;
            case '/':
                if (n <= 'L')
                    text += static_cast<char>(k + '!');
                else if (n == 'O')
                    text += '/';
                else if (n == 'Z')
                    text += ':';
                else
                    return std::nullopt;
                break;
            case '%':
                if (n <= 'E')
                    text += static_cast<char>(k + 27);
                else if (n <= 'J')
                    text += static_cast<char>(n - 'F' + ';');
                else if (n <= 'O')
                    text += static_cast<char>(n - 'K' + '[');
                else if (n <= 'T')
                    text += static_cast<char>(n - 'P' + '{');
                else if (n == 'U')
                    text += '\0';
                else if (n == 'V')
                    text += '@';
                else if (n == 'W')
                    text += '`';
                else
                    return std::nullopt;
                break;
        }
    }
    return text;
}

// Every 7-bit character, typed or escaped, reads back from the symbol.
TEST(Code39RoundTrip, ScannerReadsTheCharactersEntered) {
    std::mt19937 rng(39);
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::string data, expected;
        const std::size_t wanted = rng() % 40;
        while (expected.size() < wanted) {
            const auto c = static_cast<char>(rng() % 128);
            std::string piece;
            if (c == '~') {
                piece = "~~";
            } else if (c >= 32 && c < 127 && rng() % 2 == 0) {
                piece = std::string(1, c);
            } else {
                const int value = static_cast<unsigned char>(c) + (rng() % 3 == 0 ? 256 : 0);
                piece = "~" + std::to_string(1000 + value).substr(1);
            }
            if (data.size() + piece.size() > static_cast<std::size_t>(kMaxDataLength)) break;
            data += piece;
            expected += c;
        }
        const bool check = rng() % 2 == 0;
        SCOPED_TRACE("data: " + data);
        const CalcOutcome out = runCalc(C39, data, "", check);
        ASSERT_EQ(out.result, 0);
        const auto read = readCode39(out.string(), check);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(codes(*read), codes(expected));
    }
}

}  // namespace
}  // namespace bcfont::test
