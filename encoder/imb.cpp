// Intelligent Mail: a 20-digit tracking code and a routing code of 0, 5, 9
// or 11 digits in 65 bars of four states, written as the letters A
// (ascender), D (descender), F (full) and T (tracker) that IMb fonts draw.
// The steps and tables are those of USPS-B-3200.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "catalogue.h"
#include "encoder_internal.h"

namespace {

using bcfont::Lengths;
using bcfont::lengthsOf;
using bcfont::internal::CalcInput;
using bcfont::internal::DataPart;
using bcfont::internal::Reject;
using bcfont::internal::Rejection;
using bcfont::internal::written;

// --- USPS-B-3200 step 1, conversion of data fields into binary data --------

// What the routing code's value gains by its length, so that each length
// has numbers of its own: none, 1, 100000 + 1, 1000000000 + 100000 + 1.
struct RoutingOffset {
    int digits;
    std::uint64_t add;
};
constexpr std::array<RoutingOffset, 4> kRoutingOffsets = {{{0, 0}, {5, 1}, {9, 100001}, {11, 1000100001}}};

// The radix each tracking digit is appended with: the barcode identifier's
// second digit is 0 to 4, every other digit 0 to 9.
constexpr int kTrackingDigits = 20;
constexpr std::array<std::uint8_t, kTrackingDigits> kTrackingRadices = {10, 5,  10, 10, 10, 10, 10, 10, 10, 10,
                                                           10, 10, 10, 10, 10, 10, 10, 10, 10, 10};

// --- USPS-B-3200 step 2, the CRC-11 frame check sequence ---------------------

// The generator polynomial as the standard gives it, and the preset of the
// 11-bit register. The 102 data bits are read
// as 13 bytes, most significant first, of which the first two bits are not data.
constexpr unsigned kCrcPolynomial = 0x0F35;
constexpr unsigned kCrcPreset = 0x07FF;
constexpr int kCrcBytes = 13;

// --- USPS-B-3200 step 3, conversion from binary data to codewords ------------

// Codewords A to J: J is the binary data modulo 636, I to B each the rest
// modulo 1365, A what remains (below 659). Step 4 doubles J, which says
// which way up the symbol is, and adds 659 to A when FCS bit 10 is set.
constexpr int kCodewords = 10;
constexpr std::array<unsigned, kCodewords> kCodewordRadices = {659,  1365, 1365, 1365, 1365,
                                                               1365, 1365, 1365, 1365, 636};
constexpr unsigned kFcsTopBitOffset = 659;

// --- USPS-B-3200 step 5, conversion from codewords to characters -------------

// Appendix tables of the 13-bit characters with five bars set (codewords 0 to
// 1286) and with two (codewords 1287 to 1364), generated as the standard's
// appendix does: counting up through the 13-bit numbers with that many bits
// set, each number and its bit reversal fill the table from the front as a
// pair; a number that reads the same reversed fills it from the back.
constexpr unsigned reverse13(unsigned v) {
    unsigned r = 0;
    for (int i = 0; i < 13; ++i) r |= ((v >> i) & 1u) << (12 - i);
    return r;
}

template <std::size_t Size>
constexpr std::array<std::uint16_t, Size> nOf13Table(int bitsSet) {
    std::array<std::uint16_t, Size> table{};
    std::size_t front = 0, back = Size;
    for (unsigned v = 0; v < (1u << 13); ++v) {
        if (std::popcount(v) != bitsSet) continue;
        const unsigned reversed = reverse13(v);
        if (reversed < v) continue;  // entered with its reversal
        if (reversed == v) {
            table[--back] = static_cast<std::uint16_t>(v);
        } else {
            table[front++] = static_cast<std::uint16_t>(v);
            table[front++] = static_cast<std::uint16_t>(reversed);
        }
    }
    return table;
}

constexpr auto k5Of13 = nOf13Table<1287>(5);
constexpr auto k2Of13 = nOf13Table<78>(2);
// Entries as the standard's appendix prints them.
static_assert(k5Of13[0] == 0x001F && k5Of13[1] == 0x1F00 && k5Of13[2] == 0x002F && k5Of13[1286] == 0x01F0);
static_assert(k2Of13[0] == 0x0003 && k2Of13[1] == 0x1800 && k2Of13[77] == 0x00A0);
static_assert(k5Of13.size() + k2Of13.size() == 1365, "one character for each codeword B to I can hold");

// --- USPS-B-3200 step 6, the bar-to-character map ----------------------------

// For bars 1 to 65, left to right: the character (A-J) and bit whose value
// draws the descender, and those that draw the ascender.
struct BarBits {
    char descender;
    std::uint8_t descenderBit;
    char ascender;
    std::uint8_t ascenderBit;
};
// clang-format off
constexpr std::array<BarBits, 65> kBarMap = {{
    {'H', 2, 'E', 3}, {'B', 10, 'A', 0}, {'J', 12, 'C', 8}, {'F', 5, 'G', 11}, {'I', 9, 'D', 1},
    {'A', 1, 'F', 12}, {'C', 5, 'B', 8}, {'E', 4, 'J', 11}, {'G', 3, 'I', 10}, {'D', 9, 'H', 6},
    {'F', 11, 'B', 4}, {'I', 5, 'C', 12}, {'J', 10, 'A', 2}, {'H', 1, 'G', 7}, {'D', 6, 'E', 9},
    {'A', 3, 'I', 6}, {'G', 4, 'C', 7}, {'B', 1, 'J', 9}, {'H', 10, 'F', 2}, {'E', 0, 'D', 8},
    {'G', 2, 'A', 4}, {'I', 11, 'B', 0}, {'J', 8, 'D', 12}, {'C', 6, 'H', 7}, {'F', 1, 'E', 10},
    {'B', 12, 'G', 9}, {'H', 3, 'I', 0}, {'F', 8, 'J', 7}, {'E', 6, 'C', 10}, {'D', 4, 'A', 5},
    {'I', 4, 'F', 7}, {'H', 11, 'B', 9}, {'G', 0, 'J', 6}, {'A', 6, 'E', 8}, {'C', 1, 'D', 2},
    {'F', 9, 'I', 12}, {'E', 11, 'G', 1}, {'J', 5, 'H', 4}, {'D', 3, 'B', 2}, {'A', 7, 'C', 0},
    {'B', 3, 'E', 1}, {'G', 10, 'D', 5}, {'I', 7, 'J', 4}, {'C', 11, 'F', 6}, {'A', 8, 'H', 12},
    {'E', 2, 'I', 1}, {'F', 10, 'D', 0}, {'J', 3, 'A', 9}, {'G', 5, 'C', 4}, {'H', 8, 'B', 7},
    {'F', 0, 'E', 5}, {'C', 3, 'A', 10}, {'G', 12, 'J', 2}, {'D', 11, 'B', 6}, {'I', 8, 'H', 9},
    {'F', 4, 'A', 11}, {'B', 5, 'C', 2}, {'J', 1, 'E', 12}, {'I', 3, 'G', 6}, {'H', 0, 'D', 7},
    {'E', 7, 'H', 5}, {'A', 12, 'B', 11}, {'C', 9, 'J', 0}, {'G', 8, 'F', 3}, {'D', 10, 'I', 2},
}};
// clang-format on

// Each of the 130 bits of the ten characters draws exactly one bar half.
constexpr bool barMapUsesEveryBitOnce() {
    std::array<int, kCodewords * 13> uses{};
    for (const BarBits& b : kBarMap) {
        if (b.descender < 'A' || b.descender > 'J' || b.ascender < 'A' || b.ascender > 'J') return false;
        if (b.descenderBit > 12 || b.ascenderBit > 12) return false;
        ++uses[static_cast<std::size_t>((b.descender - 'A') * 13 + b.descenderBit)];
        ++uses[static_cast<std::size_t>((b.ascender - 'A') * 13 + b.ascenderBit)];
    }
    for (int n : uses) {
        if (n != 1) return false;
    }
    return true;
}
static_assert(barMapUsesEveryBitOnce());

// The letters of a bar by its ascender (bit 1) and descender (bit 0).
constexpr std::array<char, 4> kBarLetters = {'T', 'D', 'A', 'F'};

// The parts of the data whose rules the rejections name.
constexpr DataPart kTrackingCode{&bcfont::text::kTrackingCode, lengthsOf({20}), '0', '9'};
constexpr DataPart kRoutingCode{&bcfont::text::kRoutingCode, lengthsOf({0, 5, 9, 11}), '0', '9'};
constexpr DataPart kIdentifierDigit{&bcfont::text::kIdentifierDigit, lengthsOf({1}), '0', '4'};
static_assert(kTrackingRadices[1] == kIdentifierDigit.high - '0' + 1);
static_assert([] {
    for (const RoutingOffset& r : kRoutingOffsets) {
        if (!bcfont::accepts(kRoutingCode.lengths, r.digits)) return false;
    }
    return std::popcount(kRoutingCode.lengths) == static_cast<int>(kRoutingOffsets.size());
}());

// --- arithmetic on the 102-bit binary data -----------------------------------

// Four 32-bit limbs, least significant first.
using Big = std::array<std::uint32_t, 4>;

constexpr void mulAdd(Big& n, unsigned factor, std::uint64_t add) {
    std::uint64_t carry = add;
    for (std::uint32_t& limb : n) {
        const std::uint64_t v = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(v);
        carry = v >> 32;
    }
}

// Divides in place and returns the remainder.
constexpr unsigned divMod(Big& n, unsigned divisor) {
    std::uint64_t rest = 0;
    for (std::size_t i = n.size(); i-- > 0;) {
        const std::uint64_t v = (rest << 32) | n[i];
        n[i] = static_cast<std::uint32_t>(v / divisor);
        rest = v % divisor;
    }
    return static_cast<unsigned>(rest);
}

// Byte `i` of the 13, the most significant first.
constexpr unsigned byteOf(const Big& n, int i) {
    const int shift = 8 * (kCrcBytes - 1 - i);
    return (n[static_cast<std::size_t>(shift / 32)] >> (shift % 32)) & 0xFFu;
}

constexpr int digitAt(const char* p, int i) {
    return p[i] - '0';
}

constexpr Big binaryData(const char* tracking, const char* routing, int routingDigits) {
    Big n{};
    for (int i = 0; i < routingDigits; ++i) mulAdd(n, 10, static_cast<std::uint64_t>(digitAt(routing, i)));
    for (const RoutingOffset& r : kRoutingOffsets) {
        if (r.digits == routingDigits) mulAdd(n, 1, r.add);
    }
    for (std::size_t i = 0; i < kTrackingRadices.size(); ++i)
        mulAdd(n, kTrackingRadices[i], static_cast<std::uint64_t>(digitAt(tracking, static_cast<int>(i))));
    return n;
}

constexpr unsigned frameCheckSequence(const Big& n) {
    unsigned fcs = kCrcPreset;
    for (int i = 0; i < kCrcBytes; ++i) {
        const unsigned byte = byteOf(n, i);
        for (int bit = i == 0 ? 5 : 7; bit >= 0; --bit) {
            const bool divide = (((fcs >> 10) ^ (byte >> bit)) & 1u) != 0;
            fcs = ((fcs << 1) ^ (divide ? kCrcPolynomial : 0u)) & 0x7FFu;
        }
    }
    return fcs;
}

constexpr std::array<unsigned, kCodewords> codewords(Big n, unsigned fcs) {
    std::array<unsigned, kCodewords> words{};
    for (std::size_t i = kCodewords; i-- > 1;) words[i] = divMod(n, kCodewordRadices[i]);
    words[0] = n[0];
    words[kCodewords - 1] *= 2;
    if ((fcs & 0x400) != 0) words[0] += kFcsTopBitOffset;
    return words;
}

constexpr std::array<unsigned, kCodewords> characters(const std::array<unsigned, kCodewords>& words, unsigned fcs) {
    std::array<unsigned, kCodewords> chars{};
    for (std::size_t i = 0; i < kCodewords; ++i) {
        const unsigned w = words[i];
        chars[i] = w < k5Of13.size() ? k5Of13[w] : k2Of13[w - k5Of13.size()];
        if (((fcs >> i) & 1u) != 0) chars[i] ^= 0x1FFFu;
    }
    return chars;
}

constexpr unsigned bitOf(const std::array<unsigned, kCodewords>& chars, char character, int bit) {
    return (chars[static_cast<std::size_t>(character - 'A')] >> bit) & 1u;
}

constexpr void writeBars(const char* tracking, const char* routing, int routingDigits, char* out) {
    const Big n = binaryData(tracking, routing, routingDigits);
    const unsigned fcs = frameCheckSequence(n);
    const auto chars = characters(codewords(n, fcs), fcs);
    for (std::size_t i = 0; i < kBarMap.size(); ++i) {
        const BarBits& b = kBarMap[i];
        out[i] = kBarLetters[2 * bitOf(chars, b.ascender, b.ascenderBit) + bitOf(chars, b.descender, b.descenderBit)];
    }
    out[kBarMap.size()] = '\0';
}

// The standard's worked example with an 11-digit routing code, step by step.
constexpr char kExampleTracking[] = "01234567094987654321";
constexpr char kExampleRouting[] = "01234567891";
constexpr Big kExampleBinary = binaryData(kExampleTracking, kExampleRouting, 11);
static_assert([] {
    constexpr std::array<unsigned, kCrcBytes> kBytes = {0x01, 0x69, 0x07, 0xB2, 0xA2, 0x4A, 0xBC,
                                                        0x16, 0xA2, 0xE5, 0xC0, 0x04, 0xB1};
    for (int i = 0; i < kCrcBytes; ++i) {
        if (byteOf(kExampleBinary, i) != kBytes[static_cast<std::size_t>(i)]) return false;
    }
    return true;
}());
static_assert(frameCheckSequence(kExampleBinary) == 0x751);
static_assert(codewords(kExampleBinary, 0x751) ==
              std::array<unsigned, kCodewords>{673, 787, 607, 1022, 861, 19, 816, 1294, 35, 602});
static_assert(characters(codewords(kExampleBinary, 0x751), 0x751) ==
              std::array<unsigned, kCodewords>{0x0DCB, 0x085C, 0x08E4, 0x0B06, 0x06DD, 0x1740, 0x17C6, 0x1200,
                                               0x123F, 0x1B2B});

// --- the data ----------------------------------------------------------------

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isSeparator(char c) {
    return c == '-' || c == ' ';
}

struct Parts {
    const char* tracking = nullptr;
    const char* routing = nullptr;
    int routingDigits = 0;
};

Rejection partLength(const DataPart& part, int got) {
    Rejection r{Reject::PartLength, 0, 0, static_cast<std::size_t>(got)};
    r.part = &part;
    return r;
}

// Splits the data into tracking and routing code, or says why it cannot.
// Reads no further than the first byte that is neither a digit nor the one
// separator, so never past a NUL.
Rejection split(const CalcInput& in, Parts& parts) {
    if (in.len < 0 || (in.data == nullptr && in.len > 0)) return {Reject::BadCall};
    if (in.len > kMaxDataLength)
        return {Reject::DataTooLong, 0, 0, static_cast<std::size_t>(in.len)};
    int separator = -1;
    for (int i = 0; i < in.len; ++i) {
        const char c = in.data[i];
        if (isDigit(c)) continue;
        if (!isSeparator(c) || separator >= 0)
            return {Reject::NotInAlphabet, static_cast<unsigned char>(c), i + 1, 0};
        if (i != kTrackingDigits) return partLength(kTrackingCode, i);
        separator = i;
    }
    const int trackingDigits = separator >= 0 ? separator : std::min(in.len, kTrackingDigits);
    if (trackingDigits != kTrackingDigits) return partLength(kTrackingCode, trackingDigits);
    if (in.data[1] > kIdentifierDigit.high) {
        Rejection r{Reject::DigitOutOfRange, static_cast<unsigned char>(in.data[1]), 2, 0};
        r.part = &kIdentifierDigit;
        return r;
    }
    const int routingStart = trackingDigits + (separator >= 0 ? 1 : 0);
    const int routingDigits = in.len - routingStart;
    if (!bcfont::accepts(kRoutingCode.lengths, routingDigits)) return partLength(kRoutingCode, routingDigits);
    parts = {in.data, in.data + routingStart, routingDigits};
    return {};
}

}  // namespace

namespace bcfont::internal {

Rejection calcImb(const CalcInput& in, char* out) {
    Parts parts;
    if (const Rejection r = split(in, parts); !r.accepted()) return r;
    writeBars(parts.tracking, parts.routing, parts.routingDigits, out);
    return written(kBarMap.size());
}

Rejection imbText(const CalcInput& in, char* out) {
    Parts parts;
    if (const Rejection r = split(in, parts); !r.accepted()) return r;
    const auto tracking = static_cast<std::size_t>(kTrackingDigits);
    const auto routing = static_cast<std::size_t>(parts.routingDigits);
    std::copy_n(parts.tracking, tracking, out);
    std::copy_n(parts.routing, routing, out + tracking);
    out[tracking + routing] = '\0';
    return written(tracking + routing);
}

}  // namespace bcfont::internal
