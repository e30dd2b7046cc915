// EAN-8, EAN-13 with add-ons, UPC-A and UPC-E through Calc.
#include <gtest/gtest.h>

#include "calc_helpers.h"
#include "encoder_internal.h"

namespace bcfont::test {
namespace {

struct EncodeRow {
    const char* name;
    CodeType type;
    std::string data;
    const char* addon;
    Codes expected;
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const EncodeRow& row, std::ostream* os) {
    *os << row.name;
}

const Codes kEan13Example = {52, 60, 65, 76, 71, 68, 84, 77, 61, 100, 100, 100, 106, 100, 98, 62};

const EncodeRow kEncodeRows[] = {
    // EAN-8
    {"ean8_worked_example", EAN8, "5512345", "", {60, 70, 70, 66, 67, 61, 100, 101, 102, 104, 62}},
    {"ean8_wrong_check_digit_replaced",
     EAN8,
     "55123450",
     "",
     {60, 70, 70, 66, 67, 61, 100, 101, 102, 104, 62}},
    {"ean8_sum_multiple_of_ten_gives_0", EAN8, "0000000", "", codes("<AAAA=aaaa>")},
    // EAN-13
    {"ean13_worked_example", EAN13, "400638133393", "", kEan13Example},
    {"ean13_wrong_check_digit_replaced", EAN13, "4006381333939", "", kEan13Example},
    {"ean13_first_digit_0_all_set_a", EAN13, "012345678901", "", codes("0<BCDEFG=hijabc>")},
    {"ean13_first_digit_9", EAN13, "978014300723", "", codes("9<HTLBPD=aahcde>")},
    // EAN-13 add-ons
    {"addon2_12_sets_AA", EAN13, "400638133393", "12", concat({kEan13Example, {58, 109, 59, 110}})},
    {"addon2_05_sets_AB", EAN13, "400638133393", "05", concat({kEan13Example, {58, 108, 59, 118}})},
    {"addon2_99_sets_BB", EAN13, "400638133393", "99", concat({kEan13Example, codes(":z;z")})},
    {"addon2_00_sets_AA", EAN13, "400638133393", "00", concat({kEan13Example, codes(":l;l")})},
    {"addon5_52495", EAN13, "400638133393", "52495",
     concat({kEan13Example, {58, 118, 59, 110, 59, 90, 59, 117, 59, 113}})},
    {"addon5_check_value_0", EAN13, "400638133393", "00000", concat({kEan13Example, codes(":V;V;l;l;l")})},
    {"addon_of_1_ignored", EAN13, "400638133393", "1", kEan13Example},
    {"addon_of_3_ignored", EAN13, "400638133393", "123", kEan13Example},
    {"addon_of_4_ignored", EAN13, "400638133393", "1234", kEan13Example},
    {"addon_of_6_ignored", EAN13, "400638133393", "123456", kEan13Example},
    {"addon_of_3_letters_ignored", EAN13, "400638133393", "abc", kEan13Example},
    {"addon_ignored_by_ean8", EAN8, "5512345", "12", {60, 70, 70, 66, 67, 61, 100, 101, 102, 104, 62}},
    {"addon_ignored_by_upca", UPCA, "03600029145", "52495", codes("0<LDGAAA=cjbefn>2")},
    {"addon_ignored_by_upce", UPCE, "0123456", "12", codes("0<WCDZvG?5")},
    // UPC-A
    {"upca_worked_example",
     UPCA,
     "03600029145",
     "",
     {48, 60, 76, 68, 71, 65, 65, 65, 61, 99, 106, 98, 101, 102, 110, 62, 50}},
    {"upca_wrong_check_digit_replaced", UPCA, "036000291459", "", codes("0<LDGAAA=cjbefn>2")},
    {"upca_number_system_9", UPCA, "90000000000", "", codes("9<UAAAAA=aaaaao>3")},
    // UPC-E: worked examples whose last digit is 5 to 9
    {"upce_0123456", UPCE, "0123456", "", {48, 60, 87, 67, 68, 90, 118, 71, 63, 53}},
    {"upce_1234567", UPCE, "1234567", "", codes("1<CDEvwx?0")},
    {"upce_1123457", UPCE, "1123457", "", {49, 60, 66, 88, 89, 69, 118, 72, 63, 57}},
    {"upce_8_digits_same_as_7", UPCE, "01234561", "", codes("0<WCDZvG?5")},
    // UPC-E: the check digit is the expanded UPC-A number's
    {"upce_last_0_check_5_not_3", UPCE, "0123450", "", codes("0<WCDZvA?5")},
    {"upce_last_1_expands_to_042100005264", UPCE, "0425261", "", codes("0<ZCvXGB?4")},
    {"upce_last_1_number_system_1", UPCE, "1987651", "", codes("1<JIxGvW?1")},
    {"upce_last_3", UPCE, "0123453", "", codes("0<WXDZFD?1")},
    {"upce_last_4", UPCE, "0123454", "", codes("0<WXDEFZ?3")},
};

class EanUpcEncode : public ::testing::TestWithParam<EncodeRow> {};

TEST_P(EanUpcEncode, WritesExactFontString) {
    const EncodeRow& row = GetParam();
    for (bool check : {false, true}) {
        SCOPED_TRACE(check ? "check option on" : "check option off");
        const CalcOutcome out = runCalc(row.type, row.data, row.addon, check);
        EXPECT_EQ(out.result, 0);
        EXPECT_EQ(out.string(), row.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EanUpcEncode, ::testing::ValuesIn(kEncodeRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct RejectRow {
    const char* name;
    CodeType type;
    std::string data;
    const char* addon;
    After after;
};

// Failures name the row instead of dumping its bytes.
void PrintTo(const RejectRow& row, std::ostream* os) {
    *os << row.name;
}

const RejectRow kRejectRows[] = {
    {"ean13_11_digits", EAN13, "40063813339", "", After::Empty},
    {"ean13_14_digits", EAN13, "40063813339311", "", After::Empty},
    {"ean8_6_digits", EAN8, "551234", "", After::Empty},
    {"ean8_9_digits", EAN8, "551234570", "", After::Empty},
    {"ean8_empty", EAN8, "", "", After::Empty},
    {"ean13_letter_inside", EAN13, "4006381a3393", "", After::AsPassed},
    {"ean13_letter_in_check_position", EAN13, "400638133393x", "", After::AsPassed},
    {"ean8_letter_in_check_position", EAN8, "5512345x", "", After::AsPassed},
    {"ean8_space", EAN8, "551 345", "", After::AsPassed},
    {"upca_10_digits", UPCA, "0360002914", "", After::Empty},
    {"upca_letter", UPCA, "03600029a45", "", After::AsPassed},
    {"upce_number_system_2", UPCE, "2123456", "", After::Empty},
    {"upce_number_system_9", UPCE, "9123456", "", After::Empty},
    {"upce_starts_with_letter", UPCE, "a123456", "", After::Empty},
    {"upce_6_digits", UPCE, "012345", "", After::Empty},
    {"upce_letter_after_number_system", UPCE, "01234x6", "", After::AsPassed},
    {"addon2_not_digits", EAN13, "400638133393", "1x", After::Empty},
    {"addon5_not_digits", EAN13, "400638133393", "12a45", After::Empty},
    {"addon5_space", EAN13, "400638133393", "12 45", After::Empty},
    {"addon2_with_bad_main_data_leaves_buffer", EAN13, "40063813339a", "1x", After::AsPassed},
};

class EanUpcReject : public ::testing::TestWithParam<RejectRow> {};

TEST_P(EanUpcReject, RejectsAndLeavesBufferAsDescribed) {
    const RejectRow& row = GetParam();
    const CalcOutcome out = runCalc({row.type, row.data, row.addon, false, std::nullopt, 'Q'});
    EXPECT_EQ(out.result, -1);
    if (row.after == After::Empty) {
        EXPECT_TRUE(out.empty()) << "buffer starts with " << int(out.buffer[0]);
    } else {
        EXPECT_TRUE(out.asPassed());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EanUpcReject, ::testing::ValuesIn(kRejectRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EanUpcLength, OnlyTheFirstLenCharactersAreEncoded) {
    const CalcOutcome out = runCalc({EAN13, "4006381333939", "", false, 12, 0});
    EXPECT_EQ(out.result, 0);
    EXPECT_EQ(out.string(), kEan13Example);
}

TEST(EanUpcLength, PositionsBeyondTheTextReadAsNulAndAreRejected) {
    const CalcOutcome out = runCalc({EAN8, "55123", "", false, 7, 'Q'});
    EXPECT_EQ(out.result, -1);
    EXPECT_TRUE(out.asPassed());
}

TEST(EanUpcAddon, NullAddonReadsAsEmpty) {
    std::array<char, kFontStringCapacity> out{};
    ASSERT_EQ(Calc(EAN13, "400638133393", out.data(), nullptr, 12, 0), 0);
    EXPECT_EQ(codes(out.data()), kEan13Example);
}

struct LookupRow {
    const char* name;
    int ab;
    int val;
    int expected;
};

TEST(EanUpcLookup, GetCodeAndGetUpc) {
    const LookupRow getCode[] = {
        {"set_b_4", 1, 4, 90},  {"set_b_5", 1, 5, 118}, {"set_a_0", 0, 0, 108},
        {"set_a_9", 0, 9, 117}, {"set_b_0", 1, 0, 86},  {"set_b_9", 1, 9, 122},
    };
    for (const auto& row : getCode) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(internal::GetCode(row.ab, row.val), row.expected);
    }
    const LookupRow getUpc[] = {
        {"char_0", 0, '0', 86}, {"char_4", 0, '4', 90}, {"char_5", 0, '5', 118}, {"char_9", 0, '9', 122}};
    for (const auto& row : getUpc) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(internal::GetUPC(row.ab, row.val), row.expected);
    }
}

}  // namespace
}  // namespace bcfont::test
