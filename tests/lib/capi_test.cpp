// The C API's results, buffers and reasons, row by row, and the same
// results from four threads at once.
#include <bcfont/bcfont.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

#include "symbology.h"

namespace {

constexpr std::size_t kRoom = 512;
constexpr char kUntouched = '#';

struct Row {
    const char* name;
    const char* type;
    const char* data;
    const char* addon;
    int check;
    std::size_t outSize;     // of the kRoom bytes offered; 0 with outNull
    std::size_t reasonSize;  // likewise
    long result;
    const char* out;     // expected font string; nullptr: out is untouched
    const char* reason;  // expected reason; nullptr: reason is untouched
    bool outNull = false;
};

// Font strings as `bcfont encode` prints them, and the faces the table names.
constexpr const char* EAN13_FONT = "4<ALGDTM=dddjdb>";
constexpr long EAN13_LEN = 16;
constexpr const char* EAN13_ADDON_FONT = "4<ALGDTM=dddjdb>:v;n;Z;u;q";
constexpr long EAN13_ADDON_LEN = 26;
constexpr const char* C128_FONT = "\xC3\x96Hello\xE2\x80\xA6i\xE2\x80\x9EWorld\"\xC3\xA4";  // ÖHello…i„World"ä
constexpr long C128_LEN = 22;
constexpr const char* FACE_EAN13 = "Code EAN";
constexpr const char* FACE_C39_RED_HD = "Code 39 Red High Density";
constexpr const char* FACE_POSTNET = "Postnet";

// clang-format off
const Row kRows[] = {
    // Accepted: the font string as UTF-8, its length in bytes, an empty reason.
    {"Ean13", "ean13", "400638133393", nullptr, 1, kRoom, kRoom, EAN13_LEN, EAN13_FONT, ""},
    {"TypeInCapitals", "EAN13", "400638133393", "", 1, kRoom, kRoom, EAN13_LEN, EAN13_FONT, ""},
    {"TypeAsNumber", "1", "400638133393", nullptr, 0, kRoom, kRoom, EAN13_LEN, EAN13_FONT, ""},
    {"Ean13AddOn", "ean13", "400638133393", "52495", 1, kRoom, kRoom, EAN13_ADDON_LEN, EAN13_ADDON_FONT, ""},
    {"Code128MultiByteOutput", "code128", "Hello~009World", nullptr, 1, kRoom, kRoom, C128_LEN, C128_FONT, ""},
    {"ExactFit", "ean13", "400638133393", nullptr, 1, EAN13_LEN + 1, kRoom, EAN13_LEN, EAN13_FONT, ""},
    {"NoReasonBuffer", "ean13", "400638133393", nullptr, 1, kRoom, 0, EAN13_LEN, EAN13_FONT, nullptr},
    // Too small: one byte short, or no buffer at all; the data was accepted.
    {"OneByteShort", "ean13", "400638133393", nullptr, 1, EAN13_LEN, kRoom, BCFONT_TOO_SMALL, nullptr, ""},
    {"NullOut", "ean13", "400638133393", nullptr, 1, 0, kRoom, BCFONT_TOO_SMALL, nullptr, "", true},
    {"MultiByteOneShort", "code128", "Hello~009World", nullptr, 1, C128_LEN, kRoom, BCFONT_TOO_SMALL, nullptr, ""},
    // Rejected: out untouched, the reason written.
    {"WrongLength", "ean13", "12345", nullptr, 1, kRoom, kRoom, BCFONT_REJECTED, nullptr,
     "EAN-13 needs 12 or 13 digits, got 5"},
    {"EmptyData", "ean13", "", nullptr, 1, kRoom, kRoom, BCFONT_REJECTED, nullptr, "no data to encode"},
    {"NullData", "code39", nullptr, nullptr, 1, kRoom, kRoom, BCFONT_REJECTED, nullptr, "no data to encode"},
    {"InvalidUtf8", "code128", "AB\xFF", nullptr, 1, kRoom, kRoom, BCFONT_REJECTED, nullptr,
     "the data is not valid UTF-8 (byte 3)"},
    {"NotInMacRoman", "code128", "AB\xC5\x82", nullptr, 1, kRoom, kRoom, BCFONT_REJECTED, nullptr,
     "the data holds '\xC5\x82' (character 3), which Mac OS Roman cannot encode"},
    {"AddOnNotDigits", "ean13", "400638133393", "52a95", 1, kRoom, kRoom, BCFONT_REJECTED, nullptr,
     "the add-on must be digits: 'a' at position 3"},
    {"RejectedBeforeTooSmall", "ean13", "12345", nullptr, 1, 0, kRoom, BCFONT_REJECTED, nullptr,
     "EAN-13 needs 12 or 13 digits, got 5", true},
    // A reason cut to fit, never inside a character: "...only: 'é'" loses
    // both bytes of the é when only one fits.
    {"ReasonCutInsideCharacter", "code39", "\xC3\xA9", nullptr, 1, kRoom, 35, BCFONT_REJECTED, nullptr,
     "Code 39 takes 7-bit ASCII only: '"},
    {"ReasonCutAfterCharacter", "code39", "\xC3\xA9", nullptr, 1, kRoom, 36, BCFONT_REJECTED, nullptr,
     "Code 39 takes 7-bit ASCII only: '\xC3\xA9"},
    {"RejectedNoReasonBuffer", "ean13", "12345", nullptr, 1, kRoom, 0, BCFONT_REJECTED, nullptr, nullptr},
    // Unknown types, before anything else is looked at.
    {"UnknownType", "qrcode", "400638133393", nullptr, 1, kRoom, kRoom, BCFONT_BAD_TYPE, nullptr, "unknown type 'qrcode'"},
    {"NullType", nullptr, "", nullptr, 1, kRoom, kRoom, BCFONT_BAD_TYPE, nullptr, "unknown type ''"},
    {"NumberPastTheTable", "99", "1", nullptr, 1, kRoom, kRoom, BCFONT_BAD_TYPE, nullptr, "unknown type '99'"},
    // 2D codes: options after the type, lines joined by LF.
    {"DataMatrixOfGivenSize", "datamatrix:size=10x10", "12", nullptr, 1, kRoom, kRoom, 38,
     "AHCECHAFBFCA\nAPEAONBHKDKA\nAOCCCKCGOOKA", ""},
    {"MalformedOption", "qr:ecc=X", "1", nullptr, 1, kRoom, kRoom, BCFONT_BAD_TYPE, nullptr, "ecc must be L, M, Q or H, not X"},
    {"OptionOfALinearType", "ean13:ecc=H", "1", nullptr, 1, kRoom, kRoom, BCFONT_BAD_TYPE, nullptr,
     "EAN-13 takes no options, got 'ecc=H'"},
    {"TooLongForTheSize", "datamatrix:size=10x10", "1234567", nullptr, 1, kRoom, kRoom, BCFONT_REJECTED, nullptr,
     "Data Matrix 10x10 holds at most 6 digits, got 7"},
};
// clang-format on

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.name;
}

