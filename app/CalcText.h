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

// What one batch conversion produced.
struct BatchResult {
    std::string output;  // UTF-8: one font string and an LF per converted line
    int converted = 0;   // lines that gave a font string
    int rejected = 0;    // non-empty lines that gave none
};

// Converts every line of `inputUtf8` (LF, CR or CR LF line ends) by the
// batch rules the command line follows (bcfont::convertAll, as UTF-8 text).
// Empty lines and rejected lines give no output line; so do lines that do
// not fit a Calc buffer or hold a character Mac OS Roman lacks.
BatchResult convertBatch(std::string_view inputUtf8, CodeType type, bool check);

// Where the first character that Mac OS Roman cannot hold sits in a text:
// 1-based line and column, counted in characters. Nothing when there is none.
struct TextPosition {
    int line = 0;
    int column = 0;
};
std::optional<TextPosition> firstUnencodable(std::string_view utf8);

}  // namespace bcfont::app
