#include "macroman.h"

#include <array>
#include <cstdint>

#include "catalogue.h"

namespace bcfont::macroman {
namespace {

// Unicode code points of the bytes 128-255, from Apple's MAC OS ROMAN
// mapping table (ROMAN.TXT, with 0xDB as the euro sign). Bytes 0-127 are
// ASCII.
// clang-format off
constexpr std::array<char16_t, 128> kHighHalf = {
    // 0x80
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1,
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8,
    // 0x90
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC,
    // 0xA0
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF,
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    // 0xB0
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211,
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8,
    // 0xC0
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153,
    // 0xD0
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA,
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,
    // 0xE0
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4,
    // 0xF0
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};
// clang-format on

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Every character of the table lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`, advancing it; nothing when malformed
// (overlong forms, surrogates and truncated sequences included).
std::optional<char32_t> nextCodePoint(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (s.size() - pos <= static_cast<std::size_t>(extra)) return std::nullopt;
    for (int i = 1; i <= extra; ++i) {
        const auto cont = static_cast<unsigned char>(s[pos + i]);
        if ((cont & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (cont & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    pos += extra + 1;
    return cp;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (!nextCodePoint(bytes, pos)) return false;
    }
    return true;
}

char32_t toUnicode(unsigned char byte) {
    return byte < 0x80 ? byte : kHighHalf[byte - 0x80];
}

std::optional<unsigned char> fromUnicode(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
    std::string out(utf8.size(), '\0');
    const Decoded decoded = fromUtf8(utf8, out.data());
    if (decoded.fault != Decoded::Fault::None) return std::nullopt;
    out.resize(decoded.size);
    return out;
}

Decoded fromUtf8(std::string_view utf8, char* out) {
    Decoded d;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        ++d.character;
        // ASCII needs no table look-up: the common case stays fast.
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            out[d.size++] = utf8[pos++];
            continue;
        }
        const auto cp = nextCodePoint(utf8, pos);
        if (!cp) {
            d.fault = Decoded::Fault::InvalidUtf8;
            d.byte = start + 1;
            return d;
        }
        const auto byte = fromUnicode(*cp);
        if (!byte) {
            d.fault = Decoded::Fault::NotInMacRoman;
            d.byte = start + 1;
            d.sequence = utf8.substr(start, pos - start);
            return d;
        }
        out[d.size++] = static_cast<char>(*byte);
    }
    d.character = 0;
    return d;
}

std::string faultReason(const Decoded& decoded, Language language) {
    switch (decoded.fault) {
        case Decoded::Fault::None:
            break;
        case Decoded::Fault::InvalidUtf8:
            return say(language, text::kNotUtf8, {std::to_string(decoded.byte)});
        case Decoded::Fault::NotInMacRoman:
            return say(language, text::kNotMacRoman, {decoded.sequence, std::to_string(decoded.character)});
    }
    return {};
}

}  // namespace bcfont::macroman
