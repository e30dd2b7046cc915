// Intelligent Mail through Calc: the standard's worked examples, the reasons
// that name the part at fault, the human-readable digits, and a seeded sweep
// against another encoder (zint).
#include <cctype>
#include <cstdio>
#include <memory>

#include "calc_helpers.h"
#include "encoder_internal.h"

namespace bcfont::test {
namespace {

constexpr char kTracking[] = "01234567094987654321";

// clang-format off
// USPS-B-3200 Appendix C: one tracking code with each of the four routing
// code lengths, and the separators the data may use.
const Row kImbRows[] = {
    {"usps_b_3200_no_routing", IMB, kTracking, false, codes("ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT")},
    {"usps_b_3200_routing_5", IMB, std::string(kTracking) + "01234", false, codes("DTTAFADDTTFTDTFTFDTDDADADAFADFATDDFTAAAFDTTADFAAATDFDTDFADDDTDFFT")},
    {"usps_b_3200_routing_9", IMB, std::string(kTracking) + " 012345678", false, codes("ADFTTAFDTTTTFATTADTAAATFTFTATDAAAFDDADATATDTDTTDFDTDATADADTDFFTFA")},
    {"usps_b_3200_routing_11", IMB, std::string(kTracking) + "-01234567891", false, codes("AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA")},
    {"separator_without_routing", IMB, std::string(kTracking) + "-", false, codes("ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT")},
    {"routing_10_digits", IMB, std::string(kTracking) + "-0123456789", false, {}, E, "", "the routing code needs 0, 5, 9 or 11 digits, got 10"},
    {"routing_12_digits_unseparated", IMB, std::string(kTracking) + "012345678912", false, {}, E, "", "the routing code needs 0, 5, 9 or 11 digits, got 12"},
    {"identifier_second_digit_7", IMB, "07234567094987654321", false, {}, E, "", "the second digit of the barcode identifier must be 0 to 4, got 7"},
    {"tracking_15_digits", IMB, "012345670949876", false, {}, E, "", "the tracking code needs 20 digits, got 15"},
    {"separator_after_19_digits", IMB, "0123456709498765432-01234", false, {}, E, "", "the tracking code needs 20 digits, got 19"},
    {"empty", IMB, "", false, {}, E, "", "the tracking code needs 20 digits, got 0"},
    {"letter", IMB, "0123456709498765432x", false, {}, P, "", "Intelligent Mail takes digits only: 'x' at position 20"},
    {"second_separator", IMB, std::string(kTracking) + "-01234-5678", false, {}, P, "", "Intelligent Mail takes digits only: '-' at position 27"},
    {"nul_in_routing", IMB, std::string(kTracking) + std::string("01\0" "34", 5), false, {}, P, "", "Intelligent Mail takes digits only: NUL at position 23"},
};

struct TextRow {
    const char* name;
    std::string data;
    const char* text;  // null: rejected
};
const TextRow kTextRows[] = {
    {"tracking_only", kTracking, "01234567094987654321"},
    {"separator_dropped", std::string(kTracking) + "-01234567891", "0123456709498765432101234567891"},
    {"space_dropped", std::string(kTracking) + " 01234", "0123456709498765432101234"},
    {"rejected_routing", std::string(kTracking) + "-0123", nullptr},
};
// clang-format on

TEST(Imb, WorkedExamplesAndReasons) {
    expectRows(kImbRows);
}

TEST(Imb, HumanReadableText) {
    for (const TextRow& row : kTextRows) {
        SCOPED_TRACE(row.name);
        std::array<char, kFontStringCapacity> out{};
        const internal::CalcInput in{row.data.data(), static_cast<int>(row.data.size()), "", false};
        const internal::Rejection r = internal::imbText(in, out.data());
        EXPECT_EQ(r.accepted(), row.text != nullptr);
        if (row.text) {
            EXPECT_EQ(std::string(out.data()), row.text);
            EXPECT_EQ(r.count, std::string_view(row.text).size());
        }
    }
}

// The 65 letters zint draws for `data`: its dump has three rows, a bar in
// every other column; top and bottom is F, top only A, bottom only D, the
// middle row alone T. Empty when zint cannot be run.
std::string zintLetters(const std::string& data) {
    const std::string command = "zint -b 85 --dump -d '" + data + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return {};
    std::array<std::string, 3> rows;
    for (std::string& row : rows) {
        int c;
        while ((c = std::fgetc(pipe.get())) != EOF && c != '\n') {
            if (c == ' ') continue;
            const int nibble = std::isdigit(c) ? c - '0' : std::toupper(c) - 'A' + 10;
            if (nibble < 0 || nibble > 15) return {};
            for (int bit = 3; bit >= 0; --bit) row += ((nibble >> bit) & 1) ? '1' : '0';
        }
    }
    std::string letters;
    for (std::size_t i = 0; i < 65; ++i) {
        if (rows[0].size() <= 2 * i || rows[2].size() <= 2 * i) return {};
        const bool top = rows[0][2 * i] == '1', bottom = rows[2][2 * i] == '1';
        letters += top ? (bottom ? 'F' : 'A') : (bottom ? 'D' : 'T');
    }
    return letters;
}

TEST(Imb, SeededSweepAgreesWithZint) {
    ASSERT_EQ(zintLetters(std::string(kTracking) + "-01234567891"),
              "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA")
        << "zint (Debian package zint) must be installed";
    std::mt19937 rng(85);
    const auto digits = [&rng](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
        return s;
    };
    int mismatches = 0;
    for (int routing : {0, 5, 9, 11}) {
        for (int i = 0; i < 60; ++i) {
            std::string tracking = digits(20);
            tracking[1] = static_cast<char>('0' + rng() % 5);
            const std::string data = tracking + (routing > 0 ? "-" + digits(routing) : "");
            const auto ours = encode(IMB, data, "", false);
            const std::string theirs = zintLetters(data);
            if (ours.value_or("rejected") == theirs) continue;
            if (++mismatches <= 5) ADD_FAILURE() << data << ": expected " << theirs << ", got " << ours.value_or("rejected");
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace bcfont::test
