// Names and fonts of the eleven symbologies, shared by every front end.
#pragma once

#include <optional>
#include <string_view>

#include "encoder.h"

namespace bcfont {

struct Symbology {
    CodeType type;
    std::string_view name;      // short name for --type, e.g. "ean13"
    std::string_view fullName;  // e.g. "EAN-13"
};

// In CodeType order.
const Symbology& symbology(CodeType type);

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
