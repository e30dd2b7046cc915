#include "encode_text.h"

#include <algorithm>

#include "catalogue.h"
#include "encode.h"
#include "macroman.h"

namespace bcfont {
namespace {

// The text as Mac OS Roman bytes, or nothing with the reason, which names
// `what` ("the data is not valid UTF-8 (byte 3)").
std::optional<std::string> toMacRoman(std::string_view utf8, const Wording& what, std::string* why, Language language) {
    std::string bytes(utf8.size(), '\0');
    const macroman::Decoded decoded = macroman::fromUtf8(utf8, bytes.data());
    if (decoded.fault != macroman::Decoded::Fault::None) {
        if (why != nullptr)
            *why = say(language, text::kFieldFault, {what.in(language), macroman::faultReason(decoded, language)});
        return std::nullopt;
    }
    bytes.resize(decoded.size);
    return bytes;
}

// ASCII reads the same in UTF-8 and Mac OS Roman.
bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::optional<std::string> encodeText(CodeType type, std::string_view dataUtf8, std::string_view addonUtf8,
                                      bool check, std::string* whyRejected, Language language) {
    if (!dataUtf8.empty() && isAscii(dataUtf8) && isAscii(addonUtf8))
        return encode(type, dataUtf8, addonUtf8, check, whyRejected, language);
    const auto data = toMacRoman(dataUtf8, text::kTheData, whyRejected, language);
    if (!data) return std::nullopt;
    const auto addon = toMacRoman(addonUtf8, text::kTheAddon, whyRejected, language);
    if (!addon) return std::nullopt;
    if (data->empty()) {
        if (whyRejected != nullptr) *whyRejected = say(language, text::kNoData);
        return std::nullopt;
    }
    auto fontString = encode(type, *data, *addon, check, whyRejected, language);
    if (!fontString && whyRejected != nullptr && whyRejected->empty()) *whyRejected = say(language, text::kDataRejected);
    return fontString;
}

}  // namespace bcfont
