// Code 128 and Code 128 EAN/UCC: code set selection, check value, font bytes.
#include "calc_helpers.h"
#include "encoder_internal.h"

namespace bcfont::test {
namespace {

struct CodeWordRow {
    const char* name;
    std::string data;  // "~999" enters FNC1
    Codes codeWords;   // start character first, no check value, no stop
};

// clang-format off
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
    {"del_is_set_b_95", "a\x7f" "b", {104, 65, 95, 66}},
    {"del_after_tab_switches_to_b", "\t\x7f", {104, 101, 73, 100, 95}},
};
// clang-format on

TEST(Code128, ChoosesCodeSetsGreedily) {
    for (const auto& row : kCodeWordRows) {
        SCOPED_TRACE(row.name);
        const CalcOutcome out = runCalc(C128, row.data);
        ASSERT_EQ(out.result, 0);
        EXPECT_EQ(valuesOf(out.string()), concat({row.codeWords, {kStopValue}}));
    }
}

TEST(Code128, BytesWithoutACharacterPassThroughWithoutChangingSet) {
    const internal::RawWord data[] = {'A', 200, 'B'};
    std::array<unsigned char, 8> result{};
    const int n = internal::DataToCodeWords(result.data(), data, 3, internal::kStartB);
    EXPECT_EQ(Codes(result.begin(), result.begin() + n), (Codes{33, 200, 34}));
    EXPECT_EQ(internal::DataToCodeWords(result.data(), data, -3, internal::kStartB), 0);
}

// 48 characters that each need a change of code set first: 96 data codewords.
const std::string kAlternating = repeat("\tA", 24);
const Codes kAlternatingBytes =
    codes(repeat("\xC9i\xE3"
                 "A",
                 24));

// clang-format off
const Row kFontRows[] = {
    {"digits_12345", C128, "12345", true, {134, 44, 66, 227, 53, 86, 138}},
    {"digits_12345_no_check", C128, "12345", false, {134, 44, 66, 227, 53, 138}},
    {"abc", C128, "ABC", true, {133, 65, 66, 67, 33, 138}},
    {"hello_world", C128, "Hello World", true, {133, 72, 101, 108, 108, 111, 154, 87, 111, 114, 108, 100, 75, 138}},
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
    {"z_30_times", C128, repeat("z", 30), true, concat({{133}, Codes(30, 122), {65, 138}})},
    {"z_40_times", C128, repeat("z", 40), true, concat({{133}, Codes(40, 122), {85, 138}})},
    {"escape_383_is_del", C128, "~383", true, {133, 159, 167, 138}},
    {"alternating_sets_fill_99_bytes", C128, kAlternating, true, concat({{133}, kAlternatingBytes, {113, 138}})},
    {"alternating_sets_ucc_no_check_fill_99_bytes", C128EAN, kAlternating, false, concat({{133, 189}, kAlternatingBytes, {138}})},
    {"alternating_sets_ucc_with_check_need_100_bytes", C128EAN, kAlternating, true, {}, E, "", "the font string would not fit 99 bytes (it needs 100); shorten the data or avoid mixing code sets"},
    {"48_digits", C128, repeat("5", 48), true, concat({{134}, Codes(24, 87), {54, 138}})},
    {"49_digits_over_the_limit", C128EAN, repeat("5", 49), true, {}, E},
    {"byte_128_ucc", C128EAN, "\x80", false, {}, P},
    {"escape_128", C128, "~128", true, {}, P},
    {"escape_200", C128, "~200", true, {}, P, "", "Code 128 escape ~200 at position 1 is not an ASCII character"},
    {"byte_200_after_text", C128, "ABC\xC8", true, {}, P, "", "Code 128 takes 7-bit ASCII only: '»' at position 4"},
};

TEST(Code128, FontStrings) { expectRows(kFontRows); }
// clang-format on

}  // namespace
}  // namespace bcfont::test
