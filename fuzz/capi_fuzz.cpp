// libFuzzer target: bcfont_encode with buffers of random sizes, each
// allocated to its exact size so that AddressSanitizer sees any write past
// it, against the same request with room to spare.
//
// Input: a type byte (a name of the table, in random case, or a name no
// symbology has), a flags byte (check, add-on, a null out, options; its high
// nibble picks the options written after the name), the out size (two
// bytes, 0-1023), the reason size (0-255), then the data, and after its
// first NUL byte the add-on.
#include <bcfont/bcfont.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "macroman.h"
#include "symbology.h"
#include "type_choice.h"

namespace {

[[noreturn]] void violated(const char* what) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

// Options after the type, well-formed and not, for every 2D code and none.
constexpr const char* kOptions[16] = {
    "ecc=L", "ecc=H,version=1", "version=40", "ecc=X", "shape=rect", "size=10x10", "size=8x18,shape=square",
    "size=144x144", "columns=1,ecc=8", "columns=30", "ecc=0", "ecc=4,ecc=4", "", "version=", "shape=square,size=12x12",
    "columns=2,ecc=1",
};

// A 2D font string: lines of one length, joined by LF, of letters A to P.
bool isMatrixFontString(std::string_view text) {
    const std::size_t width = text.find('\n');
    const std::size_t pitch = width == std::string_view::npos ? text.size() + 1 : width + 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i % pitch == pitch - 1 ? c != '\n' : c < 'A' || c > 'P') return false;
    }
    return !text.empty() && (text.size() + 1) % pitch == 0;
}

std::string typeName(std::uint8_t pick) {
    const auto table = bcfont::symbologies();
    if (pick % (table.size() + 1) == table.size()) return "no such type";
    std::string name(table[pick % (table.size() + 1)].name);
    if (pick & 0x80) std::transform(name.begin(), name.end(), name.begin(),
                                     [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 5) return 0;
    std::string type = typeName(bytes[0]);
    const bool check = bytes[1] & 1, withAddon = bytes[1] & 2, nullOut = bytes[1] & 4;
    if (bytes[1] & 8) type += std::string(":") + kOptions[bytes[1] >> 4];
    const std::size_t outSize = nullOut ? 0 : ((bytes[2] << 8) | bytes[3]) % 1024;
    const std::size_t reasonSize = bytes[4];
    const std::string rest(reinterpret_cast<const char*>(bytes + 5), size - 5);
    const std::string data = rest.substr(0, rest.find('\0'));
    const std::string addon = rest.size() > data.size() ? rest.substr(data.size() + 1) : std::string();
    const char* addonArg = withAddon ? addon.c_str() : nullptr;

    // Exactly sized: a byte written past either is a heap overflow.
    const auto out = std::make_unique<char[]>(outSize);
    const auto reason = std::make_unique<char[]>(reasonSize);
    const long n = bcfont_encode(type.c_str(), data.c_str(), addonArg, check, nullOut ? nullptr : out.get(),
                                 outSize, reason.get(), reasonSize);

    // The largest QR Code takes 185 letters a line, 47 lines.
    static char roomyOut[16 * 1024];
    char fullReason[1024];
    const long full = bcfont_encode(type.c_str(), data.c_str(), addonArg, check, roomyOut, sizeof roomyOut,
                                    fullReason, sizeof fullReason);
    if (full == BCFONT_TOO_SMALL) violated("a font string needs more than 16 KiB");
    const auto spec = bcfont::parseTypeSpec(type);
    if (spec.ok() != (full != BCFONT_BAD_TYPE)) violated("a type spec the parser reads is refused, or the other way");
    if (full >= 0 && bcfont::symbology(spec.spec.type).matrix.isMatrix() && !isMatrixFontString(roomyOut))
        violated("a 2D font string is not lines of letters A to P of one length");
    if (full >= 0 && static_cast<std::size_t>(full) != std::strlen(roomyOut)) violated("length is not strlen");
    if (full >= 0 && !bcfont::macroman::isValidUtf8(roomyOut)) violated("font string is not UTF-8");

    const long expected =
        full >= 0 && (nullOut || static_cast<std::size_t>(full) >= outSize) ? BCFONT_TOO_SMALL : full;
    if (n != expected) violated("result depends on the buffer sizes other than by BCFONT_TOO_SMALL");
    if (n >= 0 && std::memcmp(out.get(), roomyOut, static_cast<std::size_t>(n) + 1) != 0)
        violated("font string differs from the one with room to spare");
    if (reasonSize > 0) {
        const std::string_view cut(reason.get(), strnlen(reason.get(), reasonSize));
        if (cut.size() == reasonSize) violated("reason without its terminator");
        if (!std::string_view(fullReason).starts_with(cut)) violated("reason is not the start of the full one");
        if (!bcfont::macroman::isValidUtf8(cut)) violated("reason cut inside a character");
        if ((n == BCFONT_REJECTED || n == BCFONT_BAD_TYPE) && cut.empty() && reasonSize > 1)
            violated("rejected without a reason");
    }
    return 0;
}
