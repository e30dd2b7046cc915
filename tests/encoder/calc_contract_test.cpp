// The Calc call contract: dispatch, limits, null pointers, buffer states, the
// encoders called directly; properties over generated and fuzz inputs.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "calc_checks.h"
#include "calc_helpers.h"
#include "encode.h"

namespace bcfont::test {
namespace {

TEST(CalcContract, UnknownCodeTypeWritesNothingAndSucceeds) {
    for (int code : {-1, kCodeTypeCount, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(code);
        const CalcOutcome out = runCalc(static_cast<CodeType>(code), "12345", "", true);
        EXPECT_EQ(out.result, 0);
        EXPECT_EQ(out.after(), P);
    }
}

TEST(CalcContract, LenRatherThanTheTextDecidesWhatIsRead) {
    const CalcOutcome first12 = runCalc(EAN13, "400638133393x", "", false, 12);
    EXPECT_EQ(first12.result, 0);
    EXPECT_EQ(first12.string(), codes("4<ALGDTM=dddjdb>"));
    // Positions beyond the text read as NUL, which no digit symbology takes.
    const CalcOutcome beyond = runCalc(EAN8, "55123", "", false, 7);
    EXPECT_EQ(beyond.result, -1);
    EXPECT_EQ(beyond.after(), P);
    for (int len : {-1, INT32_MIN}) {
        const CalcOutcome negative = runCalc(C39, "ABC", "", false, len);
        EXPECT_EQ(negative.result, -1);
        EXPECT_EQ(negative.after(), E);
    }
}

TEST(CalcContract, NullPointers) {
    std::array<char, kFontStringCapacity> out;
    out.fill('Q');
    EXPECT_EQ(Calc(CODABAR, nullptr, out.data(), "", 3, 0), -1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(Calc(CODABAR, nullptr, out.data(), nullptr, 0, 0), 0);
    EXPECT_STREQ(out.data(), "DD");
    EXPECT_EQ(Calc(EAN13, "400638133393", nullptr, "", 12, 0), -1);
}

// Code39 and Code128 called directly must keep within their working arrays
// and their 100-byte output on their own, and terminate what they write.
TEST(CalcContract, DirectEncoderCallsRefuseWhatWouldNotFit) {
    // clang-format off
    const Row rows[] = {
        {"c39_97_plain_without_check", C39, repeat("A", 97), false, {}, W},
        {"c39_97_plain_with_check", C39, repeat("A", 97), true, {}, P},
        {"c128_96_letters_with_check", C128, repeat("A", 96), true, {}, W},
        {"c128_97_letters_with_check", C128, repeat("A", 97), true, {}, P},
        {"c128_100_digits", C128, repeat("1", 100), true, {}, W},
        {"c128_101_digits_too_many_entries", C128, repeat("1", 101), true, {}, P},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* in = reinterpret_cast<const unsigned char*>(row.data.data());
        const auto size = static_cast<std::int32_t>(row.data.size());
        CalcOutcome out;
        out.buffer.fill(CalcOutcome::kFill);
        const BOOL result = row.type == C39 ? Code39(in, out.buffer.data(), size, row.check)
                                            : Code128(in, out.buffer.data(), size, row.check, 0);
        EXPECT_EQ(result, row.after == W ? 1 : 0);
        EXPECT_EQ(out.after(), row.after);
        if (result == 1) {
            EXPECT_LT(out.string().size(), kFontStringCapacity);
        }
    }
}

// Generated requests hold every property the fuzz target checks: Calc returns
// 0 or -1; a rejection leaves the buffer empty or as passed; a font string is
// terminated within the buffer and holds no byte below 32; an unknown CodeType
// writes nothing; rejectionReason is empty exactly when Calc accepts, and
// encode writes Calc's string. Every Code 128 symbol of known meaning reads
// back as what was entered, FNC1 first in an EAN/UCC one.
TEST(CalcProperties, GeneratedRequests) {
    std::mt19937 rng(2026);
    int accepted = 0, rejected = 0, readBack = 0;
    for (int type = -1; type <= kCodeTypeCount; ++type) {
        for (int i = 0; i < 4000; ++i) {
            const Request r = generate(rng, static_cast<CodeType>(type));
            // The fuzz input layout: type, flags, len, fill byte, add-on, data.
            const int flags = (r.check ? 1 : 0) | (r.addon ? static_cast<int>(r.addon->size()) << 1 : 16);
            const std::string input =
                std::string{static_cast<char>(type + 1), static_cast<char>(flags),
                            static_cast<char>(r.data.size()), static_cast<char>(rng())} +
                r.addon.value_or("") + r.data;
            ASSERT_EQ(fuzz::checkInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()), "")
                << describe(r);
            const CalcOutcome out = runRequest(r);
            ++(out.result == 0 ? accepted : rejected);
            if ((type != C128 && type != C128EAN) || out.result != 0 || !r.meaning) continue;
            Codes meant = *r.meaning;
            if (type == C128EAN) meant.insert(meant.begin(), kFnc1);
            EXPECT_EQ(readCode128(out.string(), r.check), meant) << describe(r);
            ++readBack;
        }
    }
    // The generator must reach both verdicts and the reader often, or the checks prove little.
    EXPECT_GT(accepted, 10000);
    EXPECT_GT(rejected, 10000);
    EXPECT_GT(readBack, 3000);
}

TEST(CalcProperties, FuzzCorpusAndRegressionInputs) {
    int replayed = 0;
    for (const char* dir : {BCFONT_FUZZ_DIR "/corpus", BCFONT_FUZZ_DIR "/regressions"}) {
        if (!std::filesystem::exists(dir)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(file), {}};
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(fuzz::checkInput(input.data(), input.size()), "");
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace bcfont::test