class EncodeTest : public ::testing::TestWithParam<Row> {};

TEST_P(EncodeTest, ResultOutAndReason) {
    const Row& r = GetParam();
    std::array<char, kRoom> out;
    std::array<char, kRoom> reason;
    out.fill(kUntouched);
    reason.fill(kUntouched);
    const long result = bcfont_encode(r.type, r.data, r.addon, r.check, r.outNull ? nullptr : out.data(),
                                      r.outSize, reason.data(), r.reasonSize);
    EXPECT_EQ(result, r.result);
    const bool refused = r.result == BCFONT_REJECTED || r.result == BCFONT_BAD_TYPE;
    if (r.out != nullptr) {
        EXPECT_EQ(std::string(out.data()), r.out);
    }
    if (refused) {
        EXPECT_EQ(out[0], kUntouched) << "out was written";
    }
    if (r.reason != nullptr) {
        EXPECT_EQ(std::string(reason.data()), r.reason);
    } else {
        EXPECT_EQ(reason[0], kUntouched) << "reason was written";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EncodeTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Face, RowsAndUnknownType) {
    struct FaceRow {
        const char* type;
        int halfHeight, highDensity;
        const char* face;
    };
    const FaceRow rows[] = {
        {"ean13", 0, 0, FACE_EAN13},
        {"code39", 1, 1, FACE_C39_RED_HD},
        {"postnet", 0, 1, FACE_POSTNET},
    };
    for (const FaceRow& r : rows) {
        const char* face = bcfont_face(r.type, r.halfHeight, r.highDensity);
        ASSERT_NE(face, nullptr) << r.type;
        EXPECT_STREQ(face, r.face) << r.type;
    }
    // Every face of the table, whole: the C strings end where the names do.
    for (const bcfont::Symbology& s : bcfont::symbologies()) {
        for (int option = 0; option < 4; ++option) {
            const char* face = bcfont_face(std::string(s.name).c_str(), option & 1, option & 2);
            ASSERT_NE(face, nullptr) << s.name;
            EXPECT_EQ(face, bcfont::fontFor(s.type, option & 1, option & 2).family) << s.name << " " << option;
        }
    }
    EXPECT_EQ(bcfont_face("qrcode", 0, 0), nullptr);
    EXPECT_EQ(bcfont_face(nullptr, 0, 0), nullptr);
    EXPECT_STREQ(bcfont_version(), BCFONT_VERSION);
}

// Requests of several symbologies, accepted and rejected, encoded by four
// threads at once: each gets what one thread alone gets.
TEST(Threads, FourThreadsGetTheSingleThreadResults) {
    const char* const requests[][2] = {
        {"ean13", "400638133393"}, {"code128", "Hello~009World"}, {"code39", "CODE-39"},
        {"itf", "1234567890"},     {"ean8", "123"},               {"postnet", "12345"},
    };
    auto encodeAll = [&](int rounds) {
        std::string all;
        std::array<char, kRoom> out{};
        std::array<char, kRoom> reason{};
        for (int i = 0; i < rounds; ++i) {
            for (const auto& q : requests) {
                const long n = bcfont_encode(q[0], q[1], nullptr, 1, out.data(), out.size(), reason.data(),
                                             reason.size());
                all += std::to_string(n) + (n >= 0 ? out.data() : reason.data()) + '\n';
            }
        }
        return all;
    };
    constexpr int kRounds = 2000;
    const std::string alone = encodeAll(kRounds);
    std::vector<std::string> results(4);
    std::vector<std::thread> threads;
    for (std::string& result : results) threads.emplace_back([&] { result = encodeAll(kRounds); });
    for (std::thread& t : threads) t.join();
    for (const std::string& result : results) EXPECT_EQ(result, alone);
}

}  // namespace
