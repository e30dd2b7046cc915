// Calc: the encoding entry point, and the encoders it runs itself: EAN-8,
// EAN-13 with add-ons, UPC-A, UPC-E, 2 of 5 Interleaved and Industrial,
// Codabar and Postnet.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "encoder.h"
#include "encoder_internal.h"
#include "font_bytes.h"

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

// A row of number sets as a bit mask, bit i set where character i takes set B.
template <std::size_t N>
constexpr std::array<unsigned, N> setBMasks(const std::array<std::string_view, N>& rows) {
    std::array<unsigned, N> masks{};
    for (std::size_t r = 0; r < N; ++r) {
        for (std::size_t i = 0; i < rows[r].size(); ++i) masks[r] |= (rows[r][i] == 'B' ? 1u : 0u) << i;
    }
    return masks;
}
constexpr auto kEan13SetB = setBMasks(kEan13Sets);

// What EAN-13 adds to each of the digits 2 to 7 (in the low six bytes) to
// give its number set character: set A is digit + 17, set B digit + 28.
constexpr std::array<std::uint64_t, 10> kEan13SetAdds = [] {
    std::array<std::uint64_t, 10> adds{};
    for (std::size_t r = 0; r < adds.size(); ++r) {
        for (int i = 0; i < 6; ++i) adds[r] |= std::uint64_t{(kEan13SetB[r] >> i) & 1 ? 28u : 17u} << (8 * i);
    }
    return adds;
}();

// EAN 2-digit add-on: number sets by the add-on's value modulo 4.
constexpr std::array<std::string_view, 4> kAddon2Sets = {"AA", "AB", "BA", "BB"};

// EAN 5-digit add-on: number sets by its check value.
constexpr std::array<std::string_view, 10> kAddon5Sets = {
    "BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA", "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB",
};

// 2 of 5 Interleaved: where the fonts draw each digit pair, start and stop.
using bcfont::fontbytes::kInterleavedPairs;
using bcfont::fontbytes::kInterleavedStart;
using bcfont::fontbytes::kInterleavedStop;
static_assert(kInterleavedPairs.size() == 100);

using bcfont::internal::Reject;

// Whether Calc empties its buffer for each kind of rejection: it does for a
// request of the wrong shape (length, number system, add-on, a symbol that
// would not fit), and leaves the buffer as passed for a wrong character.
constexpr auto kEmptiesOutput = std::to_array<bool>({
    false,  // None
    true,   // BadCall
    true,   // DataTooLong
    true,   // WrongLength
    false,  // NotInAlphabet
    true,   // NumberSystem
    true,   // AddonNotDigits
    true,   // InterleavedTooLong
    false,  // EscapeNotAscii
    true,   // FontStringTooLong
    true,   // PartLength
    true,   // DigitOutOfRange
    true,   // Gs1Syntax
    true,   // Gs1UnknownAi
    true,   // Gs1Length
    false,  // Gs1Charset
    true,   // Gs1Check
    true,   // Gs1Repeated
    true,   // Gs1Excludes
    true,   // Gs1Requires
    true,   // Gs1TooLong
    true,   // Gs1TooWide
    true,   // NeedsMatrix
});
static_assert(kEmptiesOutput.size() == bcfont::internal::kRejectKinds);

constexpr bool emptiesOutput(Reject kind) {
    return kEmptiesOutput[static_cast<std::size_t>(kind)];
}

// The digit strings of 2 of 5 Interleaved fit here: at most 48 digits, a
// leading zero and the check digit.
constexpr int kWorkSize = 50;
static_assert(kMaxDataLength + 2 <= kWorkSize);

using bcfont::internal::CalcInput;
using bcfont::internal::Rejection;
using bcfont::internal::written;

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr int digitValue(char c) {
    return c - '0';
}
constexpr char digitChar(int value) {
    return static_cast<char>('0' + value);
}

// The first character of `p` that is not a digit, within `count`. The data
// is read no further than its first NUL, which is not a digit either.
int firstNonDigit(const char* p, int count) {
    for (int i = 0; i < count; ++i) {
        if (!isDigit(p[i])) return i;
    }
    return count;
}

