// The C API: the front door every front end calls (encodeRequest) behind plain C
// buffers, so that new symbologies arrive through the table alone.
// The library is built with hidden visibility; only the API's declarations
// are visible, and the version script then exports exactly those.
#pragma GCC visibility push(default)
#include "bcfont/bcfont.h"
#pragma GCC visibility pop

#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "matrix.h"
#include "macroman.h"
#include "symbology.h"

namespace {

// Copies as much of `text` as fits with its terminator, cut before a UTF-8
// continuation byte so that the caller never gets half a character.
void writeReason(std::string_view text, char* reason, std::size_t size) {
    if (reason == nullptr || size == 0) return;
    std::size_t n = text.size() < size ? text.size() : size - 1;
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memcpy(reason, text.data(), n);
    reason[n] = '\0';
}

}  // namespace

extern "C" long bcfont_encode(const char* type, const char* data, const char* addon, int check, char* out,
                              size_t out_size, char* reason, size_t reason_size) {
    try {
        const bcfont::ParsedSpec spec = bcfont::parseTypeSpec(type == nullptr ? "" : type);
        if (type == nullptr || !spec.ok()) {
            writeReason(bcfont::specFaultSentence(spec.fault), reason, reason_size);
            return BCFONT_BAD_TYPE;
        }
        const bcfont::Encoded encoded = bcfont::encodeRequest(spec.spec, data == nullptr ? "" : data,
                                                              addon == nullptr ? "" : addon, check != 0);
        if (!encoded.ok()) {
            writeReason(encoded.text, reason, reason_size);
            return BCFONT_REJECTED;
        }
        const std::string text = bcfont::macroman::toUtf8(encoded.text);
        writeReason("", reason, reason_size);
        if (out == nullptr || text.size() >= out_size) return BCFONT_TOO_SMALL;
        std::memcpy(out, text.c_str(), text.size() + 1);
        return static_cast<long>(text.size());
    } catch (const std::bad_alloc&) {
        writeReason("out of memory", reason, reason_size);
        return BCFONT_REJECTED;
    }
}

// The table's face names are string literals, so their terminator follows them.
extern "C" const char* bcfont_face(const char* type, int half_height, int high_density) {
    if (type == nullptr) return nullptr;
    const bcfont::ParsedSpec spec = bcfont::parseTypeSpec(type);
    if (!spec.ok()) return nullptr;
    return bcfont::fontFor(spec.spec.type, half_height != 0, high_density != 0).family.data();
}

extern "C" const char* bcfont_version(void) {
    return BCFONT_VERSION;
}
