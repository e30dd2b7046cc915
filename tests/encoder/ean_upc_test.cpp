// EAN-8, EAN-13 with add-ons, UPC-A and UPC-E through Calc.
#include "calc_helpers.h"

namespace bcfont::test {
namespace {

const Codes kEan8Example = {60, 70, 70, 66, 67, 61, 100, 101, 102, 104, 62};
const Codes kEan13Example = {52, 60, 65, 76, 71, 68, 84, 77, 61, 100, 100, 100, 106, 100, 98, 62};
const char* const kEan13Data = "400638133393";

// clang-format off
const Row kEanRows[] = {
    {"ean8_worked_example", EAN8, "5512345", false, kEan8Example},
    {"ean8_wrong_check_digit_replaced", EAN8, "55123450", false, kEan8Example},
    {"ean8_sum_multiple_of_ten_gives_0", EAN8, "0000000", true, codes("<AAAA=aaaa>")},
    {"ean8_6_digits", EAN8, "551234", false, {}, E},
    {"ean8_9_digits", EAN8, "551234570", false, {}, E},
    {"ean8_letter_in_check_position", EAN8, "5512345x", false, {}, P, "", "EAN-8 takes digits only: 'x' at position 8"},
    {"ean8_nul", EAN8, std::string("123\0" "567", 7), false, {}, P, "", "EAN-8 takes digits only: NUL at position 4"},
    {"ean13_worked_example", EAN13, kEan13Data, false, kEan13Example},
    {"ean13_wrong_check_digit_replaced", EAN13, "4006381333939", true, kEan13Example},
    {"ean13_first_digit_0_all_set_a", EAN13, "012345678901", false, codes("0<BCDEFG=hijabc>")},
    {"ean13_first_digit_9", EAN13, "978014300723", false, codes("9<HTLBPD=aahcde>")},
    {"ean13_11_digits", EAN13, "40063813339", false, {}, E, "", "EAN-13 needs 12 or 13 digits, got 11"},
    {"ean13_14_digits", EAN13, "40063813339311", false, {}, E},
    {"ean13_letter_inside", EAN13, "4006381a3393", false, {}, P},
    {"ean13_letter_in_check_position", EAN13, "400638133393x", false, {}, P},
};

const Row kAddonRows[] = {
    {"addon2_12_sets_AA", EAN13, kEan13Data, false, concat({kEan13Example, {58, 109, 59, 110}}), W, "12"},
    {"addon2_05_sets_AB", EAN13, kEan13Data, false, concat({kEan13Example, {58, 108, 59, 118}}), W, "05"},
    {"addon2_99_sets_BB", EAN13, kEan13Data, false, concat({kEan13Example, codes(":z;z")}), W, "99"},
    {"addon2_00_sets_AA", EAN13, kEan13Data, false, concat({kEan13Example, codes(":l;l")}), W, "00"},
    {"addon5_52495", EAN13, kEan13Data, false, concat({kEan13Example, {58, 118, 59, 110, 59, 90, 59, 117, 59, 113}}), W, "52495"},
    {"addon5_check_value_0", EAN13, kEan13Data, false, concat({kEan13Example, codes(":V;V;l;l;l")}), W, "00000"},
    {"addon_of_1_ignored", EAN13, kEan13Data, false, kEan13Example, W, "1"},
    {"addon_of_3_ignored", EAN13, kEan13Data, false, kEan13Example, W, "123"},
    {"addon_of_4_ignored", EAN13, kEan13Data, false, kEan13Example, W, "1234"},
    {"addon_of_6_ignored", EAN13, kEan13Data, false, kEan13Example, W, "123456"},
    {"addon_of_3_letters_ignored", EAN13, kEan13Data, false, kEan13Example, W, "abc"},
    {"addon2_not_digits", EAN13, kEan13Data, false, {}, E, "1x", "the add-on must be digits: 'x' at position 2"},
    {"addon5_not_digits", EAN13, kEan13Data, false, {}, E, "12a45"},
    {"addon_with_bad_main_data_leaves_buffer", EAN13, "40063813339a", false, {}, P, "1x"},
};

const Row kUpcRows[] = {
    {"upca_worked_example", UPCA, "03600029145", false, {48, 60, 76, 68, 71, 65, 65, 65, 61, 99, 106, 98, 101, 102, 110, 62, 50}},
    {"upca_wrong_check_digit_replaced", UPCA, "036000291459", false, codes("0<LDGAAA=cjbefn>2")},
    {"upca_10_digits", UPCA, "0360002914", false, {}, E},
    {"upca_letter", UPCA, "03600029a45", false, {}, P},
    {"upca_space", UPCA, "036 0029145", false, {}, P, "", "UPC-A takes digits only: a space at position 4"},
    // Last digit 5 to 9: the expanded UPC-A number ends in that digit.
    {"upce_0123456", UPCE, "0123456", false, {48, 60, 87, 67, 68, 90, 118, 71, 63, 53}},
    {"upce_1234567", UPCE, "1234567", false, codes("1<CDEvwx?0")},
    {"upce_1123457", UPCE, "1123457", false, {49, 60, 66, 88, 89, 69, 118, 72, 63, 57}},
    {"upce_set_b_0_and_9", UPCE, "0190905", false, codes("0<WzVJAF?0")},
    {"upce_8_digits_same_as_7", UPCE, "01234561", false, codes("0<WCDZvG?5")},
    // The check digit is the expanded UPC-A number's, not that of the seven digits.
    {"upce_last_0_check_5_not_3", UPCE, "0123450", false, codes("0<WCDZvA?5")},
    {"upce_last_1_expands_to_042100005264", UPCE, "0425261", false, codes("0<ZCvXGB?4")},
    {"upce_last_1_number_system_1", UPCE, "1987651", false, codes("1<JIxGvW?1")},
    {"upce_last_3", UPCE, "0123453", false, codes("0<WXDZFD?1")},
    {"upce_last_4", UPCE, "0123454", false, codes("0<WXDEFZ?3")},
    {"upce_number_system_2", UPCE, "2123456", false, {}, E, "", "UPC-E must start with 0 or 1 (number system), got '2'"},
    {"upce_length_before_number_system", UPCE, "21234", false, {}, E, "", "UPC-E needs 7 or 8 digits, got 5"},
    {"upce_starts_with_letter", UPCE, "a123456", false, {}, E},
    {"upce_6_digits", UPCE, "012345", false, {}, E},
    {"upce_letter_after_number_system", UPCE, "01234x6", false, {}, P},
};

TEST(EanUpc, Ean) { expectRows(kEanRows); }
TEST(EanUpc, Ean13Addons) { expectRows(kAddonRows); }
TEST(EanUpc, Upc) { expectRows(kUpcRows); }
// clang-format on

}  // namespace
}  // namespace bcfont::test
