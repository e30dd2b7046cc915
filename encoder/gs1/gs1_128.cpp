// GS1-128: the element string as Code 128 entries (FNC1 after the start and
// after every variable-length element but the last), the code sets that
// give the fewest symbol characters, and the human-readable text.
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "element_string.h"
#include "font_bytes.h"

namespace bcfont::internal {
namespace {

using gs1::ElementString;

// Symbol character values of ISO/IEC 15417.
constexpr std::array<unsigned char, 2> kStart = {104, 105};   // by code set B, C
constexpr std::array<unsigned char, 2> kCodeSet = {100, 99};  // change to B, C
constexpr unsigned char kFnc1 = 102;
constexpr unsigned char kStop = fontbytes::kCode128StopValue;

// Code sets B and C, in order of preference where both cost the same. GS1
// data is CSET 82, all of it in set B; set A holds no character GS1 data
// can have that set B lacks, so it never saves one and is left out.
enum Set : int { B, C, kSets };

// FNC1, the AIs and the values: 48 data characters, a separator after each
// element but the last, the leading FNC1.
constexpr int kMaxEntries = gs1::kMaxDataCharacters + gs1::kMaxElements + 1;
// Start, and at most a code set change with every entry.
constexpr int kMaxCodeWords = 1 + 2 * kMaxEntries;

struct Entries {
    std::array<RawWord, kMaxEntries> words;
    int count = 0;
};

Entries entriesOf(const ElementString& es) {
    Entries out;
    out.words[static_cast<std::size_t>(out.count++)] = kFnc1Entry;
    for (int i = 0; i < es.count; ++i) {
        const gs1::Element& e = es.elements[static_cast<std::size_t>(i)];
        for (const char c : es.ai(e)) out.words[static_cast<std::size_t>(out.count++)] = static_cast<RawWord>(c);
        for (const char c : es.value(e))
            out.words[static_cast<std::size_t>(out.count++)] = static_cast<unsigned char>(c);
        if (!e.entry->predefined && i + 1 < es.count) out.words[static_cast<std::size_t>(out.count++)] = kFnc1Entry;
    }
    return out;
}

constexpr bool isDigit(RawWord w) {
    return w >= '0' && w <= '9';
}

// How many entries from `i` one symbol character of set C takes: FNC1, a
// pair of digits, or nothing (0). Set B takes any entry, one at a time.
int takesInC(const Entries& in, int i) {
    const RawWord w = in.words[static_cast<std::size_t>(i)];
    if (w == kFnc1Entry) return 1;
    return i + 1 < in.count && isDigit(w) && isDigit(in.words[static_cast<std::size_t>(i + 1)]) ? 2 : 0;
}

unsigned char valueIn(const Entries& in, int i, int set) {
    const RawWord w = in.words[static_cast<std::size_t>(i)];
    if (w == kFnc1Entry) return kFnc1;
    if (set == C) return static_cast<unsigned char>((w - '0') * 10 + (in.words[static_cast<std::size_t>(i + 1)] - '0'));
    return static_cast<unsigned char>(w - 32);
}

// The fewest symbol characters, by dynamic programming from the back:
// cost[i][s] is what entries i.. cost when set s is current before them,
// change[i][s] whether entry i is taken after a change of set.
int codeWords(const Entries& in, std::array<unsigned char, kMaxCodeWords>& out) {
    constexpr int kNever = 1 << 20;
    std::array<std::array<int, kSets>, kMaxEntries + 1> cost;
    std::array<std::array<bool, kSets>, kMaxEntries> change;
    cost[static_cast<std::size_t>(in.count)] = {0, 0};
    // What entry i costs when taken in B and in C, its character included.
    int inB = 0, inC = 0;
    for (int i = in.count - 1; i >= 0; --i) {
        const auto at = static_cast<std::size_t>(i);
        const int n = takesInC(in, i);
        inB = 1 + cost[at + 1][B];
        inC = n == 0 ? kNever : 1 + cost[at + static_cast<std::size_t>(n)][C];
        change[at] = {inC + 1 < inB, inB + 1 < inC};
        cost[at] = {std::min(inB, inC + 1), std::min(inC, inB + 1)};
    }
    // The start character picks the set of the first entry (FNC1) at no extra cost.
    int set = inC < inB ? C : B;
    int n = 0;
    out[static_cast<std::size_t>(n++)] = kStart[static_cast<std::size_t>(set)];
    for (int i = 0; i < in.count;) {
        if (i > 0 && change[static_cast<std::size_t>(i)][static_cast<std::size_t>(set)]) {
            set = 1 - set;
            out[static_cast<std::size_t>(n++)] = kCodeSet[static_cast<std::size_t>(set)];
        }
        out[static_cast<std::size_t>(n++)] = valueIn(in, i, set);
        i += set == C ? takesInC(in, i) : 1;
    }
    return n;
}

// The request's bytes up to its first NUL, the rest NUL, as Calc reads them.
struct Input {
    std::array<char, kMaxGs1InputLength> bytes;  // the first `len` are read
    int len;
    explicit Input(const CalcInput& in) : len(in.len) {
        const auto n = static_cast<std::size_t>(in.len);
        const void* nul = n > 0 ? std::memchr(in.data, '\0', n) : nullptr;
        const std::size_t kept = nul == nullptr ? n : static_cast<std::size_t>(static_cast<const char*>(nul) - in.data);
        std::memcpy(bytes.data(), in.data, kept);
        std::memset(bytes.data() + kept, 0, n - kept);
    }
};

Rejection readAndValidate(const CalcInput& in, ElementString& es) {
    const Input input(in);
    if (const Rejection r = gs1::parse(input.bytes.data(), input.len, es); !r.accepted()) return r;
    return gs1::validate(es);
}

}  // namespace

Rejection calcGs1128(const CalcInput& in, char* out) {
    ElementString es;
    if (const Rejection r = readAndValidate(in, es); !r.accepted()) return r;
    std::array<unsigned char, kMaxCodeWords> words;
    const int count = codeWords(entriesOf(es), words);
    // The check character is always drawn: GS1-128 requires it.
    const int modules = gs1::kModulesPerCharacter * (count + 1) + gs1::kStopAndQuietModules;
    if (modules * gs1::kModuleMm > gs1::kMaxSymbolMm)
        return {Reject::Gs1TooWide, 0, 0, static_cast<std::size_t>(modules)};
    if (count + 2 > static_cast<int>(kFontStringCapacity) - 1)
        return {Reject::FontStringTooLong, 0, 0, static_cast<std::size_t>(count + 2)};
    auto* p = reinterpret_cast<unsigned char*>(out);
    for (int i = 0; i < count; ++i) code128_Out(p++, words[static_cast<std::size_t>(i)]);
    code128_Out(p++, code128_Checksum(words.data(), count, 1));
    code128_Out(p++, kStop);
    *p = '\0';
    return written(static_cast<std::size_t>(count + 2));
}

Rejection gs1128Text(const CalcInput& in, char* out) {
    ElementString es;
    if (const Rejection r = readAndValidate(in, es); !r.accepted()) return r;
    char* p = out;
    for (int i = 0; i < es.count; ++i) {
        const gs1::Element& e = es.elements[static_cast<std::size_t>(i)];
        *p++ = '(';
        for (const char c : es.ai(e)) *p++ = c;
        *p++ = ')';
        for (const char c : es.value(e)) *p++ = c;
    }
    *p = '\0';
    return written(static_cast<std::size_t>(p - out));
}

}  // namespace bcfont::internal
