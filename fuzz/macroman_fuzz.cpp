// libFuzzer target over the Mac OS Roman <-> UTF-8 conversion. The input is
// read twice: as bytes, whose UTF-8 form must convert back to the same
// bytes; and as UTF-8 text, which fromUtf8 must judge as a strict validator
// written here from the well-formed byte sequences of the Unicode standard
// (table 3-7) does: no invalid UTF-8 accepted, and the first fault at the
// byte and character where it lies.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "macroman.h"

namespace {

using bcfont::macroman::Decoded;

[[noreturn]] void violated(const char* what) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

struct Step {
    std::size_t length = 0;  // 0: ill-formed at this byte
    char32_t codePoint = 0;
};

// One well-formed sequence at `s[i]`, by the byte ranges of each position.
Step wellFormed(std::string_view s, std::size_t i) {
    struct Row {
        unsigned char leadLow, leadHigh, secondLow, secondHigh;
        std::size_t length;
    };
    // clang-format off
    static constexpr Row kRows[] = {
        {0x00, 0x7F, 0x00, 0x00, 1},
        {0xC2, 0xDF, 0x80, 0xBF, 2},
        {0xE0, 0xE0, 0xA0, 0xBF, 3},
        {0xE1, 0xEC, 0x80, 0xBF, 3},
        {0xED, 0xED, 0x80, 0x9F, 3},
        {0xEE, 0xEF, 0x80, 0xBF, 3},
        {0xF0, 0xF0, 0x90, 0xBF, 4},
        {0xF1, 0xF3, 0x80, 0xBF, 4},
        {0xF4, 0xF4, 0x80, 0x8F, 4},
    };
    // clang-format on
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    for (const Row& row : kRows) {
        if (byte(0) < row.leadLow || byte(0) > row.leadHigh) continue;
        if (row.length == 1) return {1, byte(0)};
        if (s.size() - i < row.length) return {};
        if (byte(1) < row.secondLow || byte(1) > row.secondHigh) return {};
        for (std::size_t k = 2; k < row.length; ++k)
            if (byte(k) < 0x80 || byte(k) > 0xBF) return {};
        char32_t cp = byte(0) & (0x7F >> row.length);
        for (std::size_t k = 1; k < row.length; ++k) cp = (cp << 6) | (byte(k) & 0x3F);
        return {row.length, cp};
    }
    return {};
}

void checkRoundTrip(std::string_view bytes) {
    const std::string utf8 = bcfont::macroman::toUtf8(bytes);
    std::string back(utf8.size(), '\0');
    const Decoded d = bcfont::macroman::fromUtf8(utf8, back.data());
    if (d.fault != Decoded::Fault::None || back.substr(0, d.size) != bytes)
        violated("bytes -> UTF-8 -> bytes is not the identity");
}

void checkJudgement(std::string_view text) {
    std::string out(text.size(), '\0');
    const Decoded d = bcfont::macroman::fromUtf8(text, out.data());
    std::string expected;
    std::size_t character = 0;
    for (std::size_t i = 0; i < text.size();) {
        ++character;
        const Step step = wellFormed(text, i);
        if (step.length == 0) {
            if (d.fault != Decoded::Fault::InvalidUtf8 || d.byte != i + 1 || d.character != character)
                violated("invalid UTF-8 not reported where it lies");
            return;
        }
        const auto byte = bcfont::macroman::fromUnicode(step.codePoint);
        if (!byte) {
            if (d.fault != Decoded::Fault::NotInMacRoman || d.byte != i + 1 || d.character != character ||
                d.sequence != text.substr(i, step.length))
                violated("character outside Mac OS Roman not reported where it lies");
            return;
        }
        expected += static_cast<char>(*byte);
        i += step.length;
    }
    if (d.fault != Decoded::Fault::None) violated("valid text rejected");
    if (std::string_view(out.data(), d.size) != expected) violated("valid text decoded wrongly");
    if (bcfont::macroman::fromUtf8(text) != expected) violated("the two forms of fromUtf8 disagree");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkRoundTrip(input);
    checkJudgement(input);
    return 0;
}
