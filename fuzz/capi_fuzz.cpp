// libFuzzer target: bcfont_encode with buffers of random sizes, each
// allocated to its exact size so that AddressSanitizer sees any write past
// it, against the same request with room to spare.
//
// Input: a type byte (a name of the table, in random case, or a name no
// symbology has), a flags byte (check, add-on, a null out), the out size
// (two bytes, 0-1023), the reason size (0-255), then the data, and after
// its first NUL byte the add-on.
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

namespace {

[[noreturn]] void violated(const char* what) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
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
    const std::string type = typeName(bytes[0]);
    const bool check = bytes[1] & 1, withAddon = bytes[1] & 2, nullOut = bytes[1] & 4;
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

    char roomyOut[4096];
    char fullReason[1024];
    const long full = bcfont_encode(type.c_str(), data.c_str(), addonArg, check, roomyOut, sizeof roomyOut,
                                    fullReason, sizeof fullReason);
    if (full == BCFONT_TOO_SMALL) violated("a font string needs more than 4 KiB");
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
