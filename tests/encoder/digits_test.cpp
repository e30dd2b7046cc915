// 2 of 5 Interleaved and Industrial, Codabar and Postnet through Calc.
#include "calc_helpers.h"

namespace bcfont::test {
namespace {

// clang-format off
// 2 of 5 Interleaved: start 128, one byte per digit pair, stop 138.
const Row kInterleavedRows[] = {
    {"56_off", TOFIL, "56", false, {128, 89, 138}},
    {"56_on_leading_zero", TOFIL, "56", true, {128, 38, 100, 138}},
    {"567_off_leading_zero", TOFIL, "567", false, {128, 38, 100, 138}},
    {"567_on", TOFIL, "567", true, {128, 89, 111, 138}},
    {"999_off", TOFIL, "999", false, {128, 42, 227, 138}},
    {"999_on_check_7", TOFIL, "999", true, {128, 227, 226, 138}},
    {"94", TOFIL, "94", false, {128, 159, 138}},
    {"95_to_98", TOFIL, "95969798", false, {128, 167, 185, 226, 196, 138}},
    {"93_is_tilde", TOFIL, "93", false, {128, 126, 138}},
    {"5_on", TOFIL, "5", true, {128, 88, 138}},
    {"empty_off", TOFIL, "", false, {128, 138}},
    {"empty_on", TOFIL, "", true, {128, 33, 138}},
    {"46_even_with_check_longest", TOFIL, repeat("5", 46), true, concat({{128, 38}, Codes(22, 88), {83, 138}})},
    {"47_odd_with_check", TOFIL, repeat("5", 47), true, concat({{128}, Codes(24, 88), {138}})},
    {"48_even_without_check", TOFIL, repeat("5", 48), false, concat({{128}, Codes(24, 88), {138}})},
    {"48_even_with_check_would_not_fit", TOFIL, repeat("5", 48), true, {}, E, "", "2 of 5 Interleaved with a check digit takes at most 46 digits when their number is even, got 48"},
    {"letter", TOFIL, "12a4", false, {}, P},
    {"space_with_check", TOFIL, "12 4", true, {}, P},
};

// 2 of 5 Industrial: '<', the digits, the check digit if asked, '>'.
const Row kIndustrialRows[] = {
    {"567_off", TOFIND, "567", false, codes("<567>")},
    {"567_on", TOFIND, "567", true, codes("<5678>")},
    {"56_on", TOFIND, "56", true, codes("<567>")},
    {"94_on", TOFIND, "94", true, codes("<949>")},
    {"empty_off", TOFIND, "", false, codes("<>")},
    {"empty_on", TOFIND, "", true, codes("<0>")},
    {"letter_with_check", TOFIND, "12a4", true, {}, P, "", "2 of 5 Industrial takes digits only: 'a' at position 3"},
    {"space", TOFIND, "12 4", false, {}, P},
};

// Codabar: 'D' at both ends, never a check digit. Postnet: '-', digits,
// check digit (weights 1), '-'.
const Row kCodabarPostnetRows[] = {
    {"codabar_123", CODABAR, "123", false, codes("D123D")},
    {"codabar_empty", CODABAR, "", false, codes("DD")},
    {"codabar_dash", CODABAR, "12-3", false, {}, P},
    {"codabar_byte", CODABAR, "12\xE9", false, {}, P, "", "Codabar takes digits only: 'È' at position 3"},
    {"codabar_48_digits", CODABAR, repeat("5", 48), false, codes("D" + repeat("5", 48) + "D")},
    {"codabar_49_digits_over_the_limit", CODABAR, repeat("5", 49), false, {}, E, "", "data is longer than 48 characters (got 49)"},
    {"codabar_data_ends_at_first_nul", CODABAR, std::string("12\0" "34", 5), false, {}, P},
    {"postnet_12345", POSTNET, "12345", false, codes("-123455-")},
    {"postnet_19000", POSTNET, "19000", false, codes("-190000-")},
    {"postnet_9_digits", POSTNET, "123456789", false, codes("-1234567895-")},
    {"postnet_11_digits", POSTNET, "12345678901", false, codes("-123456789014-")},
    {"postnet_4_digits", POSTNET, "1234", false, {}, E, "", "Postnet needs 5, 9 or 11 digits, got 4"},
    {"postnet_6_digits", POSTNET, "123456", false, {}, E},
    {"postnet_10_digits", POSTNET, "1234567890", false, {}, E},
    {"postnet_12_digits", POSTNET, "123456789012", false, {}, E},
    {"postnet_letter", POSTNET, "12a45", false, {}, P},
};

TEST(Digits, Interleaved) { expectRows(kInterleavedRows); }
TEST(Digits, Industrial) { expectRows(kIndustrialRows); }
TEST(Digits, CodabarAndPostnet) { expectRows(kCodabarPostnetRows); }
// clang-format on

}  // namespace
}  // namespace bcfont::test
