// How much data each 2D symbol holds, for the reason given when data does
// not fit the options chosen.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "symbology.h"
#include "type_choice.h"

namespace bcfont::matrix {

// The kind of data that decides how much a symbol holds: the most compact
// mode all of it fits.
enum class DataKind : std::uint8_t { Digits, Alphanumeric, Bytes };

// What the data needs: its kind, how many characters (bytes for Bytes) and
// whether it goes with ECI 26 (UTF-8).
struct Need {
    DataKind kind;
    std::size_t count;
    bool eci;
};

// `bytes` as the symbol carries them: Latin-1, or UTF-8 with `eci`.
Need needOf(Layout layout, std::string_view bytes, bool eci);

// The most characters of the need's kind the largest symbol `spec` allows holds.
std::size_t capacity(Layout layout, const TypeSpec& spec, const Need& need);

// "QR at ECC level H holds at most 1273 bytes of this kind, got 1400".
std::string tooLongSentence(Layout layout, const TypeSpec& spec, const Need& need);

}  // namespace bcfont::matrix
