// Mac OS Roman: the one 8-bit text encoding of bcfont, used both ways.
//
// Every byte maps to one character and back, bytes 128-255 to printable
// characters, so font strings survive text widgets, clipboards and files.
#pragma once

#include "wording.h"

#include <cstddef>
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

// The same conversion into a caller's buffer, without allocating, and with
// where it stopped when it fails: the first fault in the text.
struct Decoded {
    enum class Fault { None, InvalidUtf8, NotInMacRoman };
    Fault fault = Fault::None;
    std::size_t size = 0;       // bytes written to `out`
    std::size_t byte = 0;       // 1-based byte of the fault in the text
    std::size_t character = 0;  // 1-based character of the fault
    std::string_view sequence;  // the UTF-8 bytes of the character at fault
};
// `out` needs room for utf8.size() bytes: no character takes more bytes in
// Mac OS Roman than in UTF-8.
Decoded fromUtf8(std::string_view utf8, char* out);

// Whether `bytes` are well-formed UTF-8, whatever characters they hold (no
// overlong forms, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Why decoding failed, as the end of a sentence about the text:
// "is not valid UTF-8 (byte 3)" or "holds 'ł' (character 2), which Mac OS
// Roman cannot encode"; empty when it did not fail. Surrogates, overlong
// forms and values above U+10FFFF are invalid UTF-8 like any other
// malformed sequence.
std::string faultReason(const Decoded& decoded, Language language = Language::English);

}  // namespace bcfont::macroman
