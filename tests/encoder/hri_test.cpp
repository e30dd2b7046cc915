// The text a label prints under the bars, per symbology, and the rejection
// when Calc refuses the request.
#include "calc_helpers.h"

namespace bcfont::test {
namespace {

struct TextRow {
    const char* name;
    CodeType type;
    std::string data;
    const char* addon;
    bool check;
    const char* text;  // nullptr: rejected, with `reason`
    const char* reason = "";
};

// clang-format off
const TextRow kTextRows[] = {
    // EAN/UPC: every digit, the computed check digit in place of a typed one.
    {"ean8_check_added", EAN8, "5512345", "", true, "55123457"},
    {"ean8_wrong_check_replaced", EAN8, "55123450", "", true, "55123457"},
    {"ean13_check_added", EAN13, "400638133393", "", true, "4006381333931"},
    {"ean13_addon2_after_a_space", EAN13, "4006381333931", "12", true, "4006381333931 12"},
    {"ean13_addon5_after_a_space", EAN13, "400638133393", "52495", true, "4006381333931 52495"},
    {"ean13_addon_left_out_not_printed", EAN13, "400638133393", "123", true, "4006381333931"},
    {"upca_check_added", UPCA, "03600029145", "", false, "036000291452"},
    {"upce_check_of_its_upca", UPCE, "0123456", "", true, "01234565"},
    {"upce_typed_check_replaced", UPCE, "04252614", "", true, "04252614"},
    // The others: the data as typed, with no optional check character.
    {"code39_as_typed", C39, "CODE-39 $/+%", "", true, "CODE-39 $/+%"},
    {"code39_escape_is_its_character", C39, "A~066~~C", "", true, "AB~C"},
    {"code39_escape_modulo_256", C39, "~321", "", false, "A"},
    {"code39_control_shows_as_space", C39, "A~009B", "", true, "A B"},
    {"code128_lower_case", C128, "Hello, World!", "", true, "Hello, World!"},
    {"code128_fnc1_prints_nothing", C128, "12~99934", "", true, "1234"},
    {"code128_nul_shows_as_space", C128, "A~000B~127", "", true, "A B "},
    {"code128ean_fnc1_prints_nothing", C128EAN, "0109501101530003~99910ABC", "", true, "0109501101530003" "10ABC"},
    {"itf_without_check_or_leading_zero", TOFIL, "12345", "", true, "12345"},
    {"industrial25_as_typed", TOFIND, "0123", "", true, "0123"},
    {"codabar_without_start_and_stop", CODABAR, "31117013206375", "", false, "31117013206375"},
    {"postnet_without_check", POSTNET, "555551237", "", true, "555551237"},
    // Rejected as BCFONT rejects it.
    {"ean13_wrong_length", EAN13, "12345", "", true, nullptr, "EAN-13 needs 12 or 13 digits, got 5"},
    {"ean13_addon_not_digits", EAN13, "400638133393", "1x", true, nullptr, "the add-on must be digits: 'x' at position 2"},
    {"code39_escape_above_ascii", C39, "A~200", "", true, nullptr, "Code 39 escape ~200 at position 2 is not an ASCII character"},
    {"itf_too_long_with_check", TOFIL, repeat("1", 48), "", true, nullptr, "2 of 5 Interleaved with a check digit takes at most 46 digits when their number is even, got 48"},
};
// clang-format on

TEST(HumanReadable, TextPerSymbology) {
    for (const auto& row : kTextRows) {
        SCOPED_TRACE(row.name);
        std::string why;
        const auto text = humanReadable(row.type, row.data, row.addon, row.check, &why);
        EXPECT_EQ(text.value_or("<rejected>"), row.text != nullptr ? row.text : "<rejected>");
        EXPECT_EQ(why, row.reason);
    }
}

}  // namespace
}  // namespace bcfont::test
