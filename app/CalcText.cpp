#include "CalcText.h"

#include <array>
#include <cstring>

#include "macroman.h"

namespace bcfont::app {
namespace {

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// Bytes in the UTF-8 sequence that starts with `lead` (1 for a stray byte,
// so a malformed text still advances).
std::size_t sequenceLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

std::optional<std::string> calcBytes(std::string_view utf8) {
    auto bytes = macroman::fromUtf8(utf8);
    if (!bytes || bytes->size() > kMaxTextBytes) return std::nullopt;
    return bytes;
}

BatchResult convertBatch(std::string_view inputUtf8, CodeType type, bool check) {
    BatchResult result;
    std::string outBytes;
    outBytes.reserve(inputUtf8.size() * 2);
    std::size_t start = 0;
    while (start <= inputUtf8.size()) {
        std::size_t end = start;
        while (end < inputUtf8.size() && !isLineEnd(inputUtf8[end])) ++end;
        const std::string_view line = inputUtf8.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;

        std::array<char, kFontStringCapacity> pNutz{};
        std::array<char, kFontStringCapacity> pGesamt{};
        const auto bytes = calcBytes(line);
        if (!bytes) {
            ++result.rejected;
            continue;
        }
        std::memcpy(pNutz.data(), bytes->data(), bytes->size());
        // The line travels as a C string: an embedded NUL ends it.
        const auto len = static_cast<std::int32_t>(std::strlen(pNutz.data()));
        if (len == 0) continue;
        if (Calc(type, pNutz.data(), pGesamt.data(), "", len, check ? 1 : 0) < 0) {
            ++result.rejected;
            continue;
        }
        outBytes.append(pGesamt.data());
        outBytes.push_back('\n');
        ++result.converted;
    }
    result.output = macroman::toUtf8(outBytes);
    return result;
}

std::optional<TextPosition> firstUnencodable(std::string_view utf8) {
    TextPosition at{1, 1};
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t n =
            std::min(sequenceLength(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
        if (!macroman::fromUtf8(utf8.substr(pos, n))) {
            at.offset = pos;
            at.length = n;
            return at;
        }
        if (utf8[pos] == '\n') {
            ++at.line;
            at.column = 1;
        } else {
            ++at.column;
        }
        pos += n;
    }
    return std::nullopt;
}

}  // namespace bcfont::app
