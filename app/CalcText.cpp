#include "CalcText.h"

#include <algorithm>
#include <utility>

#include "batch.h"
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

BatchResult convertBatch(std::string_view inputUtf8, CodeType type, bool check) {
    BatchOptions options;
    options.type = type;
    options.check = check;
    options.utf8 = true;
    bcfont::BatchResult all = convertAll(inputUtf8, options);
    return {std::move(all.output), static_cast<int>(all.report.converted),
            static_cast<int>(all.report.rejected)};
}

bool isValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t n = lead < 0x80 ? 1 : sequenceLength(lead);
        if (n == 1 && lead >= 0x80) return false;
        if (i + n > bytes.size()) return false;
        char32_t code = n == 1 ? lead : n == 2 ? lead & 0x1F : n == 3 ? lead & 0x0F : lead & 0x07;
        for (std::size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            code = (code << 6) | (c & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += n;
    }
    return true;
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
