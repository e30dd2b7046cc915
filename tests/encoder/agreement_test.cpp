// rejectionReason against Calc: the same verdict on every input, and
// sentences that name the rule and the position.
#include <gtest/gtest.h>

#include <random>

#include "calc_helpers.h"
#include "encode.h"

namespace bcfont::test {
namespace {

struct ReasonRow {
    const char* name;
    CodeType type;
    std::string data;
    std::string addon;
    bool check;
    const char* expected;
};

const ReasonRow kReasonRows[] = {
    {"ean13_length", EAN13, "40063813339", "", false, "EAN-13 needs 12 or 13 digits, got 11"},
    {"ean8_letter", EAN8, "12a4567", "", false, "EAN-8 takes digits only: 'a' at position 3"},
    {"ean8_nul", EAN8,
     std::string("123\0"
                 "567",
                 7),
     "", false, "EAN-8 takes digits only: NUL at position 4"},
    {"upca_space", UPCA, "036 0029145", "", false, "UPC-A takes digits only: a space at position 4"},
    {"upce_number_system", UPCE, "2123456", "", false,
     "UPC-E must start with 0 or 1 (number system), got '2'"},
    {"upce_length_before_number_system", UPCE, "21234", "", false, "UPC-E needs 7 or 8 digits, got 5"},
    {"postnet_length", POSTNET, "1234", "", false, "Postnet needs 5, 9 or 11 digits, got 4"},
    {"codabar_byte", CODABAR, "12\xE9", "", false, "Codabar takes digits only: byte 233 at position 3"},
    {"industrial_letter", TOFIND, "12x", "", true, "2 of 5 Industrial takes digits only: 'x' at position 3"},
    {"interleaved_even_with_check", TOFIL, std::string(48, '1'), "", true,
     "2 of 5 Interleaved with a check digit takes at most 46 digits when their number is even, got 48"},
    {"code128_high_byte", C128, "ABC\xC8", "", true,
     "Code 128 takes 7-bit ASCII only: byte 200 at position 4"},
    {"code128_escape", C128, "~200", "", true,
     "Code 128 escape ~200 at position 1 is not an ASCII character"},
    {"code39_escape", C39, "~200", "", false, "Code 39 escape ~200 at position 1 is not an ASCII character"},
    {"code39_escape_999", C39, "AB~999", "", false,
     "Code 39 escape ~999 at position 3 is not an ASCII character (it stands for byte 231)"},
    {"too_long", C39, std::string(50, 'A'), "", false, "data is longer than 48 characters (got 50)"},
    {"addon_letter", EAN13, "400638133393", "1x", false, "the add-on must be digits: 'x' at position 2"},
};

TEST(RejectionReason, NamesTheRuleAndThePosition) {
    for (const auto& row : kReasonRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rejectionReason(row.type, row.data, row.addon, row.check), row.expected);
    }
}

TEST(RejectionReason, TooWideCode128NamesTheFontStringLimit) {
    std::string alternating;
    for (int i = 0; i < 24; ++i) alternating += "\tA";
    EXPECT_EQ(
        rejectionReason(C128EAN, alternating, "", true),
        "the font string would not fit 99 bytes (it needs 100); shorten the data or avoid mixing code sets");
    EXPECT_EQ(rejectionReason(C128, alternating, "", true), "");
}

TEST(RejectionReason, AcceptedRequestsHaveNoReason) {
    EXPECT_EQ(rejectionReason(EAN13, "400638133393", "52495", false), "");
    EXPECT_EQ(rejectionReason(EAN13, "400638133393", "abc", false), "");
    EXPECT_EQ(rejectionReason(C128, "~999~256", "", true), "");
    EXPECT_EQ(rejectionReason(static_cast<CodeType>(11), std::string(80, 'x'), "", true), "");
}

// Requests drawn from an alphabet that reaches every rule: digits, letters,
// tildes and escapes (valid, FNC1, above 127), bytes of 128 and above, NUL,
// controls and DEL, at the lengths the symbologies accept and around them.
struct Request {
    CodeType type;
    std::string data;
    std::optional<std::string> addon;  // nullopt: Calc gets a null add-on
    bool check;
};

Request generate(std::mt19937& rng, CodeType type) {
    static const char* const kPieces[] = {
        "~200", "~999", "~065", "~~", "~12", "~", "~256", "~127", "~128", "\xC8",
        "\x80", "\xFF", "A",    "z",  " ",   "-", "\t",   "\x7f", "*",    "_",
    };
    static const int kLengths[] = {0, 1, 2, 5, 7, 8, 9, 11, 12, 13, 46, 47, 48, 49};
    const std::size_t length =
        rng() % 2 == 0 ? static_cast<std::size_t>(kLengths[rng() % std::size(kLengths)]) : rng() % 61;
    const unsigned otherEvery = 1 + rng() % 40;  // how often a non-digit comes
    Request request{type, {}, std::string{}, rng() % 2 == 0};
    while (request.data.size() < length) {
        if (rng() % otherEvery != 0) {
            request.data += static_cast<char>('0' + rng() % 10);
        } else if (rng() % 25 == 0) {
            request.data += '\0';
        } else {
            request.data += kPieces[rng() % std::size(kPieces)];
        }
    }
    request.data.resize(length);
    if (rng() % 10 == 0) {
        request.addon.reset();
    } else {
        const std::size_t addonLength = rng() % 8;
        for (std::size_t i = 0; i < addonLength; ++i) {
            request.addon->push_back(rng() % 6 == 0 ? "x -\xC8"[rng() % 4]
                                                    : static_cast<char>('0' + rng() % 10));
        }
    }
    return request;
}

CalcOutcome runRequest(const Request& request) {
    return runCalc({request.type, request.data, request.addon ? request.addon->c_str() : nullptr,
                    request.check, std::nullopt, 0xA5});
}

std::string describe(const Request& request) {
    std::string text = "type " + std::to_string(request.type) + (request.check ? " check" : "") + " data {";
    for (unsigned char c : request.data) text += std::to_string(c) + " ";
    text += "} addon ";
    text += request.addon ? "\"" + *request.addon + "\"" : "null";
    return text;
}

TEST(RejectionReason, AgreesWithCalcOnGeneratedRequests) {
    std::mt19937 rng(2026);
    int accepted = 0, rejected = 0;
    for (int type = 0; type < kCodeTypeCount; ++type) {
        for (int i = 0; i < 4000; ++i) {
            const Request request = generate(rng, static_cast<CodeType>(type));
            const CalcOutcome out = runRequest(request);
            const std::string reason =
                rejectionReason(request.type, request.data, request.addon.value_or(""), request.check);
            ASSERT_EQ(out.result == 0, reason.empty()) << describe(request) << " reason: " << reason;
            (out.result == 0 ? accepted : rejected)++;
        }
    }
    // The generator must reach both verdicts often, or the agreement proves little.
    EXPECT_GT(accepted, 5000);
    EXPECT_GT(rejected, 5000);
}

TEST(CalcSweep, EveryResultKeepsTheBufferContract) {
    std::mt19937 rng(100);
    for (int type = -1; type <= kCodeTypeCount; ++type) {
        for (int i = 0; i < 3000; ++i) {
            const Request request = generate(rng, static_cast<CodeType>(type));
            const CalcOutcome out = runRequest(request);
            ASSERT_TRUE(out.result == 0 || out.result == -1) << describe(request);
            if (out.result == -1) {
                ASSERT_TRUE(out.empty() || out.asPassed()) << describe(request);
                continue;
            }
            if (out.asPassed()) continue;  // an unknown CodeType writes nothing
            ASSERT_TRUE(out.terminated()) << describe(request);
            for (int c : out.string()) ASSERT_GE(c, 32) << describe(request);
        }
    }
}

}  // namespace
}  // namespace bcfont::test
