#include "macroman.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace bcfont::macroman;

TEST(MacRoman, EveryByteRoundTripsThroughItsOwnCharacter) {
    std::set<char32_t> seen;
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = toUnicode(static_cast<unsigned char>(b));
        EXPECT_TRUE(seen.insert(cp).second) << "byte " << b << " shares a character";
        const auto back = fromUnicode(cp);
        ASSERT_TRUE(back.has_value()) << "byte " << b;
        EXPECT_EQ(*back, b);
    }
}

TEST(MacRoman, HighBytesArePrintableCharacters) {
    for (int b = 128; b < 256; ++b) {
        const char32_t cp = toUnicode(static_cast<unsigned char>(b));
        EXPECT_GE(cp, 0xA0u) << "byte " << b << " maps to a control character";
    }
}

struct Known {
    const char* name;
    unsigned char byte;
    char32_t codePoint;
};

// Bytes the encoders write, checked against Apple's published mapping.
constexpr Known kKnown[] = {
    {"Code 128 start B", 133, U'\u00D6'},
    {"Code 128 start C", 134, U'\u00DC'},
    {"stop", 138, U'\u00E4'},
    {"value 0", 154, U'\u00F6'},
    {"value 95", 159, U'\u00FC'},
    {"FNC1", 189, U'\u03A9'},
    {"Code A", 201, U'\u2026'},
    {"euro", 219, U'\u20AC'},
    {"apple", 240, U'\uF8FF'},
    {"caron", 255, U'\u02C7'},
};

TEST(MacRoman, KnownCharacters) {
    for (const auto& k : kKnown) {
        EXPECT_EQ(toUnicode(k.byte), k.codePoint) << k.name;
    }
}

TEST(MacRoman, Utf8RoundTripOfAllBytes) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    const std::string text = toUtf8(bytes);
    const auto back = fromUtf8(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, bytes);
}

// Text outside Mac OS Roman is valid UTF-8 all the same (the window reads
// such a file and rejects only its lines); malformed text is neither.
TEST(MacRoman, RejectsMalformedOrUnmappableText) {
    struct Row {
        const char* name;
        std::string utf8;
        bool validUtf8;
    };
    const Row rows[] = {
        {"character outside Mac Roman (Cyrillic)", "\xD0\x96", true},
        {"emoji", "\xF0\x9F\x98\x80", true},
        {"truncated sequence", "\xC3", false},
        {"stray continuation byte", "\x80", false},
        {"overlong slash", "\xC0\xAF", false},
        {"UTF-16 surrogate", "\xED\xA0\x80", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
    };
    for (const auto& r : rows) {
        EXPECT_FALSE(fromUtf8(r.utf8).has_value()) << r.name;
        EXPECT_EQ(isValidUtf8(r.utf8), r.validUtf8) << r.name;
    }
}

struct Judged {
    const char* name;
    std::string utf8;
    std::string reason;  // faultReason of the decoding; empty when it succeeds
};

// Every malformed form is invalid UTF-8 at its first byte, whatever
// character its bits would spell.
// clang-format off
const Judged kJudged[] = {
    {"ASCII and Mac OS Roman letters", "Aé\xE2\x80\xA0", ""},
    {"stray continuation byte", "AB\x80", "is not valid UTF-8 (byte 3)"},
    {"byte never used in UTF-8", "\xFF", "is not valid UTF-8 (byte 1)"},
    {"truncated at the end", "A\xC3", "is not valid UTF-8 (byte 2)"},
    {"lead byte then ASCII", "\xE2\x80" "A", "is not valid UTF-8 (byte 1)"},
    {"overlong 2-byte slash", "\xC0\xAF", "is not valid UTF-8 (byte 1)"},
    {"overlong 3-byte slash", "x\xE0\x80\xAF", "is not valid UTF-8 (byte 2)"},
    {"overlong 4-byte", "\xF0\x80\x80\xAF", "is not valid UTF-8 (byte 1)"},
    {"high surrogate", "A\xED\xA0\x80", "is not valid UTF-8 (byte 2)"},
    {"low surrogate", "\xED\xBF\xBF", "is not valid UTF-8 (byte 1)"},
    {"above U+10FFFF", "AB\xF4\x90\x80\x80", "is not valid UTF-8 (byte 3)"},
    {"5-byte lead", "\xF8\x88\x80\x80\x80", "is not valid UTF-8 (byte 1)"},
    {"Cyrillic after two letters", "Aé\xD0\x96", "holds '\xD0\x96' (character 3), which Mac OS Roman cannot encode"},
    {"emoji", "\xF0\x9F\x98\x80", "holds '\xF0\x9F\x98\x80' (character 1), which Mac OS Roman cannot encode"},
    {"last code point", "\xF4\x8F\xBF\xBF", "holds '\xF4\x8F\xBF\xBF' (character 1), which Mac OS Roman cannot encode"},
};
// clang-format on

TEST(MacRoman, DecodingNamesTheFirstFault) {
    for (const auto& j : kJudged) {
        std::string out(j.utf8.size(), '\0');
        const Decoded decoded = fromUtf8(j.utf8, out.data());
        EXPECT_EQ(faultReason(decoded), j.reason) << j.name;
        EXPECT_EQ(fromUtf8(j.utf8).has_value(), j.reason.empty()) << j.name;
    }
}

TEST(MacRoman, AsciiPassesUnchanged) {
    EXPECT_EQ(toUtf8("4<ALGDTM=dddjdb>"), "4<ALGDTM=dddjdb>");
    EXPECT_EQ(fromUtf8("~009AB").value_or("?"), "~009AB");
}

}  // namespace
