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
constexpr std::array<unsigned char, 3> kStart = {104, 105, 103};    // by code set B, C, A
constexpr std::array<unsigned char, 3> kCodeSet = {100, 99, 101};  // change to B, C, A
constexpr unsigned char kFnc1 = 102;
constexpr unsigned char kStop = fontbytes::kCode128StopValue;

// In order of preference where sets cost the same. GS1 data is CSET 82, all
// of it in set B: set A, whose characters GS1 data can hold are in set B
// as well, never saves a character and the search never settles on it.
enum Set : int { B, C, A, kSets };

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

// How many entries from `i` one symbol character in `set` takes (0: none).
int takes(const Entries& in, int i, int set) {
    const RawWord w = in.words[static_cast<std::size_t>(i)];
    if (w == kFnc1Entry) return 1;
    switch (set) {
        case A:
            return w < 96 ? 1 : 0;
        case B:
            return w >= 32 && w < 128 ? 1 : 0;
        default:
            return i + 1 < in.count && isDigit(w) && isDigit(in.words[static_cast<std::size_t>(i + 1)]) ? 2 : 0;
    }
}

unsigned char valueIn(const Entries& in, int i, int set) {
    const RawWord w = in.words[static_cast<std::size_t>(i)];
    if (w == kFnc1Entry) return kFnc1;
    if (set == C) return static_cast<unsigned char>((w - '0') * 10 + (in.words[static_cast<std::size_t>(i + 1)] - '0'));
    return static_cast<unsigned char>(set == A && w < 32 ? w + 64 : w - 32);
}

// The fewest symbol characters, by dynamic programming from the back:
// cost[i][s] is what entries i.. cost when set s is current before them,
// next[i][s] the set the character for entry i is in.
int codeWords(const Entries& in, std::array<unsigned char, kMaxCodeWords>& out) {
    constexpr int kNever = std::numeric_limits<int>::max() / 2;
    std::array<std::array<int, kSets>, kMaxEntries + 1> cost;
    std::array<std::array<std::int8_t, kSets>, kMaxEntries> next;
    cost[static_cast<std::size_t>(in.count)] = {0, 0, 0};
    // What entry i costs in `set`, its character included.
    const auto inSet = [&](int i, int set) {
        const int n = takes(in, i, set);
        return n == 0 ? kNever : 1 + cost[static_cast<std::size_t>(i + n)][static_cast<std::size_t>(set)];
    };
    for (int i = in.count - 1; i >= 0; --i) {
        for (int s = 0; s < kSets; ++s) {
            int best = inSet(i, s), choice = s;
            for (int t = 0; t < kSets; ++t) {
                if (t != s && 1 + inSet(i, t) < best) best = 1 + inSet(i, t), choice = t;
            }
            cost[static_cast<std::size_t>(i)][static_cast<std::size_t>(s)] = best;
            next[static_cast<std::size_t>(i)][static_cast<std::size_t>(s)] = static_cast<std::int8_t>(choice);
        }
    }
    int set = B;
    for (int s = 0; s < kSets; ++s) {
        if (inSet(0, s) < inSet(0, set)) set = s;
    }
    int n = 0;
    out[static_cast<std::size_t>(n++)] = kStart[static_cast<std::size_t>(set)];
    for (int i = 0; i < in.count;) {
        const int chosen = i == 0 ? set : next[static_cast<std::size_t>(i)][static_cast<std::size_t>(set)];
        if (chosen != set) out[static_cast<std::size_t>(n++)] = kCodeSet[static_cast<std::size_t>(chosen)];
        set = chosen;
        out[static_cast<std::size_t>(n++)] = valueIn(in, i, set);
        i += takes(in, i, set);
    }
    return n;
}

// The request's bytes up to its first NUL, the rest NUL, as Calc reads them.
struct Input {
    std::array<char, kMaxGs1InputLength> bytes{};
    int len;
    explicit Input(const CalcInput& in) : len(in.len) {
        const auto n = static_cast<std::size_t>(in.len);
        const void* nul = n > 0 ? std::memchr(in.data, '\0', n) : nullptr;
        std::memcpy(bytes.data(), in.data, nul == nullptr ? n : static_cast<std::size_t>(static_cast<const char*>(nul) - in.data));
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
