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
enum Set : int { B, C };

// The data after the start character as the code sets see it: FNC1 (in
// either set, one symbol character), characters only set B holds (one
// each), and runs of digits (set C takes two at a time).
enum class Kind : std::uint8_t { Fnc1, Text, Digits };
struct Run {
    Kind kind;
    std::uint8_t at, length;  // in Runs::chars
};

// FNC1, the AIs and the values: 48 data characters, a separator after each
// element but the last, the leading FNC1; no two runs of a kind adjoin
// but FNC1s.
constexpr int kMaxRuns = gs1::kMaxDataCharacters + gs1::kMaxElements + 1;

struct Runs {
    std::array<char, gs1::kMaxDataCharacters> chars;
    std::array<Run, kMaxRuns> runs;
    int count = 0;
};

constexpr Kind kindOf(char c) {
    return c >= '0' && c <= '9' ? Kind::Digits : Kind::Text;
}

// Validated data: at most kMaxDataCharacters characters. The open run is
// kept in locals: this runs once per data character.
Runs runsOf(const ElementString& es) {
    Runs out;
    int count = 0, length = 0, runStart = 0;
    Kind open = Kind::Fnc1;
    const auto close = [&] {
        if (open != Kind::Fnc1)
            out.runs[static_cast<std::size_t>(count++)] = {open, static_cast<std::uint8_t>(runStart),
                                                          static_cast<std::uint8_t>(length - runStart)};
    };
    const auto add = [&](char c) {
        if (const Kind kind = kindOf(c); kind != open) {
            close();
            open = kind;
            runStart = length;
        }
        out.chars[static_cast<std::size_t>(length++)] = c;
    };
    out.runs[static_cast<std::size_t>(count++)] = {Kind::Fnc1, 0, 0};
    for (int i = 0; i < es.count; ++i) {
        const gs1::Element& e = es.elements[static_cast<std::size_t>(i)];
        for (const char c : es.ai(e)) add(c);
        for (const char c : es.value(e)) add(c);
        if (!e.entry->predefined && i + 1 < es.count) {
            close();
            open = Kind::Fnc1;
            out.runs[static_cast<std::size_t>(count++)] = {Kind::Fnc1, 0, 0};
        }
    }
    close();
    out.count = count;
    return out;
}

// The fewest symbol characters the rest of the data takes with set B or C
// current. The two never differ by more than one: a change of set costs one.
struct Costs {
    int b, c;
    int in(int set) const { return set == C ? c : b; }
};

// `r` digits, then what costs `next`, from set C: pairs, and an odd last
// digit in set B.
constexpr int digitsFromC(int r, Costs next) {
    return r % 2 == 0 ? r / 2 + next.c : r / 2 + 2 + next.b;
}
// From set B: all in B; or an odd first digit in B, a change, pairs, and
// back to B or not.
constexpr int digitsFromB(int r, Costs next) {
    const int pairsAndOdd = r / 2 + r % 2;
    return std::min(std::min(r, 2 + pairsAndOdd) + next.b, 1 + pairsAndOdd + next.c);
}

Costs costOf(const Runs& in, int i, Costs next) {
    const Run& run = in.runs[static_cast<std::size_t>(i)];
    switch (run.kind) {
        case Kind::Fnc1:
            return {std::min(next.b, next.c + 1) + 1, std::min(next.c, next.b + 1) + 1};
        case Kind::Text:
            return {run.length + next.b, run.length + 1 + next.b};
        case Kind::Digits:
            break;
    }
    return {digitsFromB(run.length, next), digitsFromC(run.length, next)};
}

// Writes symbol characters as font bytes and sums the check character's
// weighted values as it goes.
struct SymbolWriter {
    unsigned char* out;
    std::uint32_t sum = 0;
    std::uint32_t count = 0;

    void put(unsigned value) {
        sum += value * std::max<std::uint32_t>(count, 1);
        ++count;
        *out++ = fontbytes::kCode128[value];
    }
    void pair(const char* digits) { put(static_cast<unsigned>((digits[0] - '0') * 10 + (digits[1] - '0'))); }
    void text(char c) { put(static_cast<unsigned char>(c) - 32u); }
};

