#include "cli_support.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <string_view>

#include "encode.h"
#include "macroman.h"
#include "symbology.h"

namespace bcfont::cli {
namespace {

// Why UTF-8 text has no Mac OS Roman form: the first character at fault.
std::string whyNotMacRoman(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        const std::size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string_view piece = utf8.substr(pos, size);
        if (!macroman::fromUtf8(piece)) {
            if (lead < 0xC2 || lead > 0xF4 || piece.size() < size ||
                std::any_of(piece.begin() + 1, piece.end(),
                            [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; })) {
                return "is not valid UTF-8 (byte " + std::to_string(pos + 1) + ")";
            }
            return "holds '" + std::string(piece) + "', which Mac OS Roman cannot encode";
        }
        pos += size;
    }
    return "cannot be encoded in Mac OS Roman";
}

std::string toMacRoman(const std::string& utf8, const char* what) {
    auto bytes = macroman::fromUtf8(utf8);
    if (!bytes) fail(kExitRejected, std::string(what) + " " + whyNotMacRoman(utf8));
    return *bytes;
}

// The main EAN-13 symbol is 16 characters; anything beyond is the add-on.
constexpr std::size_t kEan13MainSymbolLength = 16;

}  // namespace

void fail(int status, const std::string& message) {
    std::fprintf(stderr, "bcfont: %s\n", message.c_str());
    throw CLI::RuntimeError(status);
}

void warn(const std::string& message) {
    std::fprintf(stderr, "bcfont: warning: %s\n", message.c_str());
}

void warnIfCode128WithoutCheck(CodeType type, bool noCheck) {
    if (noCheck && scannersNeedCheck(type)) {
        warn(
            "scanners will not read a Code 128 symbol without its check character, which the standard "
            "makes mandatory");
    }
}

std::string encodeArguments(CodeType type, const std::string& dataUtf8, const std::string& addonUtf8,
                            bool noCheck) {
    const std::string data = toMacRoman(dataUtf8, "the data");
    const std::string addon = toMacRoman(addonUtf8, "the add-on");
    if (data.empty()) fail(kExitRejected, "no data to encode");
    std::string why;
    const auto fontString = encode(type, data, addon, !noCheck, &why);
    if (!fontString) fail(kExitRejected, why.empty() ? "the data was rejected" : why);

    if (!addon.empty() && !symbology(type).offers.addonGroup) warn("only EAN-13 takes an add-on; --addon was ignored");
    if (!addon.empty() && type == EAN13 && fontString->size() <= kEan13MainSymbolLength)
        warn("no add-on was added: it must be 2 or 5 digits");
    warnIfCode128WithoutCheck(type, noCheck);
    return *fontString;
}

}  // namespace bcfont::cli
