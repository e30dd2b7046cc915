// The Calc call contract: dispatch, limits, null pointers, buffer states.
#include <gtest/gtest.h>

#include "calc_helpers.h"
#include "encode.h"

namespace bcfont::test {
namespace {

TEST(CalcContract, KeystrokeRoadEan13) {
    const CalcOutcome out = runCalc(EAN13, "400638133393");
    EXPECT_EQ(out.result, 0);
    EXPECT_EQ(out.string(), codes("4<ALGDTM=dddjdb>"));
}

TEST(CalcContract, UnknownCodeTypeWritesNothingAndSucceeds) {
    for (int code : {-1, 11, 12, 1000, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(code);
        const CalcOutcome out = runCalc({static_cast<CodeType>(code), "12345", "", true, std::nullopt, 'Q'});
        EXPECT_EQ(out.result, 0);
        EXPECT_TRUE(out.asPassed());
    }
}

struct LimitRow {
    const char* name;
    CodeType type;
    int len;
    bool check;
};

// Over the limits nothing is read beyond the data limit and the buffer is
// emptied, whatever the symbology.
TEST(CalcContract, DataBeyondTheLimitsIsRejectedWithAnEmptyBuffer) {
    const LimitRow rows[] = {
        {"codabar_49", CODABAR, 49, false},
        {"code39_49", C39, 49, true},
        {"code128_60", C128, 60, false},
        {"industrial_99", TOFIND, 99, true},
        {"interleaved_even_48_check", TOFIL, 48, true},
        {"negative_len", CODABAR, -1, false},
        {"very_negative_len", C39, INT32_MIN, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CalcOutcome out = runCalc({row.type, std::string(99, '5'), "", row.check, row.len, 'Q'});
        EXPECT_EQ(out.result, -1);
        EXPECT_TRUE(out.empty());
    }
}

TEST(CalcContract, FortyEightCharactersAreAccepted) {
    for (CodeType type : {C39, C128, C128EAN, TOFIND, TOFIL, CODABAR}) {
        SCOPED_TRACE(type);
        const CalcOutcome out = runCalc(type, std::string(48, '5'), "", false);
        EXPECT_EQ(out.result, 0);
    }
}

TEST(CalcContract, NullDataWithLengthIsRejected) {
    std::array<char, kFontStringCapacity> out;
    out.fill('Q');
    EXPECT_EQ(Calc(CODABAR, nullptr, out.data(), "", 3, 0), -1);
    EXPECT_EQ(out[0], 0);
    out.fill('Q');
    EXPECT_EQ(Calc(CODABAR, nullptr, out.data(), nullptr, 0, 0), 0);
    EXPECT_STREQ(out.data(), "DD");
}

TEST(CalcContract, NullOutputIsRejectedWithoutWriting) {
    EXPECT_EQ(Calc(EAN13, "400638133393", nullptr, "", 12, 0), -1);
}

TEST(CalcContract, DataIsReadUpToItsFirstNul) {
    // "12\0" then "34": the positions behind the NUL read as NUL, so Codabar rejects.
    const std::string data(
        "12\0"
        "34",
        5);
    const CalcOutcome out = runCalc({CODABAR, data, "", false, std::nullopt, 'Q'});
    EXPECT_EQ(out.result, -1);
    EXPECT_TRUE(out.asPassed());
    // Code 39 takes NUL as a character: three of them are written as %U.
    const CalcOutcome c39 = runCalc(C39, data, "", false);
    EXPECT_EQ(c39.result, 0);
    EXPECT_EQ(c39.string(), codes("*12%U%U%U*"));
}

TEST(CalcContract, AddonChangesNoOtherSymbology) {
    for (int type = 0; type < kCodeTypeCount; ++type) {
        if (type == EAN13) continue;
        SCOPED_TRACE(type);
        for (const char* data : {"0123456", "12345678901", "ABC123"}) {
            const CalcOutcome with = runCalc(static_cast<CodeType>(type), data, "12345", true);
            const CalcOutcome without = runCalc(static_cast<CodeType>(type), data, "", true);
            EXPECT_EQ(with.result, without.result);
            EXPECT_EQ(with.buffer, without.buffer);
        }
    }
}

TEST(CalcContract, SuccessTerminatesEvenInABufferThatWasNotZeroFilled) {
    const std::pair<CodeType, const char*> requests[] = {
        {EAN8, "5512345"}, {EAN13, "400638133393"}, {UPCA, "03600029145"}, {UPCE, "0123456"},
        {C39, "CODE39"},   {C128, "Hello"},         {C128EAN, "0101"},     {TOFIL, "1234"},
        {TOFIND, "1234"},  {CODABAR, "123"},        {POSTNET, "12345"},
    };
    for (const auto& [type, data] : requests) {
        SCOPED_TRACE(type);
        const CalcOutcome marked = runCalc({type, data, "", true, std::nullopt, 'Q'});
        const CalcOutcome clean = runCalc(type, data, "", true);
        ASSERT_EQ(marked.result, 0);
        EXPECT_EQ(marked.string(), clean.string());
    }
}

TEST(Encode, ReturnsCalcsStringOrTheReason) {
    EXPECT_EQ(encode(EAN13, "400638133393", "", false), "4<ALGDTM=dddjdb>");
    EXPECT_EQ(encode(C128,
                     "a\x7f"
                     "b",
                     "", true),
              std::string("\x85"
                          "a\x9f"
                          "bJ\x8a"));
    std::string why;
    EXPECT_FALSE(encode(EAN13, "40063813339", "", false, &why).has_value());
    EXPECT_EQ(why, "EAN-13 needs 12 or 13 digits, got 11");
    EXPECT_FALSE(encode(CODABAR, std::string(200, '1'), "", false, &why).has_value());
    EXPECT_EQ(why, "data is longer than 48 characters (got 200)");
    EXPECT_EQ(encode(static_cast<CodeType>(42), "x", "", false), "");
}

}  // namespace
}  // namespace bcfont::test
