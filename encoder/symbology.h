// Every fact about the symbologies, one row each: names, the options the
// window offers, faces, check character, data alphabet and lengths, the
// encoder Calc runs and the writer of the text printed under the bars.
// Every front end reads this table instead of
// switching on the CodeType.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "encoder.h"

namespace bcfont {

namespace internal {
struct CalcInput;
struct Rejection;
// Writes the font string of a request whose length the table accepts, or
// says why not. Declared with the encoders in encoder_internal.h.
using Encoder = Rejection (*)(const CalcInput& in, char* out);
// Writes the NUL-terminated human-readable text of an accepted request (the
// text a label prints under the bars) into a kFontStringCapacity buffer, and
// returns written(length) or why not.
using TextWriter = Rejection (*)(const CalcInput& in, char* out);
// What the elements of the data mean, one title each, as UTF-8 text for
// the window: "(01) GTIN · (10) BATCH/LOT".
using TitlesWriter = std::string (*)(std::string_view data);
}  // namespace internal

// The option controls the window enables for a symbology.
struct Options {
    bool highDensity, checksum, halfHeight, addonGroup;
};

// The faces that draw a symbology: normal, half height ("Red"), high
// density, and both, and the point size they are set at. Symbologies
// without a high-density face repeat the normal ones.
struct Faces {
    std::string_view normal, red, highDensity, redHighDensity;
    int pointSize;
};

enum class CheckCharacter : std::uint8_t {
    Always,    // computed and drawn whatever the check option says
    Optional,  // drawn when the check option is on
    Expected,  // optional to Calc, but the standard makes it mandatory: scanners need it
    None,      // the symbology has none; the check option changes nothing
};

enum class Alphabet : std::uint8_t {
    Digits,             // '0' to '9'
    Ascii7WithEscapes,  // bytes 0-127 (NUL too), "~ddd" for a byte and "~~" for a tilde
    Gs1ElementString,   // "(01)09501101530003(10)ABC": AIs in brackets, each with its value
    Utf8Text,           // any UTF-8 text (the 2D codes)
};

// Whether a NUL byte can be data. Calc reads its data only up to the first
// NUL, so a caller holding a NUL inside the data cannot hand it over.
constexpr bool nulIsData(Alphabet alphabet) {
    return alphabet == Alphabet::Ascii7WithEscapes;
}

// Data lengths a symbology accepts, as a set of counts 0..63.
using Lengths = std::uint64_t;
inline constexpr Lengths kAnyLength = ~Lengths{0};
constexpr Lengths lengthsOf(std::initializer_list<int> counts) {
    Lengths set = 0;
    for (int n : counts) set |= Lengths{1} << n;
    return set;
}
constexpr bool accepts(Lengths set, int count) {
    if (set == kAnyLength) return count >= 0;
    return count >= 0 && count < 64 && ((set >> count) & 1) != 0;
}

// How a symbology lays out its modules, and so which matrix the matrix
// module asks libzint for.
enum class Layout : std::uint8_t { Linear, Qr, DataMatrix, Pdf417 };

// The 2D font string around a matrix: blank modules on every side, and how
// many font-string module rows each matrix row takes.
struct MatrixForm {
    Layout layout = Layout::Linear;
    std::uint8_t quietZone = 0;
    std::uint8_t rowHeight = 1;
    std::uint16_t minModuleUm = 0;  // the smallest module printed, in micrometres

    constexpr bool isMatrix() const { return layout != Layout::Linear; }
};

// The options a type takes after its name ("qr:ecc=H,version=5"), one bit
// each; type_choice.cpp names and reads them.
enum OptionKey : std::uint8_t {
    kQrEcc = 1,       // ecc=L|M|Q|H
    kQrVersion = 2,   // version=1..40
    kDmShape = 4,     // shape=square|rect
    kDmSize = 8,      // size=RxC, an ECC 200 size
    kPdfColumns = 16, // columns=1..30
    kPdfEcc = 32,     // ecc=0..8
};
using OptionKeys = std::uint8_t;

struct Symbology {
    CodeType type;
    std::string_view name;      // short name for --type, e.g. "ean13"
    std::string_view fullName;  // e.g. "EAN-13"
    std::string_view factKey;   // the window's description, e.g. "NSFactEAN13"
    Options offers;
    Faces faces;
    CheckCharacter check;
    Alphabet alphabet;
    Lengths lengths;  // kAnyLength: anything up to maxLength
    internal::Encoder encoder;
    internal::TextWriter text;
    int maxLength = kMaxDataLength;  // the most characters Calc takes
    internal::TitlesWriter titles = nullptr;  // for data made of elements with titles
    MatrixForm matrix = {};          // 2D codes: Calc rejects them, the matrix module makes them
    OptionKeys options = 0;          // the type options it takes
    bool digitPairs = false;         // drawn a pair of digits at a time: a leading 0 evens an odd count
};

// In CodeType order.
const Symbology& symbology(CodeType type);
std::span<const Symbology> symbologies();

// Whether leaving out the optional check character makes a symbol that
// scanners refuse (the standard makes it mandatory).
inline bool scannersNeedCheck(CodeType type) {
    return symbology(type).check == CheckCharacter::Expected;
}

// Whether the encoder puts a 0 before `digits` digits of accepted data (and
// the check digit, with `check`) to make their count even.
inline bool addsLeadingZero(CodeType type, std::size_t digits, bool check) {
    return symbology(type).digitPairs && (digits + (check ? 1 : 0)) % 2 == 1;
}

// Whether `value` (an index of the window's selector, a stored number) is a CodeType.
constexpr bool isCodeType(std::int64_t value) {
    return value >= 0 && value < kCodeTypeCount;
}

// Accepts the CodeType number ("1") or the short name ("ean13", any case).
std::optional<CodeType> codeTypeFromString(std::string_view text);

// The barcode font that draws a font string of `type` with the half-height
// and high-density options, and its size in points.
struct FontChoice {
    std::string_view family;
    int pointSize;
};
FontChoice fontFor(CodeType type, bool halfHeight, bool highDensity);

}  // namespace bcfont
