// The C++ entry to the encoders: encode() runs Calc as the window does, and
// rejectionReason() explains in words what Calc would refuse.
#include "encode.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <string>

#include "encoder_internal.h"

namespace bcfont {
namespace {

// Calc limits the font string to what a caller's buffer holds with its terminator.
constexpr int kMaxFontString = static_cast<int>(kFontStringCapacity) - 1;

std::string describeByte(unsigned char c) {
    if (c == 0) return "NUL";
    if (c == ' ') return "a space";
    if (c > 32 && c < 127) return std::string("'") + static_cast<char>(c) + "'";
    return "byte " + std::to_string(c);
}

std::string atPosition(std::size_t index) {
    return " at position " + std::to_string(index + 1);
}

std::string symbologyName(CodeType type) {
    switch (type) {
        case EAN8:
            return "EAN-8";
        case EAN13:
            return "EAN-13";
        case UPCA:
            return "UPC-A";
        case UPCE:
            return "UPC-E";
        case C39:
            return "Code 39";
        case C128:
            return "Code 128";
        case C128EAN:
            return "Code 128 EAN/UCC";
        case TOFIL:
            return "2 of 5 Interleaved";
        case TOFIND:
            return "2 of 5 Industrial";
        case CODABAR:
            return "Codabar";
        case POSTNET:
            return "Postnet";
    }
    return "this symbology";
}

std::string firstNonDigit(CodeType type, std::string_view data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c < '0' || c > '9')
            return symbologyName(type) + " takes digits only: " + describeByte(c) + atPosition(i);
    }
    return {};
}

std::string wrongDigitCount(CodeType type, std::string_view allowed, std::size_t got) {
    return symbologyName(type) + " needs " + std::string(allowed) + " digits, got " + std::to_string(got);
}

std::string checkAddon(std::string_view addon) {
    if (addon.size() != 2 && addon.size() != 5) return {};
    for (std::size_t i = 0; i < addon.size(); ++i) {
        const auto c = static_cast<unsigned char>(addon[i]);
        if (c < '0' || c > '9') return "the add-on must be digits: " + describeByte(c) + atPosition(i);
    }
    return {};
}

// Code 39 and Code 128 take 7-bit bytes, and escapes that stand for them.
std::string checkAsciiWithEscapes(CodeType type, std::string_view data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c >= 128)
            return symbologyName(type) + " takes 7-bit ASCII only: " + describeByte(c) + atPosition(i);
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    const int size = static_cast<int>(data.size());
    const bool fnc1Escape = type == C128 || type == C128EAN;
    for (int i = 0; i < size;) {
        const internal::DataWord word = internal::readDataWord(bytes + i, size - i);
        if (word.escaped() && !(fnc1Escape && word.value == 999) && word.value % 256 >= 128) {
            std::string reason = symbologyName(type) + " escape ~" + std::string(data.substr(i + 1, 3)) +
                                 atPosition(static_cast<std::size_t>(i)) + " is not an ASCII character";
            if (word.value >= 256) reason += " (it stands for byte " + std::to_string(word.value % 256) + ")";
            return reason;
        }
        i += word.consumed;
    }
    return {};
}

std::string reasonForData(CodeType type, std::string_view data, std::string_view addon, bool check) {
    const std::size_t len = data.size();
    switch (type) {
        case EAN8:
            if (len != 7 && len != 8) return wrongDigitCount(type, "7 or 8", len);
            return firstNonDigit(type, data);
        case EAN13: {
            if (len != 12 && len != 13) return wrongDigitCount(type, "12 or 13", len);
            std::string reason = firstNonDigit(type, data);
            if (!reason.empty()) return reason;
            return checkAddon(addon);
        }
        case UPCA:
            if (len != 11 && len != 12) return wrongDigitCount(type, "11 or 12", len);
            return firstNonDigit(type, data);
        case UPCE:
            if (len != 7 && len != 8) return wrongDigitCount(type, "7 or 8", len);
            if (data[0] != '0' && data[0] != '1') {
                return "UPC-E must start with 0 or 1 (number system), got " +
                       describeByte(static_cast<unsigned char>(data[0]));
            }
            return firstNonDigit(type, data);
        case POSTNET:
            if (len != 5 && len != 9 && len != 11) return wrongDigitCount(type, "5, 9 or 11", len);
            return firstNonDigit(type, data);
        case TOFIL:
            if (check && len % 2 == 0 && len > kMaxInterleavedEvenWithCheck) {
                return "2 of 5 Interleaved with a check digit takes at most " +
                       std::to_string(kMaxInterleavedEvenWithCheck) +
                       " digits when their number is even, got " + std::to_string(len);
            }
            return firstNonDigit(type, data);
        case TOFIND:
        case CODABAR:
            return firstNonDigit(type, data);
        case C39:
            return checkAsciiWithEscapes(type, data);
        case C128:
        case C128EAN: {
            std::string reason = checkAsciiWithEscapes(type, data);
            if (!reason.empty()) return reason;
            const int fontLength =
                internal::code128FontLength(reinterpret_cast<const unsigned char*>(data.data()),
                                            static_cast<int>(len), check, type == C128EAN);
            if (fontLength > kMaxFontString) {
                return "the font string would not fit " + std::to_string(kMaxFontString) +
                       " bytes (it needs " + std::to_string(fontLength) +
                       "); shorten the data or avoid mixing code sets";
            }
            return {};
        }
    }
    return {};
}

}  // namespace

std::string rejectionReason(CodeType type, std::string_view data, std::string_view addon, bool check) {
    if (type < 0 || type >= kCodeTypeCount) return {};
    if (data.size() > static_cast<std::size_t>(kMaxDataLength)) {
        return "data is longer than " + std::to_string(kMaxDataLength) + " characters (got " +
               std::to_string(data.size()) + ")";
    }
    // Calc reads the data up to its first NUL and the add-on as a C string.
    std::array<char, kMaxDataLength> copy{};
    const std::size_t nul = std::min(data.find('\0'), data.size());
    std::copy_n(data.begin(), nul, copy.begin());
    const std::string_view effectiveData(copy.data(), data.size());
    const std::string_view effectiveAddon =
        addon.substr(0, std::min(addon.find('\0'), kFontStringCapacity - 1));
    return reasonForData(type, effectiveData, effectiveAddon, check);
}

std::optional<std::string> encode(CodeType type, std::string_view data, std::string_view addon, bool check,
                                  std::string* whyRejected) {
    std::array<char, kFontStringCapacity> nutz{};
    std::array<char, kFontStringCapacity> gesamt{};
    std::array<char, kFontStringCapacity> addonText{};
    // Calc refuses more than kMaxDataLength characters before it reads any,
    // so a longer request needs no more room than the buffer has.
    std::copy_n(data.begin(), std::min(data.size(), nutz.size() - 1), nutz.begin());
    std::copy_n(addon.begin(), std::min(addon.size(), addonText.size() - 1), addonText.begin());
    const auto len = static_cast<std::int32_t>(std::min<std::size_t>(data.size(), INT32_MAX));

    if (Calc(type, nutz.data(), gesamt.data(), addonText.data(), len, check ? 1 : 0) != 0) {
        if (whyRejected != nullptr) *whyRejected = rejectionReason(type, data, addon, check);
        return std::nullopt;
    }
    return std::string(gesamt.data());
}

}  // namespace bcfont