// Non-zero unless each of the eight bytes is a digit: its high nibble is 3
// before and after adding 6. A byte of 0xFA or more carries into the next
// one, but is itself no digit, and no carry reaches a byte below it.
constexpr std::uint64_t nonDigits(std::uint64_t eight) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u, kThrees = 0x3030303030303030u;
    return ((eight & kHigh) ^ kThrees) | (((eight + 0x0606060606060606u) & kHigh) ^ kThrees);
}
static_assert(nonDigits(0x3031323334353639u) == 0);
static_assert(nonDigits(0x303132333435363Au) != 0 && nonDigits(0x3031323334352F39u) != 0);
static_assert(nonDigits(0x30313233343536FFu) != 0 && nonDigits(0x3031323334353600u) != 0);

// Up to eight bytes as one number, the first byte lowest, on any machine:
// one load where the machine keeps its numbers that way.
template <int N>
constexpr std::uint64_t loadLe(const char* p) {
    std::uint64_t v = 0;
    if (!std::is_constant_evaluated() && std::endian::native == std::endian::little) {
        std::memcpy(&v, p, N);
        return v;
    }
    for (int i = 0; i < N; ++i) v |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
    return v;
}
template <int N>
void storeLe(char* p, std::uint64_t v) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, &v, N);
    } else {
        for (int i = 0; i < N; ++i) p[i] = static_cast<char>(v >> (8 * i));
    }
}
constexpr std::uint64_t eachByte(unsigned char b) {
    return 0x0101010101010101u * b;
}

// checkDigitMod10(digits, 12), eight digits at a time: the digits at odd
// positions weigh 3, so no weighted byte exceeds 27 and eight of them sum
// below 256 in the top byte of the product.
constexpr int checkDigit12(const char* digits) {
    constexpr std::uint64_t kOdd = 0xFF00FF00FF00FF00u, kSum = 0x0101010101010101u;
    const std::uint64_t first = loadLe<8>(digits) - eachByte('0');
    const std::uint64_t last = loadLe<4>(digits + 8) - (eachByte('0') >> 32);
    const std::uint64_t sum = ((first + 2 * (first & kOdd)) * kSum >> 56) + ((last + 2 * (last & kOdd)) * kSum >> 24 & 0xFF);
    return static_cast<int>((10 - sum % 10) % 10);
}
static_assert(checkDigit12("400638133393") == bcfont::internal::checkDigitMod10("400638133393", 12));
static_assert(checkDigit12("999999999999") == bcfont::internal::checkDigitMod10("999999999999", 12));
static_assert(checkDigit12("012345678905") == bcfont::internal::checkDigitMod10("012345678905", 12));

// Whether all `count` bytes are digits, eight at a time: every byte is read.
// The last eight (or four) may overlap bytes already looked at.
inline bool allDigits(const char* p, int count) {
    if (count < 4) return firstNonDigit(p, count) == count;
    if (count < 8) return (nonDigits(loadLe<4>(p) | loadLe<4>(p + count - 4) << 32)) == 0;
    std::uint64_t bad = nonDigits(loadLe<8>(p)) | nonDigits(loadLe<8>(p + count - 8));
    for (int i = 8; i < count - 8; i += 8) bad |= nonDigits(loadLe<8>(p + i));
    return bad == 0;
}

// firstNonDigit over the request's data, many bytes at a time where the
// caller's buffer allows: most data is all digits.
inline int firstNonDigit(const CalcInput& in) {
    if (in.wholeData && allDigits(in.data, in.len)) return in.len;
    return firstNonDigit(in.data, in.len);
}

Rejection notInAlphabet(const char* p, int index) {
    return {Reject::NotInAlphabet, static_cast<unsigned char>(p[index]), index + 1, 0};
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
    if (addon == nullptr || addon[0] == '\0') return 0;
    int n = 0;
    while (n < 6 && addon[n] != '\0') ++n;
    return n == 2 || n == 5 ? n : 0;
}

PaddedData::PaddedData(const CalcInput& in) : bytes_(reinterpret_cast<const unsigned char*>(in.data)) {
    if (in.wholeData) return;
    const auto len = static_cast<std::size_t>(in.len);
    const void* nul = len > 0 ? std::memchr(in.data, '\0', len) : nullptr;
    if (nul == nullptr) return;
    const auto copied = static_cast<std::size_t>(static_cast<const char*>(nul) - in.data);
    std::memcpy(padded_.data(), in.data, copied);
    std::memset(padded_.data() + copied, 0, len - copied);
    bytes_ = padded_.data();
}

