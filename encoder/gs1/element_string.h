// A GS1 element string typed as AIs in brackets, each followed by its value:
// read into elements, checked against the AI table, and turned into the
// Code 128 entries of a GS1-128 symbol.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "ai_table.h"
#include "encoder.h"
#include "encoder_internal.h"

namespace bcfont::gs1 {

// GS1-128 carries at most this many data characters, AIs included
// (General Specifications 5.4.1).
inline constexpr int kMaxDataCharacters = 48;
// A symbol at most this long, quiet zones included (General Specifications 5.4.4.5).
inline constexpr double kMaxSymbolMm = 165.0;
// The module of the Code 128 faces at their point size: 24 of 1000 units
// of a 30-point em, 0.72 pt.
inline constexpr double kModuleMm = 0.72 * 25.4 / 72.0;
// Each character 11 modules, the stop 13, the quiet zones 10 each side.
inline constexpr int kModulesPerCharacter = 11;
inline constexpr int kStopAndQuietModules = 13 + 20;
// Every element takes at least three input characters and two brackets.
inline constexpr int kMaxElements = kMaxGs1InputLength / 5 + 1;

// What is wrong with the brackets and escapes (Reject::Gs1Syntax's byte).
enum class Syntax : std::uint8_t {
    NoAi,          // the data does not start with a bracket
    Space,         // a space
    AiNotClosed,   // no closing bracket within four characters
    AiNotDigits,   // the brackets hold something other than 2 to 4 digits
    EmptyValue,    // an AI with nothing after it
    StrayBracket,  // a closing bracket inside a value, not escaped
    BadEscape,     // a backslash before something other than a bracket or backslash
};

struct Element {
    const AiEntry* entry;       // null for an AI GS1 does not define
    std::uint8_t start;         // where its opening bracket is in the input, from 0
    std::uint8_t aiLength;
    std::uint8_t valueAt;       // in ElementString::values
    std::uint8_t valueLength;   // without escapes
    std::array<char, 4> ai;     // NUL after the digits: equal AIs are equal arrays
};

struct ElementString {
    std::array<char, kMaxGs1InputLength> values;  // the values without escapes, one after another
    std::array<Element, kMaxElements> elements;
    int count = 0;

    std::string_view ai(const Element& e) const { return {e.ai.data(), e.aiLength}; }
    std::string_view value(const Element& e) const { return {values.data() + e.valueAt, e.valueLength}; }
    // The element whose bracket is at 1-based `position` (a rejection's).
    const Element* at(int position) const;
    int dataCharacters() const;
};

// Whether `len` bytes at `data` hold `byte`, eight at a time: data is
// seldom longer than 60 bytes, and mostly holds no such byte.
inline bool containsByte(const char* data, int len, unsigned char byte) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    const std::uint64_t each = kOnes * byte;
    int i = 0;
    for (; i + 8 <= len; i += 8) {
        std::uint64_t v;
        std::memcpy(&v, data + i, 8);
        v ^= each;  // a zero byte where `byte` was
        if (((v - kOnes) & ~v & kHighs) != 0) return true;
    }
    for (; i < len; ++i) {
        if (static_cast<unsigned char>(data[i]) == byte) return true;
    }
    return false;
}

// Reads brackets and escapes (Reject::Gs1Syntax); `len` is at most kMaxGs1InputLength.
internal::Rejection parse(const char* data, int len, ElementString& out);
// Checks every element against the AI table, then the elements together.
internal::Rejection validate(const ElementString& es);

// The first requirement of `e` (alternatives as in AiEntry::req) that `es`
// does not meet, or empty.
std::string_view unmetRequirement(const ElementString& es, const AiEntry& e);

// Whether an AI matches a dictionary pattern such as "31nn".
bool matches(std::string_view ai, std::string_view pattern);

// A component of an element's value as the table splits it.
struct Part {
    const Component* component;
    std::uint8_t at, length;
};
// The parts of a value whose length the table accepts; returns their count.
int split(const AiEntry& e, std::string_view value, std::array<Part, 5>& parts);

}  // namespace bcfont::gs1