// The fewest symbol characters, from cost[i], what runs i.. cost with each
// set current: runs are taken in the set current unless changing is
// cheaper, so changes come as late as they can.
class Encodation {
public:
    explicit Encodation(const ElementString& es) : in_(runsOf(es)) {
        cost_[static_cast<std::size_t>(in_.count)] = {0, 0};
        for (int i = in_.count - 1; i >= 0; --i)
            cost_[static_cast<std::size_t>(i)] = costOf(in_, i, cost_[static_cast<std::size_t>(i + 1)]);
        // The start character picks the set of the leading FNC1 at no cost.
        const Costs afterFnc1 = cost_[1];
        first_ = afterFnc1.c < afterFnc1.b ? C : B;
    }

    // Start, data and check character.
    int symbolCharacters() const { return 1 + 1 + cost_[1].in(first_) + 1; }

    void write(SymbolWriter& w) const {
        int set = first_;
        w.put(kStart[static_cast<std::size_t>(set)]);
        for (int i = 0; i < in_.count; ++i) {
            const Run& run = in_.runs[static_cast<std::size_t>(i)];
            const char* chars = in_.chars.data() + run.at;
            const Costs next = cost_[static_cast<std::size_t>(i + 1)];
            if (run.kind == Kind::Fnc1) {
                w.put(kFnc1);
                continue;
            }
            int r = run.length;
            if (run.kind == Kind::Text) {
                change(w, set, B);
                for (int k = 0; k < r; ++k) w.text(chars[k]);
                continue;
            }
            // Digits in set B, one by one, until changing to C is cheaper.
            while (set == B && r > 0) {
                if (r >= 2 && 2 + digitsFromC(r - 2, next) < 1 + digitsFromB(r - 1, next)) {
                    change(w, set, C);
                    break;
                }
                w.text(*chars++);
                --r;
            }
            // In set C: the pairs, and an odd last digit in set B.
            for (; r >= 2; r -= 2, chars += 2) w.pair(chars);
            if (r == 1) {
                change(w, set, B);
                w.text(*chars);
            }
        }
    }

private:
    static void change(SymbolWriter& w, int& set, int to) {
        if (set == to) return;
        set = to;
        w.put(kCodeSet[static_cast<std::size_t>(to)]);
    }

    Runs in_;
    std::array<Costs, kMaxRuns + 1> cost_;
    int first_;
};

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
    // Most data holds no NUL and is read where it lies.
    if (!gs1::containsByte(in.data, in.len, '\0')) {
        if (const Rejection r = gs1::parse(in.data, in.len, es); !r.accepted()) return r;
        return gs1::validate(es);
    }
    const Input input(in);
    if (const Rejection r = gs1::parse(input.bytes.data(), input.len, es); !r.accepted()) return r;
    return gs1::validate(es);
}

}  // namespace

Rejection calcGs1128(const CalcInput& in, char* out) {
    ElementString es;
    if (const Rejection r = readAndValidate(in, es); !r.accepted()) return r;
    const Encodation encodation(es);
    // The check character is always drawn: GS1-128 requires it.
    const int characters = encodation.symbolCharacters();
    const int modules = gs1::kModulesPerCharacter * characters + gs1::kStopAndQuietModules;
    if (modules * gs1::kModuleMm > gs1::kMaxSymbolMm)
        return {Reject::Gs1TooWide, 0, 0, static_cast<std::size_t>(modules)};
    const int length = characters + 1;  // and the stop
    if (length > static_cast<int>(kFontStringCapacity) - 1)
        return {Reject::FontStringTooLong, 0, 0, static_cast<std::size_t>(length)};
    SymbolWriter w{reinterpret_cast<unsigned char*>(out)};
    encodation.write(w);
    *w.out++ = fontbytes::kCode128[w.sum % 103];
    *w.out++ = fontbytes::kCode128[kStop];
    *w.out = '\0';
    return written(static_cast<std::size_t>(length));
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