// The EAN/UPC encoders run on lengths the symbology table accepts.

Rejection calcEan8(const CalcInput& in, char* out) {
    const char* nutz = in.data;
    if (const int bad = firstNonDigit(in); bad < in.len) return notInAlphabet(nutz, bad);

    // An eighth digit is replaced by the computed check digit.
    const char check = digitChar(checkDigitMod10(nutz, 7));
    out[0] = '<';
    for (int i = 0; i < 4; ++i) out[1 + i] = setA(nutz[i]);
    out[5] = '=';
    for (int i = 0; i < 3; ++i) out[6 + i] = setC(nutz[4 + i]);
    out[9] = setC(check);
    out[10] = '>';
    out[11] = '\0';
    return written(11, in.len == 8 && nutz[7] != check);
}

Rejection calcEan13(const CalcInput& in, char* out) {
    const char* nutz = in.data;
    if (const int bad = firstNonDigit(in); bad < in.len) return notInAlphabet(nutz, bad);
    const int addonLen = addonLength(in.addon);
    // An add-on of the right length must be all digits: anything else would
    // draw bars that no scanner reads as the text entered.
    if (const int bad = firstNonDigit(in.addon, addonLen); bad < addonLen)
        return {Reject::AddonNotDigits, static_cast<unsigned char>(in.addon[bad]), bad + 1, 0};

    // A thirteenth digit is replaced by the computed check digit. All twelve
    // are digits now, so they may be read eight at a time.
    const char check = digitChar(checkDigit12(nutz));
    out[0] = nutz[0];
    out[1] = '<';
    // Digits 2 to 7 in their number sets; the two bytes after them are
    // written again below.
    storeLe<8>(out + 2, loadLe<8>(nutz + 1) + kEan13SetAdds[static_cast<std::size_t>(digitValue(nutz[0]))]);
    out[8] = '=';
    storeLe<4>(out + 9, loadLe<4>(nutz + 7) + eachByte(49));
    out[13] = setC(nutz[11]);
    out[14] = setC(check);
    out[15] = '>';
    if (addonLen == 0) {
        out[16] = '\0';
    } else {
        writeAddon(in.addon, addonLen, out + 16);
    }
    // The add-on is ':' and its digits with a ';' between each two.
    return written(16 + (addonLen == 0 ? 0 : 2 * static_cast<std::size_t>(addonLen)),
                   in.len == 13 && nutz[12] != check);
}

Rejection calcUpcA(const CalcInput& in, char* out) {
    const char* nutz = in.data;
    if (const int bad = firstNonDigit(in); bad < in.len) return notInAlphabet(nutz, bad);

    // A twelfth digit is replaced by the computed check digit.
    const char check = digitChar(checkDigitMod10(nutz, 11));
    out[0] = nutz[0];
    out[1] = '<';
    out[2] = setB(nutz[0]);
    for (int i = 0; i < 5; ++i) out[3 + i] = setA(nutz[1 + i]);
    out[8] = '=';
    for (int i = 0; i < 5; ++i) out[9 + i] = setC(nutz[6 + i]);
    out[14] = static_cast<char>(check + 60);
    out[15] = '>';
    out[16] = check;
    out[17] = '\0';
    return written(17, in.len == 12 && nutz[11] != check);
}

Rejection calcUpcE(const CalcInput& in, char* out) {
    const char* nutz = in.data;
    if (nutz[0] != '0' && nutz[0] != '1')
        return {Reject::NumberSystem, static_cast<unsigned char>(nutz[0]), 1, 0};
    if (const int bad = firstNonDigit(in); bad < in.len) return notInAlphabet(nutz, bad);

    // The check digit is that of the UPC-A number the UPC-E digits stand for;
    // over the seven digits as entered it differs whenever the last is 0-4.
    const std::array<char, 11> upcA = upcAFromUpcE(nutz);
    const int check = checkDigitMod10(upcA.data(), 11);

    const std::string_view sets = nutz[0] == '0' ? kUpcESetsNs0[check] : kUpcESetsNs1[check];
    out[0] = nutz[0];
    out[1] = '<';
    for (int i = 0; i < 6; ++i) {
        const char digit = nutz[1 + i];
        out[2 + i] = sets[i] == 'A' ? setA(digit) : static_cast<char>(GetUPC(0, digit));
    }
    out[8] = '?';
    out[9] = digitChar(check);
    out[10] = '\0';
    return written(10, in.len == 8 && nutz[7] != digitChar(check));
}

