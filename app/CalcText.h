// Text on the window's side, bytes on Calc's side: the conversions between
// them, through the Mac OS Roman table, within Calc's 100-byte buffers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "encoder.h"

namespace bcfont::app {

// Longest text, in bytes, that fits a Calc buffer with its terminator.
inline constexpr std::size_t kMaxTextBytes = kFontStringCapacity - 1;

// The Mac OS Roman bytes of a UTF-8 text, or nothing when the text holds a
// character Mac OS Roman lacks or needs more than kMaxTextBytes bytes.
std::optional<std::string> calcBytes(std::string_view utf8);

// Where the first character that Mac OS Roman cannot hold sits in a text:
// 1-based line and column, counted in characters. Nothing when there is none.
struct TextPosition {
    int line = 0;
    int column = 0;
    std::size_t offset = 0;  // of the character's first byte in the text
    std::size_t length = 0;  // its UTF-8 bytes
};
std::optional<TextPosition> firstUnencodable(std::string_view utf8);

}  // namespace bcfont::app
