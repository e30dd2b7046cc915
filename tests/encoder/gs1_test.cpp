// GS1-128: the reasons for each rule of the AI table, the element strings it
// accepts with their human-readable text, the symbol characters it writes,
// and the AI titles and Code 128 EAN/UCC hint.
#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "calc_helpers.h"
#include "encoder_internal.h"
#include "gs1/gs1.h"
#include "gs1_checks.h"

namespace bcfont::test {
namespace {

struct ReasonRow {
    const char* name;
    std::string data;
    std::string reason;
};

const std::string kExpected = "expected AIs in brackets, each followed by its data, "
                              "e.g. (01)09501101530003(17)250101(10)ABC123";
const std::string kNotAnAi = " is not an AI: an AI is 2 to 4 digits in brackets, e.g. ";
const std::string kGtin = "(01)09501101530003";
const std::string kSscc = "(00)106141411234567897";
const std::string kGsrn = "(8018)123456789012345675";
const std::string kPayTo = "(415)9501101020917(8020)A";
// A coupon's required fields: prefix, offer, save value, purchase requirement.
const std::string kCoupon = "(8110)012345612345611110123";

// clang-format off
const ReasonRow kReasonRows[] = {
    // Brackets and escapes, before anything else.
    {"empty", "", "GS1-128 data is empty; " + kExpected},
    {"no_bracket_first", "0109501101530003", "GS1-128 data must start with an AI in brackets, not '0'; " + kExpected},
    {"space_anywhere", "(01)09501101530003 (10)A", "a space at position 19: GS1-128 data has no spaces; " + kExpected},
    {"space_before_a_syntax_fault", " (0A", "a space at position 1: GS1-128 data has no spaces; " + kExpected},
    {"ai_not_closed", "(0109501101530003", "'(' at position 1 opens an AI without its ')': an AI is 2 to 4 digits in brackets, e.g. (10)"},
    {"ai_with_a_letter", "(0A)1", "'(0A)' at position 1" + kNotAnAi + "(10)"},
    {"ai_of_one_digit", "[1]2", "'[1]' at position 1" + kNotAnAi + "[10]"},
    {"ai_of_five_digits", "(12345)1", "'(12345)' at position 1" + kNotAnAi + "(10)"},
    // A part of fixed length cut short by the value's end is rejected, never read past.
    {"country_list_cut_short", "(01)09501101530003(425)6200", "(425) 6200: the part 0 at position 4 needs 3 digits, got 1"},
    {"optional_minute_cut_short", "(01)09501101530003(8008)000125150", "(8008) 000125150: the part 0 at position 9 needs 2 digits, got 1"},
    {"second_date_cut_short", "(7007)2501011234", "(7007) 2501011234: the part 1234 at position 7 needs 6 digits, got 4"},
    // Reasons are UTF-8 text: a Mac OS Roman byte quoted from the data is converted.
    {"ai_with_a_mac_roman_letter", "(\x8E" "5)941", "'(\xC3\xA9" "5)' at position 1" + kNotAnAi + "(10)"},
    {"ai_without_data", kGtin + "(10)", "(10) at position 19 has no data after it"},
    {"round_bracket_in_round_data", "(90)AB)C", "')' at position 7 inside data: write \\) for a bracket in the data"},
    {"square_bracket_in_square_data", "[90]AB]C", "']' at position 7 inside data: write \\] for a bracket in the data"},
    {"backslash_before_a_letter", "(90)A\\B", "'\\' at position 6: in data a backslash is written \\\\, and \\( \\) stand for brackets"},
    {"backslash_last", "[90]A\\", "'\\' at position 6: in data a backslash is written \\\\, and \\[ \\] stand for brackets"},
    {"longer_than_calc_takes", "(90)" + repeat("A", 96), "data is longer than 99 characters (got 100)"},
    // The AI table: unknown AIs, lengths, character sets.
    {"unknown_ai", "(23)12", "(23) is not a GS1 application identifier"},
    {"past_the_end_of_a_range", kGtin + "(3106)000100", "(3106) is not a GS1 application identifier"},
    {"fixed_digits", "(00)12345678901234567", "(00) needs 18 digits, got 17"},
    {"fixed_components", kGtin + "(8001)1234", "(8001) needs 14 digits, got 4"},
    {"variable_too_long", kGtin + "(10)ABCDEFGHIJKLMNOPQRSTU", "(10) takes at most 20 characters, got 21"},
    {"variable_too_short", "(421)12", "(421) needs 4 to 12 characters, got 2"},
    {"n_not_a_digit", "(01)0950110153000A", "(01) 0950110153000A: 'A' at position 14 is not a digit"},
    {"n_component_of_mixed", "(421)0A6ABC", "(421) 0A6ABC: 'A' at position 2 is not a digit"},
    {"x_outside_cset82", "(90)AB#", "(90) AB#: '#' at position 3 is not in GS1's character set 82"},
    {"x_backslash_escaped", "(90)A\\\\", "(90) A\\: '\\' at position 2 is not in GS1's character set 82"},
    {"nul_and_after_shown_as_replacement", std::string("(90)ABCDEFG\0H", 13), "(90) ABCDEFG\uFFFD\uFFFD: NUL at position 8 is not in GS1's character set 82"},
    {"x_mac_roman_letter", "(90)AB\x8E", "(90) AB\xC3\xA9: '\xC3\xA9' at position 3 is not in GS1's character set 82"},
    {"y_outside_cset39", "(8010)AB%", "(8010) AB%: '%' at position 3 is not a capital, digit, '#', '-' or '/' (GS1's character set 39)"},
    {"z_outside_base64url", kSscc + "(8030)AB+C", "(8030) AB+C: '+' at position 3 is not a base64url character"},
    // One row per check the dictionary names.
    {"csum", "(01)09501101530004", "(01) 09501101530004: the check digit should be 3"},
    {"csum_of_a_component", "(8003)09501101020918", "(8003) 09501101020918: the check digit should be 7"},
    {"csumalpha", "(8013)1987654Ad4X4bL5ttr2310c2X", "(8013) 1987654Ad4X4bL5ttr2310c2X: the check characters should be 2K"},
    {"yymmd0_month", kGtin + "(17)251301", "(17) 251301: 13 is not a month"},
    {"yymmd0_day_past_february", kGtin + "(15)250229", "(15) 250229: 29 is not a day of month 02"},
    {"yymmdd_day_00", kGtin + "(7006)250100", "(7006) 250100: 00 is not a day of month 01"},
    {"yyyymmdd_1900_not_leap", kGsrn + "(7250)19000229", "(7250) 19000229: 29 is not a day of month 02"},
    {"hh", kGtin + "(8008)25010124", "(8008) 25010124: 24 is not an hour (00 to 23)"},
    {"mi", kGtin + "(8008)2501012360", "(8008) 2501012360: 60 is not a minute (00 to 59)"},
    {"ss", kGtin + "(8008)250101235960", "(8008) 250101235960: 60 is not a second (00 to 59)"},
    {"hhmi", kGtin + "(7003)2501012261", "(7003) 2501012261: 61 is not a minute (00 to 59)"},
    {"iso3166", kGtin + "(422)999", "(422) 999: 999 is not an ISO 3166 country code"},
    {"iso3166_of_an_optional_component", kGtin + "(423)276001", "(423) 276001: 001 is not an ISO 3166 country code"},
    {"iso3166999", kGtin + "(7030)000ABC", "(7030) 000ABC: 000 is neither an ISO 3166 country code nor 999"},
    {"iso3166alpha2", kSscc + "(4307)XX", "(4307) XX: XX is not an ISO 3166 two-letter country code"},
    {"iso4217", kPayTo + "(3912)000123", "(3912) 000123: 000 is not an ISO 4217 currency code"},
    {"nonzero", kGtin + "(8001)00000000100101", "(8001) 00000000100101: 0000 must not be zero"},
    {"winding", kGtin + "(8001)01000020003021", "(8001) 01000020003021: 2 must be 0, 1 or 9 (winding direction)"},
    {"zero", "(8003)19501101020917", "(8003) 19501101020917: 1 must be 0"},
    {"yesno", kSscc + "(4321)2", "(4321) 2: 2 must be 0 (no) or 1 (yes)"},
    {"hyphen", kSscc + "(4330)001234+", "(4330) 001234+: + must be '-'"},
    {"iso5218", kGsrn + "(7252)3", "(7252) 3: 3 must be 0, 1, 2 or 9 (ISO 5218)"},
    {"mediatype", kGsrn + "(7241)11", "(7241) 11: 11 is not an AIDC media type (01 to 10, 80 to 99)"},
    {"pieceoftotal_zero", "(8006)095011015300030003", "(8006) 095011015300030003: pieces and totals count from 01, not 00"},
    {"pieceoftotal_over", "(8006)095011015300030503", "(8006) 095011015300030503: piece 05 of 03 is more than the total"},
    {"posinseqslash", kGsrn + "(7259)A(7258)3/2", "(7258) 3/2: 3/2 must be a position, '/' and a count, e.g. 1/2"},
    {"importeridx", "(7040)1AB*", "(7040) 1AB*: * is not an importer index (a letter, digit, '-' or '_')"},
    {"nozeroprefix", "(8010)9501ABC(8011)012", "(8011) 012: it must not start with 0"},
    {"hasnondigit", kGtin + "(8014)100096", "(8014) 100096: it must hold a character other than a digit"},
    {"pcenc", kSscc + "(4300)AB%2", "(4300) AB%2: %2: '%' must be followed by two hexadecimal digits"},
    {"iban_form", kPayTo + "(8007)de44500105175407324931", "(8007) de44500105175407324931: it is not an IBAN: two capitals, two check digits, then capitals and digits"},
    {"iban_check", kPayTo + "(8007)DE45500105175407324931", "(8007) DE45500105175407324931: the IBAN check digits 45 do not match the rest"},
    {"latitude", kSscc + "(4309)18000000013600000000", "(4309) 18000000013600000000: 1800000001 is beyond 1800000000 (90 degrees north)"},
    {"longitude", kSscc + "(4309)18000000003600000001", "(4309) 18000000003600000001: 3600000001 is beyond 3600000000 (180 degrees east)"},
    {"gcppos1_not_digits", "(8004)AB123", "(8004) AB123: 'A' at position 1 is not a digit: a GS1 Company Prefix starts with 4 digits"},
    {"gcppos1_too_short", "(401)123", "(401) 123: it is too short to start with a GS1 Company Prefix (at least 4 digits)"},
    {"packagetype", kSscc + "(7041)BXX", "(7041) BXX: BXX is not a package type code (UN/ECE Recommendation 21 or GS1's additions)"},
    // The coupon codes, field by field.
    {"couponcode_digits_only", "(8110)0123456123456111101A3", "(8110) 0123456123456111101A3: 'A' at position 20 is not a digit: a coupon code is digits only"},
    {"couponcode_length_digit", "(8110)7123456", "(8110) 7123456: 7 is not a length of the GS1 Company Prefix (0 to 6)"},
    {"couponcode_ends_before_a_field", "(8110)0123456", "(8110) 0123456: it ends before the offer code"},
    {"couponcode_field_cut_short", "(8110)0123456123456111101", "(8110) 0123456123456111101: the primary purchase family code needs 3 digits, got 1"},
    {"couponcode_sized_field_cut_short", kCoupon + "115", "(8110) " + kCoupon.substr(6) + "115: the second purchase requirement needs 5 digits, got 0"},
    {"couponcode_code", "(8110)0123456123456111171", "(8110) 0123456123456111171: 7 is not a primary purchase requirement code (0 to 4 or 9)"},
    {"couponcode_date", kCoupon + "3251301", "(8110) " + kCoupon.substr(6) + "3251301: 13 is not a month"},
    {"couponcode_start_after_expiry", kCoupon + "32501014250601", "(8110) " + kCoupon.substr(6) + "32501014250601: the start date 250601 is after the expiration date 250101"},
    {"couponcode_fields_out_of_order", kCoupon + "42501013250601", "(8110) " + kCoupon.substr(6) + "42501013250601: 3250601 follows the last field: the optional fields 1, 2, 3, 4, 5, 6 and 9 come once each, in that order"},
    {"couponposoffer_format", "(8112)201234561234560123456", "(8112) 201234561234560123456: 2 is not a format code (0 or 1)"},
    {"couponposoffer_after_the_serial", "(8112)0012345612345601234567", "(8112) 0012345612345601234567: 7 follows the serial number, the last field"},
    // The elements together.
    {"repeated_with_other_data", kGtin + "(90)A(90)B", "(90) appears twice with different data"},
    {"invalid_pair", kGtin + "(02)09501101530003", "(01) and (02) cannot be in the same barcode"},
    {"invalid_pair_by_pattern", kGtin + "(3103)000100(3102)000200", "(3103) and (3102) cannot be in the same barcode"},
    {"requires_one_of", "(10)ABC", "(10) needs (01), (02), (03), (8006) or (8026) in the same barcode"},
    {"requires_together", kGtin + "(250)ABC", "(250) needs (01) with (21), (03) with (21) or (8006) with (21) in the same barcode"},
    {"requires_a_pattern", kGtin + "(3932)978123", "(3932) needs (30), (31nn), (32nn), (35nn) or (36nn) in the same barcode"},
    // GS1-128's limits.
    {"over_48_data_characters", kGtin + "(10)12345678901234567890(21)12345678901234567890", "GS1-128 holds at most 48 data characters (AIs and their data), got 60"},
    {"over_165_mm", repeat("(91)A", 16), "GS1-128 would be 192.8 mm long with its quiet zones at the 0.254 mm module of the Code 128 face; GS1 allows at most 165 mm: shorten the data"},
};
// clang-format on

TEST(Gs1128, EachRuleRejectsWithItsReason) {
    for (const auto& row : kReasonRows) {
        SCOPED_TRACE(row.name);
        std::string why;
        EXPECT_EQ(encode(GS1128, row.data, "", true, &why), std::nullopt);
        EXPECT_EQ(why, row.reason);
    }
}

struct AcceptedRow {
    const char* name;
    std::string data;
    std::string text;  // the human-readable interpretation
};

// clang-format off
const AcceptedRow kAcceptedRows[] = {
    {"gtin_expiry_batch", kGtin + "(17)250101(10)ABC123", kGtin + "(17)250101(10)ABC123"},
    {"square_brackets", "[01]09501101530003[10]ABC", kGtin + "(10)ABC"},
    {"escaped_round_brackets", kGtin + "(10)A\\(B\\)", kGtin + "(10)A(B)"},
    {"round_brackets_in_square_data", "[01]09501101530003[10]A(B)", kGtin + "(10)A(B)"},
    {"day_00_where_allowed", kGtin + "(17)250100", kGtin + "(17)250100"},
    {"leap_day", kGtin + "(15)240229", kGtin + "(15)240229"},
    {"country_or_999", kGtin + "(7030)999ABC", kGtin + "(7030)999ABC"},
    {"optional_components_left_out", kGtin + "(423)276", kGtin + "(423)276"},
    {"every_optional_component", kGtin + "(423)276040208528756", kGtin + "(423)276040208528756"},
    {"cset39", "(8010)9501AB#-/12(8011)1", "(8010)9501AB#-/12(8011)1"},
    {"cset64", kSscc + "(8030)AZaz09-_=", kSscc + "(8030)AZaz09-_="},
    {"last_of_a_range", kGtin + "(3105)000100", kGtin + "(3105)000100"},
    {"four_digit_ai_range_91_99", "(99)ABC", "(99)ABC"},
    {"an_ai_does_not_exclude_itself", kGtin + "(3103)000100(3103)000100", kGtin + "(3103)000100(3103)000100"},
    {"iban", kPayTo + "(8007)DE44500105175407324931", kPayTo + "(8007)DE44500105175407324931"},
    {"check_pair", "(8013)1987654Ad4X4bL5ttr2310c2K", "(8013)1987654Ad4X4bL5ttr2310c2K"},
    {"package_type", kSscc + "(7041)BX", kSscc + "(7041)BX"},
    {"coupon_second_purchase_without_prefix", kCoupon + "101101239", kCoupon + "101101239"},
    {"coupon_expiry_and_misc", kCoupon + "325123191201", kCoupon + "325123191201"},
    {"positive_offer_coupon", "(8112)001234561234560123456", "(8112)001234561234560123456"},
    {"48_data_characters", kGtin + "(10)ABCDEFGHIJKLMNOPQRST(21)1234567", kGtin + "(10)ABCDEFGHIJKLMNOPQRST(21)1234567"},
    {"escapes_beyond_48_input_characters", "(90)" + repeat("\\(", 25), "(90)" + repeat("(", 25)},
};
// clang-format on

TEST(Gs1128, AcceptsEachFormAndWritesItsText) {
    for (const auto& row : kAcceptedRows) {
        SCOPED_TRACE(row.name);
        std::string why;
        EXPECT_NE(encode(GS1128, row.data, "", true, &why), std::nullopt);
        EXPECT_EQ(why, "");
        std::array<char, kFontStringCapacity> text{};
        const internal::CalcInput in{row.data.data(), static_cast<int>(row.data.size()), "", true};
        const internal::Rejection r = internal::gs1128Text(in, text.data());
        EXPECT_EQ(std::string(text.data()), row.text);
        EXPECT_EQ(r.count, row.text.size());
    }
}

struct SymbolRow {
    const char* name;
    std::string data;
    Codes values;  // start character first, no check value, no stop
};

constexpr int F = 102;  // FNC1
constexpr int kToB = 100, kToC = 99;

// clang-format off
const SymbolRow kSymbolRows[] = {
    {"gtin_all_in_c", kGtin, {105, F, 1, 9, 50, 11, 1, 53, 0, 3}},
    {"no_separator_after_predefined", kGtin + "(10)ABC", {105, F, 1, 9, 50, 11, 1, 53, 0, 3, 10, kToB, 33, 34, 35}},
    {"separator_after_variable_not_last", kGtin + "(10)AB(17)250101", {105, F, 1, 9, 50, 11, 1, 53, 0, 3, 10, kToB, 33, 34, F, kToC, 17, 25, 1, 1}},
    {"separator_after_variable_digits", kGtin + "(30)12(17)250101", {105, F, 1, 9, 50, 11, 1, 53, 0, 3, 30, 12, F, 17, 25, 1, 1}},
    {"separator_after_fixed_but_not_predefined", kGtin + "(8001)01000020003011(17)250101", {105, F, 1, 9, 50, 11, 1, 53, 0, 3, 80, 1, 1, 0, 0, 20, 0, 30, 11, F, 17, 25, 1, 1}},
    {"odd_digit_count_one_digit_in_b", kGtin + "(10)12345", {104, F, 16, kToC, 10, 95, 1, 10, 15, 30, 0, 31, 1, 23, 45}},
    {"text_first_starts_b", "(90)ABC", {104, F, 25, 16, 33, 34, 35}},
    {"four_digits_amid_text_stay_in_b", "(90)A1234B", {104, F, 25, 16, 33, 17, 18, 19, 20, 34}},
    {"six_digits_amid_text_go_to_c", "(90)A123456B", {104, F, 25, 16, 33, kToC, 12, 34, 56, kToB, 34}},
};
// clang-format on

TEST(Gs1128, WritesTheFewestSymbolCharacters) {
    for (const auto& row : kSymbolRows) {
        SCOPED_TRACE(row.name);
        const CalcOutcome out = runCalc(GS1128, row.data, "", true);
        ASSERT_EQ(out.result, 0);
        Codes values = valuesOf(out.string());
        ASSERT_GE(values.size(), 2u);
        EXPECT_EQ(values.back(), kStopValue);
        values.resize(values.size() - 2);
        EXPECT_EQ(values, row.values);
    }
}

struct TextRow {
    const char* name;
    std::string data;
    std::string titles;
    bool looksLikeGs1;
};

// clang-format off
const TextRow kTextRows[] = {
    {"three_elements", kGtin + "(17)250101(10)ABC123", "(01) GTIN \u00B7 (17) USE BY or EXPIRY \u00B7 (10) BATCH/LOT", true},
    {"square_brackets", "[00]106141411234567897", "(00) SSCC", true},
    {"unknown_ai_left_out", "(23)1(3103)000100", "(3103) NET WEIGHT (kg)", true},
    {"up_to_a_syntax_fault", "(01)1(10)A)B(21)C", "(01) GTIN \u00B7 (10) BATCH/LOT", true},
    {"four_digit_ai", "(8020)A", "(8020) REF No.", true},
    {"raw_element_string", "0109501101530003", "", false},
    {"one_digit_in_brackets", "(1)23", "", false},
    {"five_digits_in_brackets", "(12345)6", "", false},
    {"mixed_brackets", "(01]1", "", false},
};
// clang-format on

TEST(Gs1128, TitlesAndTheHintForCode128Ean) {
    for (const auto& row : kTextRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(gs1::titles(row.data), row.titles);
        EXPECT_EQ(gs1::looksLikeBracketedGs1(row.data), row.looksLikeGs1);
    }
}

TEST(Gs1128, FuzzSeedsHoldTheProperties) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(BCFONT_FUZZ_DIR "/corpus-gs1")) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(file), {}};
        SCOPED_TRACE(entry.path().string());
        EXPECT_EQ(fuzz::checkGs1Input(input.data(), input.size()), "");
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace bcfont::test
