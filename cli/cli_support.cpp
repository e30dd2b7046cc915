#include "cli_support.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <sstream>
#include <string_view>

#include "encode.h"
#include "gs1/gs1.h"
#include "macroman.h"
#include "symbology.h"

namespace bcfont::cli {
namespace {

std::string toMacRoman(const std::string& utf8, const char* what) {
    std::string bytes(utf8.size(), '\0');
    const macroman::Decoded decoded = macroman::fromUtf8(utf8, bytes.data());
    if (decoded.fault != macroman::Decoded::Fault::None)
        fail(kExitRejected, std::string(what) + " " + macroman::faultReason(decoded));
    bytes.resize(decoded.size);
    return bytes;
}

// The main EAN-13 symbol is 16 characters; anything beyond is the add-on.
constexpr std::size_t kEan13MainSymbolLength = 16;

}  // namespace

void fail(int status, const std::string& message) {
    throw CommandFailure(message, status);
}

CLI::Validator numberBetween(double min, double max) {
    std::ostringstream range;
    range << "a number from " << min << " to " << max;
    // Help shows the range as CLI11's own range check does, which the man
    // page generator reads.
    std::ostringstream shown;
    shown << "NUMBER in [" << min << " - " << max << "]";
    return CLI::Validator(
        [min, max, range = range.str()](std::string& value) -> std::string {
            double number = 0;
            const bool parsed = CLI::detail::lexical_cast(value, number);
            // Written as "within" so that NaN, which compares false, falls outside.
            if (parsed && number >= min && number <= max) return {};
            return "must be " + range + ", not '" + value + "'";
        },
        shown.str(), "number between");
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

    if (!addon.empty() && !symbology(type).offers.addonGroup)
        warn("only EAN-13 takes an add-on; --addon was ignored");
    if (!addon.empty() && type == EAN13 && fontString->size() <= kEan13MainSymbolLength)
        warn("no add-on was added: it must be 2 or 5 digits");
    warnIfCode128WithoutCheck(type, noCheck);
    if (type == C128EAN && gs1::looksLikeBracketedGs1(data)) warn(std::string(gs1::kGs1128Hint));
    return *fontString;
}

}  // namespace bcfont::cli