Rejection calcInterleaved(const CalcInput& in, char* gesamt) {
    const int len = in.len;
    // With the check digit an even count gets both a leading '0' and the
    // check digit: two more digits than the data.
    if (in.check && len % 2 == 0 && len > kMaxInterleavedEvenWithCheck)
        return {Reject::InterleavedTooLong, 0, 0, static_cast<std::size_t>(len)};
    if (const int bad = firstNonDigit(in); bad < len) return notInAlphabet(in.data, bad);

    std::array<char, kWorkSize> temp{};
    int count = 0;
    const bool leadingZero = in.check ? len % 2 == 0 : len % 2 == 1;
    if (leadingZero) temp[count++] = '0';
    std::memcpy(temp.data() + count, in.data, static_cast<std::size_t>(len));
    count += len;
    if (in.check) {
        temp[count] = digitChar(checkDigitMod10(temp.data(), count));
        ++count;
    }

    auto* out = reinterpret_cast<unsigned char*>(gesamt);
    *out++ = kInterleavedStart;
    for (int i = 0; i < count; i += 2)
        *out++ = kInterleavedPairs[digitValue(temp[i]) * 10 + digitValue(temp[i + 1])];
    *out++ = kInterleavedStop;
    *out = '\0';
    return written(static_cast<std::size_t>(out - reinterpret_cast<unsigned char*>(gesamt)));
}

Rejection calcIndustrial(const CalcInput& in, char* out) {
    const int len = in.len;
    if (const int bad = firstNonDigit(in); bad < len) return notInAlphabet(in.data, bad);
    *out++ = '<';
    std::memcpy(out, in.data, static_cast<std::size_t>(len));
    out += len;
    if (in.check) *out++ = digitChar(checkDigitMod10(in.data, len));
    *out++ = '>';
    *out = '\0';
    return written(static_cast<std::size_t>(len) + (in.check ? 3 : 2));
}

Rejection calcCodabar(const CalcInput& in, char* out) {
    const int len = in.len;
    if (const int bad = firstNonDigit(in); bad < len) return notInAlphabet(in.data, bad);
    *out++ = 'D';
    std::memcpy(out, in.data, static_cast<std::size_t>(len));
    out += len;
    *out++ = 'D';
    *out = '\0';
    return written(static_cast<std::size_t>(len) + 2);
}

Rejection calcPostnet(const CalcInput& in, char* out) {
    const int len = in.len;
    if (const int bad = firstNonDigit(in); bad < len) return notInAlphabet(in.data, bad);
    int sum = 0;
    for (int i = 0; i < len; ++i) sum += digitValue(in.data[i]);
    *out++ = '-';
    std::memcpy(out, in.data, static_cast<std::size_t>(len));
    out += len;
    *out++ = digitChar((10 - sum % 10) % 10);
    *out++ = '-';
    *out = '\0';
    return written(static_cast<std::size_t>(len) + 3);
}

Rejection calc(CodeType type, const CalcInput& in, char* out) {
    if (in.len < 0 || (in.data == nullptr && in.len > 0)) return {Reject::BadCall};
    const Symbology& s = kSymbologies[static_cast<std::size_t>(type)];
    if (s.encoder == nullptr) return {Reject::NeedsMatrix};
    if (in.len > s.maxLength) return {Reject::DataTooLong, 0, 0, static_cast<std::size_t>(in.len)};
    if (!accepts(s.lengths, in.len)) return {Reject::WrongLength, 0, 0, static_cast<std::size_t>(in.len)};
    return s.encoder(in, out);
}

}  // namespace bcfont::internal

int Calc(std::int32_t code, const char* Nutzziffer, char* Gesamt, const char* Addon, std::int32_t len,
         BOOL bCHECK) {
    if (!bcfont::isCodeType(code)) return 0;
    if (Gesamt == nullptr) return -1;
    const Rejection rejection =
        bcfont::internal::calc(static_cast<CodeType>(code), {Nutzziffer, len, Addon, bCHECK != 0}, Gesamt);
    if (rejection.accepted()) return 0;
    if (emptiesOutput(rejection.kind)) Gesamt[0] = '\0';
    return -1;
}
