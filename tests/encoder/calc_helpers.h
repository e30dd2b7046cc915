// Calls Calc the way the window does and checks tables of named rows against it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "encode.h"
#include "encoder.h"
#include "font_bytes.h"
#include "symbology.h"

namespace bcfont::test {

// Font strings compared as decimal codes, so that failures print bytes.
using Codes = std::vector<int>;

inline Codes codes(std::string_view text) {
    Codes out;
    for (char c : text) out.push_back(static_cast<unsigned char>(c));
    return out;
}

inline Codes concat(std::initializer_list<Codes> parts) {
    Codes out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// The escape that enters `value` (taken modulo 256): a tilde and three digits.
inline std::string escapeOf(int value) {
    return "~" + std::to_string(1000 + value).substr(1);
}

inline std::string repeat(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// What the output buffer holds after a call.
enum class After { Written, Empty, AsPassed };
inline constexpr After W = After::Written, E = After::Empty, P = After::AsPassed;

inline void PrintTo(After after, std::ostream* os) {
    *os << (after == After::Written ? "written" : after == After::Empty ? "empty" : "as passed");
}

// The buffer is filled with 'Q' before the call, so that a font string
// without its terminator and a half-written rejection both show.
struct CalcOutcome {
    static constexpr unsigned char kFill = 'Q';
    int result = 0;
    std::array<unsigned char, kFontStringCapacity> buffer{};

    After after() const {
        if (buffer[0] == 0) return After::Empty;
        if (std::all_of(buffer.begin(), buffer.end(), [](unsigned char c) { return c == kFill; }))
            return After::AsPassed;
        return After::Written;
    }
    // The font string up to its terminator (the whole buffer when there is none).
    Codes string() const { return Codes(buffer.begin(), std::find(buffer.begin(), buffer.end(), 0)); }
};

inline CalcOutcome runCalc(CodeType type, std::string_view text, const char* addon = "", bool check = false,
                           std::optional<int> len = std::nullopt) {
    std::array<char, kFontStringCapacity> data{};
    std::copy_n(text.begin(), std::min(text.size(), data.size()), data.begin());
    CalcOutcome outcome;
    outcome.buffer.fill(CalcOutcome::kFill);
    outcome.result = Calc(type, data.data(), reinterpret_cast<char*>(outcome.buffer.data()), addon,
                          len.value_or(static_cast<int>(text.size())), check ? 1 : 0);
    return outcome;
}

// One request and what Calc must make of it: the exact font string, or a
// rejection that leaves the buffer empty or as passed.
struct Row {
    const char* name;
    CodeType type;
    std::string data;
    bool check;
    Codes expected;  // the font string when `after` is Written
    After after = After::Written;
    const char* addon = "";
    const char* reason = nullptr;  // what rejectionReason and encode say; null: not checked
};

inline bool ignoresCheckOption(CodeType type) {
    const CheckCharacter check = symbology(type).check;
    return check == CheckCharacter::Always || check == CheckCharacter::None;
}

// Each row also runs with the options its symbology ignores changed: the
// check option where it has no effect, an add-on everywhere but EAN-13.
// rejectionReason and encode give no reason for an accepted row, and the
// row's reason for a rejected one.
inline void expectRows(std::span<const Row> rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::tuple<const char*, const char*, bool>> variants = {
            {"as given", row.addon, row.check}};
        if (ignoresCheckOption(row.type))
            variants.emplace_back("check option flipped", row.addon, !row.check);
        if (row.type != EAN13) variants.emplace_back("with an add-on", "12345", row.check);
        for (const auto& [variant, addon, check] : variants) {
            SCOPED_TRACE(variant);
            const CalcOutcome out = runCalc(row.type, row.data, addon, check);
            EXPECT_EQ(out.result, row.after == After::Written ? 0 : -1);
            EXPECT_EQ(out.after(), row.after);
            if (row.after == After::Written) {
                EXPECT_EQ(out.string(), row.expected);
            }
            if (row.after != After::Written && !row.reason) continue;
            const std::string reason = row.after == After::Written ? "" : row.reason;
            EXPECT_EQ(rejectionReason(row.type, row.data, addon, check), reason);
            std::string why;
            EXPECT_EQ(encode(row.type, row.data, addon, check, &why).has_value(), reason.empty());
            EXPECT_EQ(why, reason);
        }
    }
}

// Generated requests for the sweep over every symbology, which also reads
// every Code 128 symbol back; the font tests draw the Code 39 and 128 ones.
inline constexpr int kFnc1 = 256;  // FNC1 in what a scanner reads

struct Request {
    CodeType type;
    std::string data;
    std::optional<std::string> addon;  // nullopt: Calc gets a null add-on
    bool check;
    // What a scanner must read from the symbol: the characters entered, kFnc1
    // for FNC1. Unknown (nullopt) once a raw NUL or a cut escape is in the data.
    std::optional<Codes> meaning;
};

// Mostly digits, at the lengths the symbologies accept and around them, with
// 7-bit characters typed or escaped, FNC1, bytes and escapes above 127, raw
// NULs, and escapes cut short at the end.
inline Request generate(std::mt19937& rng, CodeType type) {
    const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    static constexpr int kLengths[] = {0, 1, 2, 5, 7, 8, 9, 11, 12, 13, 46, 47, 48, 49};
    const auto length = static_cast<std::size_t>(pick(2) == 0 ? kLengths[pick(14)] : pick(61));
    const int otherEvery = pick(2) == 0 ? 1 + pick(3) : 1 + pick(40);
    Request request{type, {}, std::string{}, pick(2) == 0, Codes{}};
    while (request.data.size() < length) {
        std::string piece(1, static_cast<char>('0' + pick(10)));
        Codes meant = codes(piece);
        const int roll = pick(otherEvery) == 0 ? pick(40) : -1;
        if (roll == 0) {  // Calc's data ends at a raw NUL
            piece = std::string(1, '\0');
            request.meaning.reset();
        } else if (roll == 1 || roll == 2) {  // a byte above 127 typed or escaped, or FNC1
            meant = {roll == 1 ? 128 + pick(128) : kFnc1};
            piece = roll == 2      ? "~999"
                    : pick(2) == 0 ? std::string(1, static_cast<char>(meant[0]))
                                   : escapeOf(meant[0]);
        } else if (roll > 2) {  // a 7-bit character typed, escaped (maybe + 256) or a doubled tilde
            meant = {pick(128)};
            piece = meant[0] == '~'                 ? "~~"
                    : meant[0] != 0 && pick(3) != 0 ? std::string(1, static_cast<char>(meant[0]))
                                                    : escapeOf(meant[0] + 256 * pick(2));
        }
        request.data += piece;
        if (request.meaning) request.meaning->insert(request.meaning->end(), meant.begin(), meant.end());
    }
    if (request.data.size() > length) request.meaning.reset();
    request.data.resize(length);
    if (pick(10) == 0) {
        request.addon.reset();
    } else {
        for (int i = pick(8); i > 0; --i)
            request.addon->push_back(pick(6) == 0 ? "x -\xC8"[pick(4)] : static_cast<char>('0' + pick(10)));
    }
    return request;
}

inline CalcOutcome runRequest(const Request& request) {
    return runCalc(request.type, request.data, request.addon ? request.addon->c_str() : nullptr,
                   request.check);
}

inline std::string describe(const Request& r) {
    return ::testing::PrintToString(std::tie(r.type, r.data, r.addon, r.check));
}

// ---------------------------------------------------------------- Code 128 read back

inline constexpr int kStopValue = fontbytes::kCode128StopValue;  // the stop pattern in decoded value lists

// The symbol value of a Code 128 font byte, as the fonts draw it; -1 for a
// byte the encoder must never write, Start A among them.
inline int valueOfFontByte(int b) {
    static constexpr int kStartA = 103;
    const auto* bytes = fontbytes::kCode128.data();
    const auto* found = std::find(bytes, bytes + fontbytes::kCode128.size(), b);
    const auto value = static_cast<int>(found - bytes);
    return found == bytes + fontbytes::kCode128.size() || value == kStartA ? -1 : value;
}

inline Codes valuesOf(const Codes& font) {
    Codes values;
    for (int b : font) values.push_back(valueOfFontByte(b));
    return values;
}

// An independent Code 128 reader: checks stop and check value, follows the
// code set changes and reports the characters, kFnc1 for FNC1.
inline std::optional<Codes> readCode128(const Codes& font, bool withCheck) {
    Codes values = valuesOf(font);
    if (values.size() < (withCheck ? 3u : 2u) || values.back() != kStopValue) return std::nullopt;
    values.pop_back();
    if (withCheck) {
        long sum = values[0];
        for (std::size_t j = 1; j + 1 < values.size(); ++j) sum += values[j] * static_cast<long>(j);
        if (sum % 103 != values.back()) return std::nullopt;
        values.pop_back();
    }
    if (values[0] != 104 && values[0] != 105) return std::nullopt;
    int set = values[0] == 104 ? 'B' : 'C';
    Codes text;
    for (std::size_t i = 1; i < values.size(); ++i) {
        const int v = values[i];
        if (v == 102) {
            text.push_back(kFnc1);
        } else if (set == 'C' && v >= 0 && v < 100) {
            text.insert(text.end(), {'0' + v / 10, '0' + v % 10});
        } else if (set != 'C' && v >= 0 && v < 96) {
            text.push_back(set == 'B' ? v + 32 : (v < 64 ? v + 32 : v - 64));
        } else if (v >= 99 && v <= 101 && set != "CBA"[v - 99]) {
            set = "CBA"[v - 99];
        } else {
            return std::nullopt;  // shift, FNC2 to FNC4, a latch to the set in force: never written
        }
    }
    return text;
}

}  // namespace bcfont::test
