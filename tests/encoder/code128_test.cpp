// Code 128 and Code 128 EAN/UCC: code set selection, check value, font bytes.
#include <gtest/gtest.h>

#include <random>

#include "calc_helpers.h"
#include "encode.h"
#include "encoder_internal.h"

namespace bcfont::test {
namespace {

constexpr int kStopValue = 106;  // stands for the stop pattern in decoded value lists
constexpr int kFnc1 = 256;       // the FNC1 function character in read-back data

// The symbol value of each Code 128 font byte (inverse of the font mapping);
// -1 for a byte that is no Code 128 character in the fonts.
int valueOfFontByte(int b) {
    switch (b) {
        case 154:
            return 0;
        case 159:
            return 95;
        case 167:
            return 96;
        case 185:
            return 97;
        case 226:
            return 98;
        case 196:
            return 99;
        case 227:
            return 100;
        case 201:
            return 101;
        case 189:
            return 102;
        case 128:
            return 103;
        case 133:
            return 104;
        case 134:
            return 105;
        case 138:
            return kStopValue;
        default:
            return b >= 33 && b <= 126 ? b - 32 : -1;
    }
}

Codes valuesOf(const Codes& font) {
    Codes values;
    for (int b : font) values.push_back(valueOfFontByte(b));
    return values;
}

struct CodeWordRow {
    const char* name;
    std::string data;  // "~999" enters FNC1
    Codes codeWords;   // start character first, no check value, no stop
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const CodeWordRow& row, std::ostream* os) {
    *os << row.name;
}

const CodeWordRow kCodeWordRows[] = {
    {"empty", "", {104}},
    {"four_digits_start_b_then_code_c", "1234", {104, 99, 12, 34}},
    {"five_digits_start_c", "12345", {105, 12, 34, 100, 21}},
    {"six_digits", "123456", {105, 12, 34, 56}},
    {"seven_digits", "1234567", {105, 12, 34, 56, 100, 23}},
    {"text_then_three_digits", "A123", {104, 33, 17, 18, 19}},
    {"text_then_four_digits", "A1234", {104, 33, 99, 12, 34}},
    {"digits_then_text", "1234AB", {104, 99, 12, 34, 100, 33, 34}},
    {"digits_inside_text", "A12345678B", {104, 33, 99, 12, 34, 56, 78, 100, 34}},
    {"nine_joins_text_run", "AB91234", {104, 33, 34, 25, 99, 12, 34}},
    {"hello_world", "Hello World", {104, 40, 69, 76, 76, 79, 0, 55, 79, 82, 76, 68}},
    {"tab_between_text", "A\tB", {104, 33, 101, 73, 100, 34}},
    {"tab_first", "\tA", {104, 101, 73, 100, 33}},
    {"digits_stay_in_set_a", "\t12", {104, 101, 73, 17, 18}},
    {"short_digits_then_tab", "12\t", {104, 17, 18, 101, 73}},
    {"fnc1_inside_digits", "123456~9997890", {105, 12, 34, 56, 102, 78, 90}},
    {"fnc1_first", "~999123456", {104, 102, 99, 12, 34, 56}},
    {"del_is_set_b_95",
     "a\x7f"
     "b",
     {104, 65, 95, 66}},
    {"del_after_tab_switches_to_b", "\t\x7f", {104, 101, 73, 100, 95}},
    {"nul_escape_is_control", "~000", {104, 101, 64}},
    {"us_escape_is_control", "~031", {104, 101, 95}},
};

class Code128CodeWords : public ::testing::TestWithParam<CodeWordRow> {};

TEST_P(Code128CodeWords, ChoosesCodeSetsGreedily) {
    const CodeWordRow& row = GetParam();
    const CalcOutcome out = runCalc(C128, row.data, "", false);
    ASSERT_EQ(out.result, 0);
    Codes values = valuesOf(out.string());
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.back(), kStopValue);
    values.pop_back();
    EXPECT_EQ(values, row.codeWords);
}

INSTANTIATE_TEST_SUITE_P(Rows, Code128CodeWords, ::testing::ValuesIn(kCodeWordRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Code128DataToCodeWords, PassesUnencodableBytesThroughWithoutChangingSet) {
    const internal::RawWord data[] = {'A', 200, 'B', internal::kFnc1Entry, '1', '2', '3', '4'};
    std::array<unsigned char, 32> result{};
    const int n = internal::DataToCodeWords(result.data(), data, 8, internal::kStartB);
    EXPECT_EQ(Codes(result.begin(), result.begin() + n), (Codes{33, 200, 34, 102, 99, 12, 34}));
    EXPECT_EQ(internal::DataToCodeWords(result.data(), data, 0, internal::kStartB), 0);
    EXPECT_EQ(internal::DataToCodeWords(result.data(), data, -3, internal::kStartB), 0);
}

struct FontRow {
    const char* name;
    CodeType type;
    std::string data;
    bool check;
    Codes expected;
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const FontRow& row, std::ostream* os) {
    *os << row.name;
}

Codes repeated(int count, int byte) {
    return Codes(static_cast<std::size_t>(count), byte);
}

const FontRow kFontRows[] = {
    {"digits_12345", C128, "12345", true, {134, 44, 66, 227, 53, 86, 138}},
    {"digits_12345_no_check", C128, "12345", false, {134, 44, 66, 227, 53, 138}},
    {"abc", C128, "ABC", true, {133, 65, 66, 67, 33, 138}},
    {"hello_world",
     C128,
     "Hello World",
     true,
     {133, 72, 101, 108, 108, 111, 154, 87, 111, 114, 108, 100, 75, 138}},
    {"empty", C128, "", true, {133, 33, 138}},
    {"empty_ucc", C128EAN, "", true, {133, 189, 154, 138}},
    {"gtin_ucc", C128EAN, "0101234567890128", true, {134, 189, 33, 33, 55, 77, 99, 121, 33, 60, 95, 138}},
    {"gtin_plain", C128, "0101234567890128", true, {134, 33, 33, 55, 77, 99, 121, 33, 60, 47, 138}},
    {"double_tilde", C128, "x~~y", true, {133, 120, 126, 121, 61, 138}},
    {"escape_065", C128, "~065", true, {133, 65, 66, 138}},
    {"escape_tab", C128, "~009AB", true, {133, 201, 105, 227, 65, 66, 58, 138}},
    {"escape_fnc1", C128, "~999", true, {133, 189, 154, 138}},
    {"fnc1_inside_text", C128, "AB~999CD", true, {133, 65, 66, 189, 67, 68, 39, 138}},
    {"tilde_too_short", C128, "~12", true, {133, 126, 49, 50, 112, 138}},
    {"tilde_non_digit", C128, "~1a2", true, {133, 126, 49, 97, 50, 119, 138}},
    {"tilde_alone", C128, "~", true, {133, 126, 159, 138}},
    {"z_30_times", C128, std::string(30, 'z'), true, concat({{133}, repeated(30, 122), {65, 138}})},
    {"z_40_times", C128, std::string(40, 'z'), true, concat({{133}, repeated(40, 122), {85, 138}})},
    {"del_between_letters",
     C128,
     "a\x7f"
     "b",
     true,
     {133, 97, 159, 98, 74, 138}},
    {"escape_256_is_nul", C128, "~256", true, {133, 201, 96, 56, 138}},
    {"escape_300_is_comma", C128, "~300", true, {133, 44, 45, 138}},
};

class Code128Font : public ::testing::TestWithParam<FontRow> {};

TEST_P(Code128Font, WritesExactFontString) {
    const FontRow& row = GetParam();
    const CalcOutcome out = runCalc(row.type, row.data, "", row.check);
    EXPECT_EQ(out.result, 0);
    EXPECT_EQ(out.string(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, Code128Font, ::testing::ValuesIn(kFontRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct Code128RejectRow {
    const char* name;
    CodeType type;
    std::string data;
    bool check;
    After after;
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const Code128RejectRow& row, std::ostream* os) {
    *os << row.name;
}

// 48 characters that each need a change of code set first: 96 data codewords.
const std::string kAlternating = [] {
    std::string s;
    for (int i = 0; i < 24; ++i) s += "\tA";
    return s;
}();

const Code128RejectRow kRejectRows[] = {
    {"byte_200", C128, "ABC\xC8", true, After::AsPassed},
    {"byte_128_ucc", C128EAN, "\x80", false, After::AsPassed},
    {"escape_200", C128, "~200", true, After::AsPassed},
    {"escape_157", C128, "A~157", true, After::AsPassed},
    {"escape_228", C128, "~228", false, After::AsPassed},
    {"escape_224", C128EAN, "~224", true, After::AsPassed},
    {"escape_234", C128, "~234", true, After::AsPassed},
    {"escape_128", C128, "~128", true, After::AsPassed},
    {"escape_383_is_127_plus_256", C128, "~383", true, After::Written},
    {"ucc_with_check_alternating_sets_needs_101_bytes", C128EAN, kAlternating, true, After::Empty},
};

class Code128Reject : public ::testing::TestWithParam<Code128RejectRow> {};

TEST_P(Code128Reject, RejectsAndLeavesBufferAsDescribed) {
    const Code128RejectRow& row = GetParam();
    const CalcOutcome out = runCalc({row.type, row.data, "", row.check, std::nullopt, 'Q'});
    if (row.after == After::Written) {
        EXPECT_EQ(out.result, 0);
        return;
    }
    EXPECT_EQ(out.result, -1);
    if (row.after == After::Empty) {
        EXPECT_TRUE(out.empty()) << "buffer starts with " << int(out.buffer[0]);
    } else {
        EXPECT_TRUE(out.asPassed());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Code128Reject, ::testing::ValuesIn(kRejectRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Code128Capacity, AlternatingSetsFitWithoutUccOrWithoutCheck) {
    const std::pair<CodeType, bool> fitting[] = {{C128, true}, {C128EAN, false}};
    for (const auto& [type, check] : fitting) {
        const CalcOutcome out = runCalc(type, kAlternating, "", check);
        ASSERT_EQ(out.result, 0);
        EXPECT_EQ(out.string().size(), 99u);
    }
}

struct DirectRow {
    const char* name;
    std::size_t length;
    char fillChar;
    bool check;
    int expectedResult;
};

// Code128 called directly must keep within its working arrays and output.
TEST(Code128Direct, RefusesWhatWouldNotFitAndTouchesNothing) {
    const DirectRow rows[] = {
        {"96_letters_with_check", 96, 'A', true, 1},        {"97_letters_without_check", 97, 'A', false, 1},
        {"97_letters_with_check", 97, 'A', true, 0},        {"100_digits", 100, '1', true, 1},
        {"101_digits_too_many_entries", 101, '1', true, 0}, {"1000_letters", 1000, 'A', false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string data(row.length, row.fillChar);
        std::array<unsigned char, kFontStringCapacity> out;
        out.fill('Q');
        const BOOL result = Code128(reinterpret_cast<const unsigned char*>(data.data()), out.data(),
                                    static_cast<int>(data.size()), row.check ? 1 : 0, 0);
        EXPECT_EQ(result, row.expectedResult);
        if (result == 0) {
            EXPECT_EQ(std::count(out.begin(), out.end(), 'Q'), static_cast<long>(out.size()));
        } else {
            EXPECT_NE(std::find(out.begin(), out.end(), 0), out.end());
        }
    }
}

// An independent Code 128 reader: checks stop and check value, follows the
// code set changes and reports the characters, kFnc1 for FNC1.
std::optional<Codes> readCode128(const Codes& font) {
    Codes values = valuesOf(font);
    if (values.size() < 3 || values.back() != kStopValue) return std::nullopt;
    values.pop_back();
    const int check = values.back();
    values.pop_back();
    long sum = values[0];
    for (std::size_t j = 1; j < values.size(); ++j) sum += values[j] * static_cast<long>(j);
    if (sum % 103 != check) return std::nullopt;

    enum Set { A, B, C } set;
    switch (values[0]) {
        case 103:
            set = A;
            break;
        case 104:
            set = B;
            break;
        case 105:
            set = C;
            break;
        default:
            return std::nullopt;
    }
    Codes text;
    for (std::size_t i = 1; i < values.size(); ++i) {
        const int v = values[i];
        if (v < 0 || v > 102) return std::nullopt;
        if (v == 102) {
            text.push_back(kFnc1);
        } else if (set == C && v < 100) {
            text.push_back('0' + v / 10);
            text.push_back('0' + v % 10);
        } else if (set != C && v < 96) {
            text.push_back(set == B ? v + 32 : (v < 64 ? v + 32 : v - 64));
        } else if (v == 99 && set != C) {
            set = C;
        } else if (v == 100 && set != B) {
            set = B;
        } else if (v == 101 && set != A) {
            set = A;
        } else {
            return std::nullopt;  // shift, FNC2 to FNC4: never written
        }
    }
    return text;
}

// Random mixes of digits, text, control characters, DEL and FNC1, typed or
// escaped, read back as entered.
TEST(Code128RoundTrip, ScannerReadsTheCharactersEntered) {
    std::mt19937 rng(128);
    for (int iteration = 0; iteration < 4000; ++iteration) {
        std::string data;
        Codes expected;
        const std::size_t wanted = rng() % 48;
        while (expected.size() < wanted) {
            int c = 0;
            switch (rng() % 4) {
                case 0:
                case 1:
                    c = '0' + static_cast<int>(rng() % 10);
                    break;
                case 2:
                    c = static_cast<int>(rng() % 128);
                    break;
                default:
                    c = rng() % 8 == 0 ? kFnc1 : 32 + static_cast<int>(rng() % 96);
                    break;
            }
            std::string piece;
            if (c == kFnc1) {
                piece = "~999";
            } else if (c == '~') {
                piece = "~~";
            } else if (c != 0 && rng() % 3 != 0) {
                piece = std::string(1, static_cast<char>(c));
            } else {
                piece = "~" + std::to_string(1000 + c + (rng() % 3 == 0 ? 256 : 0)).substr(1);
            }
            if (data.size() + piece.size() > static_cast<std::size_t>(kMaxDataLength)) break;
            data += piece;
            expected.push_back(c);
        }
        const bool ucc = rng() % 2 == 0;
        SCOPED_TRACE("data: " + data + (ucc ? " (EAN/UCC)" : ""));
        const CalcOutcome out = runCalc(ucc ? C128EAN : C128, data, "", true);
        if (out.result != 0) {
            EXPECT_TRUE(out.empty());
            EXPECT_EQ(rejectionReason(ucc ? C128EAN : C128, data, "", true)
                          .rfind("the font string would not fit", 0),
                      0u);
            continue;
        }
        if (ucc) expected.insert(expected.begin(), kFnc1);
        const auto read = readCode128(out.string());
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, expected);
    }
}

}  // namespace
}  // namespace bcfont::test
