#include "CalcText.h"

#include <algorithm>

#include "macroman.h"

namespace bcfont::app {
namespace {

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
