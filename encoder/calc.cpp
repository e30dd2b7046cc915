// Calc: the encoding entry point, and the encoders it runs itself: EAN-8,
// EAN-13 with add-ons, UPC-A, UPC-E, 2 of 5 Interleaved and Industrial,
// Codabar and Postnet.
#include <array>
#include <cstring>
#include <string_view>

#include "encoder.h"
#include "encoder_internal.h"

namespace {

// EAN-13: number sets of digits 2 to 7, chosen by the first digit
// (the EAN-13 standard's number set table).
constexpr std::array<std::string_view, 10> kEan13Sets = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB", "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

// UPC-E: number sets of the six data digits, chosen by the check digit, for
// number systems 0 and 1 (the UPC-E standard's parity table).
constexpr std::array<std::string_view, 10> kUpcESetsNs0 = {
    "BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA", "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB",
};
constexpr std::array<std::string_view, 10> kUpcESetsNs1 = {
    "AAABBB", "AABABB", "AABBAB", "AABBBA", "ABAABB", "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

// EAN 2-digit add-on: number sets by the add-on's value modulo 4.
constexpr std::array<std::string_view, 4> kAddon2Sets = {"AA", "AB", "BA", "BB"};

// EAN 5-digit add-on: number sets by its check value.
constexpr std::array<std::string_view, 10> kAddon5Sets = {
    "BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA", "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB",
};

// 2 of 5 Interleaved: font bytes of the digit pairs 94 to 99; pairs 0 to 93
// are the pair value + 33.
constexpr std::array<unsigned char, 6> kInterleavedPairs94To99 = {159, 167, 185, 226, 196, 227};

constexpr unsigned char kInterleavedStart = 128;
constexpr unsigned char kInterleavedStop = 138;

// The working copy of the data and the digit strings fit here: at most 48
// data characters, or 48 digits for 2 of 5 Interleaved, plus the terminator.
constexpr int kWorkSize = 50;
static_assert(kMaxDataLength + 1 < kWorkSize);

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr int digitValue(char c) {
    return c - '0';
}
constexpr char digitChar(int value) {
    return static_cast<char>('0' + value);
}

bool allDigits(const char* p, int count) {
    for (int i = 0; i < count; ++i) {
        if (!isDigit(p[i])) return false;
    }
    return true;
}

int rejectWithEmptyOutput(char* out) {
    out[0] = '\0';
    return -1;
}

// EAN/UPC number set characters of a digit character.
constexpr char setA(char digit) {
    return static_cast<char>(digit + 17);
}
constexpr char setB(char digit) {
    return static_cast<char>(digit + 28);
}
constexpr char setC(char digit) {
    return static_cast<char>(digit + 49);
}

int encodeEan8(const char* nutz, int len, char* out) {
    if (len != 7 && len != 8) return rejectWithEmptyOutput(out);
    if (!allDigits(nutz, len)) return -1;

    std::array<char, 8> digits{};
    std::memcpy(digits.data(), nutz, 7);
    digits[7] = digitChar(bcfont::internal::checkDigitMod10(digits.data(), 7));

    out[0] = '<';
    for (int i = 0; i < 4; ++i) out[1 + i] = setA(digits[i]);
    out[5] = '=';
    for (int i = 0; i < 4; ++i) out[6 + i] = setC(digits[4 + i]);
    out[10] = '>';
    out[11] = '\0';
    return 0;
}

// Writes the add-on, ':' then digits separated by ';', and the terminator.
void writeAddon(const char* addon, int addonLen, char* out) {
    std::string_view sets;
    if (addonLen == 2) {
        const int value = digitValue(addon[0]) * 10 + digitValue(addon[1]);
        sets = kAddon2Sets[value % 4];
    } else {
        const int e1 = 3 * (digitValue(addon[0]) + digitValue(addon[2]) + digitValue(addon[4]));
        const int e2 = 9 * (digitValue(addon[1]) + digitValue(addon[3]));
        sets = kAddon5Sets[(e1 + e2) % 10];
    }
    *out++ = ':';
    for (int i = 0; i < addonLen; ++i) {
        if (i > 0) *out++ = ';';
        *out++ = static_cast<char>(bcfont::internal::GetCode(sets[i] == 'A' ? 0 : 1, digitValue(addon[i])));
    }
    *out = '\0';
}

int encodeEan13(const char* nutz, int len, const char* addon, char* out) {
    if (len != 12 && len != 13) return rejectWithEmptyOutput(out);
    if (!allDigits(nutz, len)) return -1;
    const int addonLen = bcfont::internal::addonLength(addon);
    // An add-on of the right length must be all digits: anything else would
    // draw bars that no scanner reads as the text entered.
    if (addonLen != 0 && !allDigits(addon, addonLen)) return rejectWithEmptyOutput(out);

    std::array<char, 13> digits{};
    std::memcpy(digits.data(), nutz, 12);
    digits[12] = digitChar(bcfont::internal::checkDigitMod10(digits.data(), 12));

    const std::string_view sets = kEan13Sets[digitValue(digits[0])];
    out[0] = digits[0];
    out[1] = '<';
    for (int i = 0; i < 6; ++i) out[2 + i] = sets[i] == 'A' ? setA(digits[1 + i]) : setB(digits[1 + i]);
    out[8] = '=';
    for (int i = 0; i < 6; ++i) out[9 + i] = setC(digits[7 + i]);
    out[15] = '>';
    if (addonLen == 0) {
        out[16] = '\0';
    } else {
        writeAddon(addon, addonLen, out + 16);
    }
    return 0;
}

int encodeUpcA(const char* nutz, int len, char* out) {
    if (len != 11 && len != 12) return rejectWithEmptyOutput(out);
    if (!allDigits(nutz, len)) return -1;

    std::array<char, 12> digits{};
    std::memcpy(digits.data(), nutz, 11);
    digits[11] = digitChar(bcfont::internal::checkDigitMod10(digits.data(), 11));

    out[0] = digits[0];
    out[1] = '<';
    out[2] = static_cast<char>(digits[0] + 28);
    for (int i = 0; i < 5; ++i) out[3 + i] = setA(digits[1 + i]);
    out[8] = '=';
    for (int i = 0; i < 5; ++i) out[9 + i] = setC(digits[6 + i]);
    out[14] = static_cast<char>(digits[11] + 60);
    out[15] = '>';
    out[16] = digits[11];
    out[17] = '\0';
    return 0;
}

int encodeUpcE(const char* nutz, int len, char* out) {
    if (len != 7 && len != 8) return rejectWithEmptyOutput(out);
    if (nutz[0] != '0' && nutz[0] != '1') return rejectWithEmptyOutput(out);
    if (!allDigits(nutz, len)) return -1;

    // The check digit is that of the UPC-A number the UPC-E digits stand for;
    // over the seven digits as entered it differs whenever the last is 0-4.
    const std::array<char, 11> upcA = bcfont::internal::upcAFromUpcE(nutz);
    const int check = bcfont::internal::checkDigitMod10(upcA.data(), 11);

    const std::string_view sets = nutz[0] == '0' ? kUpcESetsNs0[check] : kUpcESetsNs1[check];
    out[0] = nutz[0];
    out[1] = '<';
    for (int i = 0; i < 6; ++i) {
        const char digit = nutz[1 + i];
        out[2 + i] = sets[i] == 'A' ? setA(digit) : static_cast<char>(bcfont::internal::GetUPC(0, digit));
    }
    out[8] = '?';
    out[9] = digitChar(check);
    out[10] = '\0';
    return 0;
}

int encodeInterleaved(const char* nutz, int len, bool withCheck, char* gesamt) {
    // With the check digit an even count gets both a leading '0' and the
    // check digit: two more digits than the data.
    if (withCheck && len % 2 == 0 && len > kMaxInterleavedEvenWithCheck) return rejectWithEmptyOutput(gesamt);
    if (!allDigits(nutz, len)) return -1;

    std::array<char, kWorkSize> temp{};
    int count = 0;
    const bool leadingZero = withCheck ? len % 2 == 0 : len % 2 == 1;
    if (leadingZero) temp[count++] = '0';
    std::memcpy(temp.data() + count, nutz, static_cast<std::size_t>(len));
    count += len;
    if (withCheck) {
        temp[count] = digitChar(bcfont::internal::checkDigitMod10(temp.data(), count));
        ++count;
    }

    auto* out = reinterpret_cast<unsigned char*>(gesamt);
    *out++ = kInterleavedStart;
    for (int i = 0; i < count; i += 2) {
        const int pair = digitValue(temp[i]) * 10 + digitValue(temp[i + 1]);
        *out++ = pair < 94 ? static_cast<unsigned char>(pair + 33) : kInterleavedPairs94To99[pair - 94];
    }
    *out++ = kInterleavedStop;
    *out = '\0';
    return 0;
}

int encodeIndustrial(const char* nutz, int len, bool withCheck, char* out) {
    if (!allDigits(nutz, len)) return -1;
    *out++ = '<';
    std::memcpy(out, nutz, static_cast<std::size_t>(len));
    out += len;
    if (withCheck) *out++ = digitChar(bcfont::internal::checkDigitMod10(nutz, len));
    *out++ = '>';
    *out = '\0';
    return 0;
}

int encodeCodabar(const char* nutz, int len, char* out) {
    if (!allDigits(nutz, len)) return -1;
    *out++ = 'D';
    std::memcpy(out, nutz, static_cast<std::size_t>(len));
    out += len;
    *out++ = 'D';
    *out = '\0';
    return 0;
}

int encodePostnet(const char* nutz, int len, char* out) {
    if (len != 5 && len != 9 && len != 11) return rejectWithEmptyOutput(out);
    if (!allDigits(nutz, len)) return -1;
    int sum = 0;
    for (int i = 0; i < len; ++i) sum += digitValue(nutz[i]);
    *out++ = '-';
    std::memcpy(out, nutz, static_cast<std::size_t>(len));
    out += len;
    *out++ = digitChar((10 - sum % 10) % 10);
    *out++ = '-';
    *out = '\0';
    return 0;
}

// Code39 and Code128 leave their output untouched on a rejection; Calc adds
// the emptying for a symbol that would not fit, like its own length checks.
int fromEncodeResult(bcfont::internal::EncodeResult result, char* out) {
    using bcfont::internal::EncodeResult;
    if (result == EncodeResult::Written) return 0;
    if (result == EncodeResult::TooLong) return rejectWithEmptyOutput(out);
    return -1;
}

}  // namespace

namespace bcfont::internal {

std::array<char, 11> upcAFromUpcE(const char* d) {
    // d[0] is the number system, d[1]..d[6] the six data digits; the last
    // one says where the zeros of the UPC-A number were suppressed.
    const char ns = d[0], d1 = d[1], d2 = d[2], d3 = d[3], d4 = d[4], d5 = d[5], d6 = d[6];
    switch (d6) {
        case '0':
        case '1':
        case '2':
            return {ns, d1, d2, d6, '0', '0', '0', '0', d3, d4, d5};
        case '3':
            return {ns, d1, d2, d3, '0', '0', '0', '0', '0', d4, d5};
        case '4':
            return {ns, d1, d2, d3, d4, '0', '0', '0', '0', '0', d5};
        default:
            return {ns, d1, d2, d3, d4, d5, '0', '0', '0', '0', d6};
    }
}

std::int32_t GetCode(std::int32_t AB, std::int32_t val) {
    if (AB == 0) return val + 108;
    return val <= 4 ? val + 86 : val + 113;
}

std::int32_t GetUPC(std::int32_t /*AB*/, std::int32_t val) {
    const std::int32_t d = val - 48;
    return d <= 4 ? d + 86 : d + 113;
}

int addonLength(const char* addon) {
    if (addon == nullptr) return 0;
    int n = 0;
    while (n < 6 && addon[n] != '\0') ++n;
    return n == 2 || n == 5 ? n : 0;
}

}  // namespace bcfont::internal

int Calc(std::int32_t code, const char* Nutzziffer, char* Gesamt, const char* Addon, std::int32_t len,
         BOOL bCHECK) {
    if (code < 0 || code >= kCodeTypeCount) return 0;
    if (Gesamt == nullptr) return -1;
    if (len < 0 || len > kMaxDataLength || (Nutzziffer == nullptr && len > 0)) {
        return rejectWithEmptyOutput(Gesamt);
    }

    // The data is read up to its first NUL; the positions behind it read as NUL.
    std::array<char, kWorkSize> Nutz{};
    if (len > 0) {
        const void* nul = std::memchr(Nutzziffer, '\0', static_cast<std::size_t>(len));
        const auto copied = nul != nullptr ? static_cast<const char*>(nul) - Nutzziffer : len;
        std::memcpy(Nutz.data(), Nutzziffer, static_cast<std::size_t>(copied));
    }

    const bool check = bCHECK != 0;
    const auto* in = reinterpret_cast<const unsigned char*>(Nutz.data());
    auto* out = reinterpret_cast<unsigned char*>(Gesamt);
    switch (static_cast<CodeType>(code)) {
        case C39:
            return fromEncodeResult(bcfont::internal::encodeCode39(in, out, len, check), Gesamt);
        case C128EAN:
            return fromEncodeResult(bcfont::internal::encodeCode128(in, out, len, check, true), Gesamt);
        case C128:
            return fromEncodeResult(bcfont::internal::encodeCode128(in, out, len, check, false), Gesamt);
        case TOFIND:
            return encodeIndustrial(Nutz.data(), len, check, Gesamt);
        case TOFIL:
            return encodeInterleaved(Nutz.data(), len, check, Gesamt);
        case EAN8:
            return encodeEan8(Nutz.data(), len, Gesamt);
        case EAN13:
            return encodeEan13(Nutz.data(), len, Addon, Gesamt);
        case UPCA:
            return encodeUpcA(Nutz.data(), len, Gesamt);
        case UPCE:
            return encodeUpcE(Nutz.data(), len, Gesamt);
        case CODABAR:
            return encodeCodabar(Nutz.data(), len, Gesamt);
        case POSTNET:
            return encodePostnet(Nutz.data(), len, Gesamt);
    }
    return 0;
}
