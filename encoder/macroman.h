// Mac OS Roman: the one 8-bit text encoding of bcfont, used both ways.
//
// Every byte maps to one character and back, bytes 128-255 to printable
// characters, so font strings survive text widgets, clipboards and files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bcfont::macroman {

// The Unicode code point of a byte.
char32_t toUnicode(unsigned char byte);

// The byte of a code point, or nothing when Mac OS Roman has no such
// character.
std::optional<unsigned char> fromUnicode(char32_t codePoint);

// Bytes as UTF-8 text, one character per byte.
std::string toUtf8(std::string_view bytes);

// UTF-8 text as bytes; nothing when the text is not valid UTF-8 or holds a
// character Mac OS Roman cannot hold.
std::optional<std::string> fromUtf8(std::string_view utf8);

}  // namespace bcfont::macroman
