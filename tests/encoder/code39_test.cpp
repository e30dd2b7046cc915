// Code 39: Full ASCII, tilde escapes, the modulo-43 check character.
#include "calc_helpers.h"

namespace bcfont::test {
namespace {

// The characters between the two '*'.
Codes starred(std::string_view between) {
    return codes("*" + std::string(between) + "*");
}

// clang-format off
const Row kRows[] = {
    {"code39_off", C39, "CODE39", false, starred("CODE39")},
    {"code39_on", C39, "CODE39", true, starred("CODE39W")},
    {"check_value_38_is_space", C39, "AS", true, starred("AS_")},
    {"small_letters_and_space", C39, "a b", true, starred("+A_+BC")},
    {"percent_sign_is_pair", C39, "50%", false, starred("50/E")},
    {"escape_carriage_return", C39, "~013", false, starred("$M")},
    {"escape_065_is_A", C39, "~065", true, starred("AA")},
    {"double_tilde_then_digits", C39, "~~065", false, starred("%S065")},
    {"tilde_with_two_digits", C39, "~12", false, starred("%S12")},
    {"sum_taken_modulo_43_whole", C39, "ZZZZZZZZ", true, starred("ZZZZZZZZM")},
    {"empty_off", C39, "", false, starred("")},
    {"empty_on_check_0", C39, "", true, starred("0")},
    {"tilde_last", C39, "AB~", false, starred("AB%S")},
    {"tilde_then_letter", C39, "~A12", false, starred("%SA12")},
    {"data_ends_at_first_nul", C39, std::string("12\0" "34", 5), false, starred("12%U%U%U")},
    {"48_pairs_with_check_fill_99_bytes", C39, repeat("a", 48), true, starred(repeat("+A", 48) + "/")},
    {"49_characters_over_the_limit", C39, repeat("A", 49), false, {}, E},
    {"byte_128", C39, "\x80", false, {}, P},
    {"byte_255_after_valid_text", C39, "CODE39\xFF", true, {}, P},
    {"escape_128", C39, "A~128B", false, {}, P},
    {"escape_200", C39, "~200", true, {}, P},
    {"escape_999_is_231", C39, "AB~999", false, {}, P, "", "Code 39 escape ~999 at position 3 is not an ASCII character (it stands for byte 231)"},
};

TEST(Code39, Rows) { expectRows(kRows); }
// clang-format on

// What each 7-bit character is written as, as the Code 39 Full ASCII table
// prints it: two characters per code, a leading space for a character written
// alone. The space is written as '_', '_' as %O and '*' as /J, so that '_'
// and '*' stand for nothing else. One line per 32 codes.
constexpr std::string_view kFullAscii =
    "%U$A$B$C$D$E$F$G$H$I$J$K$L$M$N$O$P$Q$R$S$T$U$V$W$X$Y$Z%A%B%C%D%E"
    " _/A/B/C/D/E/F/G/H/I/J/K/L - ./O 0 1 2 3 4 5 6 7 8 9/Z%F%G%H%I%J"
    "%V A B C D E F G H I J K L M N O P Q R S T U V W X Y Z%K%L%M%N%O"
    "%W+A+B+C+D+E+F+G+H+I+J+K+L+M+N+O+P+Q+R+S+T+U+V+W+X+Y+Z%P%Q%R%S%T";
static_assert(kFullAscii.size() == 2 * 128);

// Every code entered as an escape, and again 256 higher (escapes count modulo 256).
TEST(Code39, FullAsciiTable) {
    for (int code = 0; code < 128; ++code) {
        const std::string_view pair = kFullAscii.substr(2 * static_cast<std::size_t>(code), 2);
        const Codes expected = starred(pair.front() == ' ' ? pair.substr(1) : pair);
        for (int value : {code, code + 256}) {
            SCOPED_TRACE(value);
            const CalcOutcome out = runCalc(C39, escapeOf(value));
            EXPECT_EQ(out.result, 0);
            EXPECT_EQ(out.string(), expected);
        }
    }
}

}  // namespace
}  // namespace bcfont::test
