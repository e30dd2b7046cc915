// The properties the fuzz target holds Calc, Code39, Code128 and the text
// under the bars to. Shared
// with the unit tests, which replay the corpus and the regression inputs.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "encode.h"
#include "encoder.h"
#include "symbology.h"

namespace bcfont::fuzz {

// Input layout: [type] [flags] [len] [marker] [add-on bytes] [data bytes].
// type: byte % (kCodeTypeCount + 2) - 1, so -1 and kCodeTypeCount (not
// CodeTypes) come up as well.
// flags: bit 0 check, bits 1-3 add-on length, bit 4 null add-on.
// len: byte % 61; data positions the input does not supply hold NUL.
inline constexpr std::size_t kHeaderSize = 4;
inline constexpr int kMaxFuzzLength = 60;

// Empty when every property holds, otherwise what went wrong.
inline std::string checkInput(const std::uint8_t* input, std::size_t size) {
    if (size < kHeaderSize) return {};
    const int code = input[0] % (kCodeTypeCount + 2) - 1;
    const bool check = (input[1] & 1) != 0;
    const std::size_t addonLength = std::min<std::size_t>((input[1] >> 1) & 7, size - kHeaderSize);
    const bool nullAddon = (input[1] & 16) != 0;
    const int len = input[2] % (kMaxFuzzLength + 1);
    const unsigned char marker = input[3];
    const std::uint8_t* addonBytes = input + kHeaderSize;
    const std::uint8_t* dataBytes = addonBytes + addonLength;
    const std::size_t dataAvailable = size - kHeaderSize - addonLength;

    std::array<char, kFontStringCapacity> data{};
    std::memcpy(data.data(), dataBytes, std::min<std::size_t>(dataAvailable, kMaxFuzzLength));
    std::array<char, 8> addon{};
    std::memcpy(addon.data(), addonBytes, addonLength);
    std::array<char, kFontStringCapacity> out;
    out.fill(static_cast<char>(marker));
    const std::array<char, kFontStringCapacity> passed = out;

    const int result =
        Calc(code, data.data(), out.data(), nullAddon ? nullptr : addon.data(), len, check ? 1 : 0);
    if (result != 0 && result != -1) return "Calc returned " + std::to_string(result);
    const bool known = isCodeType(code);
    if (result == -1 && out[0] != '\0' && out != passed) return "rejection left a half-written buffer";
    if (result == 0 && !known && out != passed) return "an unknown CodeType wrote to the buffer";
    if (result == 0 && known) {
        const auto nul = std::find(out.begin(), out.end(), '\0');
        if (nul == out.end()) return "font string without terminator";
        if (std::any_of(out.begin(), nul, [](char c) { return static_cast<unsigned char>(c) < 32; })) {
            return "font string holds a byte below 32";
        }
        if (code == IMB && (nul - out.begin() != 65 || std::any_of(out.begin(), nul, [](char c) {
                                return std::string_view("ADFT").find(c) == std::string_view::npos;
                            }))) {
            return "Intelligent Mail wrote other than 65 bar letters";
        }
    }

    const auto type = static_cast<CodeType>(code);
    // Calc reads its data up to the first NUL and the rest as NUL; encode()
    // takes every byte as data: the same request is the data so padded.
    std::string calcData(data.data(), static_cast<std::size_t>(len));
    const auto firstNul = calcData.find('\0');
    if (firstNul != std::string::npos) std::fill(calcData.begin() + static_cast<std::ptrdiff_t>(firstNul), calcData.end(), '\0');
    const std::string_view dataView = calcData;
    const std::string_view addonView = nullAddon ? std::string_view() : std::string_view(addon.data());
    const std::string reason = rejectionReason(type, dataView, addonView, check);
    if (reason.empty() != (result == 0)) {
        return "rejectionReason disagrees with Calc (" + std::to_string(result) + "): '" + reason + "'";
    }
    const auto encoded = encode(type, dataView, addonView, check);
    if (encoded.has_value() != (result == 0)) return "encode disagrees with Calc";
    if (encoded && known && *encoded != std::string_view(out.data())) return "encode wrote another string";
    // The text under the bars: for what Calc accepts, printable, and no
    // longer than the data, a check digit, a space and the EAN-13 add-on.
    const auto text = humanReadable(type, dataView, addonView, check);
    if (text.has_value() != (result == 0)) return "humanReadable disagrees with Calc";
    if (text && text->size() > static_cast<std::size_t>(len) + 2 + addonView.size())
        return "the text under the bars is longer than the data";
    if (text && std::any_of(text->begin(), text->end(), [](char c) { return (c >= 0 && c < 32) || c == 127; }))
        return "the text under the bars holds a control character";

    // Code39 and Code128 called directly on all of the input, however long.
    const auto* raw = reinterpret_cast<const unsigned char*>(dataBytes);
    const auto rawLength = static_cast<std::int32_t>(dataAvailable);
    for (int variant = 0; variant < 3; ++variant) {
        std::array<unsigned char, kFontStringCapacity> direct;
        direct.fill(marker);
        const auto directPassed = direct;
        const BOOL ok = variant == 0
                            ? Code39(raw, direct.data(), rawLength, check ? 1 : 0)
                            : Code128(raw, direct.data(), rawLength, check ? 1 : 0, variant == 2 ? 1 : 0);
        if (ok != 0 && ok != 1) return "Code39/Code128 returned " + std::to_string(ok);
        if (ok == 0 && direct != directPassed) return "Code39/Code128 wrote before rejecting";
        if (ok == 1 && std::find(direct.begin(), direct.end(), 0) == direct.end()) {
            return "Code39/Code128 left no terminator";
        }
    }
    return {};
}

}  // namespace bcfont::fuzz
