// Code 39: Full ASCII, tilde escapes, the modulo-43 check character.
#include <map>

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
    {"space_written_as_underscore", C39, "A B", false, starred("A_B")},
    {"underscore_is_percent_O", C39, "A_B", false, starred("A%OB")},
    {"star_is_slash_J", C39, "*", false, starred("/J")},
    {"dollar_plus_slash", C39, "$+/", false, starred("/D/K/O")},
    {"tilde_last", C39, "AB~", false, starred("AB%S")},
    {"tilde_then_letter", C39, "~A12", false, starred("%SA12")},
    {"data_ends_at_first_nul", C39, std::string("12\0" "34", 5), false, starred("12%U%U%U")},
    {"48_pairs_with_check_fill_99_bytes", C39, repeat("a", 48), true, starred(repeat("+A", 48) + "/")},
    {"49_characters_over_the_limit", C39, repeat("A", 49), false, {}, E},
    {"byte_128", C39, "\x80", false, {}, P},
    {"byte_255_after_valid_text", C39, "CODE39\xFF", true, {}, P},
    {"escape_128", C39, "A~128B", false, {}, P},
    {"escape_200", C39, "~200", true, {}, P},
    {"escape_999_is_231", C39, "~999", false, {}, P},
};

TEST(Code39, Rows) { expectRows(kRows); }
// clang-format on

// An independent Full ASCII Code 39 reader: what a scanner reports for a symbol.
constexpr std::string_view kValues = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

// The characters the Full ASCII pairs stand for (the Code 39 Full ASCII table).
std::map<std::string, int> fullAsciiPairs() {
    std::map<std::string, int> pairs = {{"/O", '/'}, {"/Z", ':'}, {"%U", 0}, {"%V", '@'}, {"%W", '`'}};
    for (int k = 0; k < 26; ++k) {
        const char letter = static_cast<char>('A' + k);
        pairs[{'$', letter}] = k + 1;
        pairs[{'+', letter}] = 'a' + k;
        if (k < 12) pairs[{'/', letter}] = '!' + k;
        // %A-%E: ESC to US; %F-%J: ';' to '?'; %K-%O: '[' to '_'; %P-%T: '{' to DEL.
        if (k < 20) pairs[{'%', letter}] = "\x1b\x1c\x1d\x1e\x1f;<=>?[\\]^_{|}~\x7f"[k];
    }
    return pairs;
}

std::optional<Codes> readCode39(const Codes& font, bool withCheck) {
    if (font.size() < 2 || font.front() != '*' || font.back() != '*') return std::nullopt;
    std::string symbols;
    for (std::size_t i = 1; i + 1 < font.size(); ++i) {
        const char c = font[i] == '_' ? ' ' : static_cast<char>(font[i]);
        if (kValues.find(c) == std::string_view::npos) return std::nullopt;
        symbols += c;
    }
    // The check character's value is pinned by the rows; here it is only skipped.
    if (withCheck && !symbols.empty()) symbols.pop_back();
    static const auto kPairs = fullAsciiPairs();
    Codes text;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        if (std::string_view("$%/+").find(symbols[i]) == std::string_view::npos) {
            text.push_back(symbols[i]);
            continue;
        }
        const auto pair = kPairs.find(symbols.substr(i++, 2));
        if (pair == kPairs.end()) return std::nullopt;
        text.push_back(pair->second);
    }
    return text;
}

TEST(Code39, ScannerReadsWhatWasEntered) {
    expectRoundTrips(39, {C39}, readCode39);
}

}  // namespace
}  // namespace bcfont::test
