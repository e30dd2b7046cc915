#include "symbology.h"

#include <array>
#include <cctype>

namespace bcfont {
namespace {

constexpr std::array<Symbology, kCodeTypeCount> kSymbologies = {{
    {EAN8, "ean8", "EAN-8"},
    {EAN13, "ean13", "EAN-13"},
    {UPCA, "upca", "UPC-A"},
    {UPCE, "upce", "UPC-E"},
    {C39, "code39", "Code 39"},
    {C128, "code128", "Code 128"},
    {C128EAN, "code128ean", "Code 128 EAN/UCC"},
    {TOFIL, "itf", "2 of 5 Interleaved"},
    {TOFIND, "industrial25", "2 of 5 Industrial"},
    {CODABAR, "codabar", "Codabar"},
    {POSTNET, "postnet", "Postnet"},
}};

// The faces of each symbology: normal, half height ("Red"), high density,
// and both. Symbologies without a high-density face repeat the normal ones;
// Postnet has one face for everything.
struct Faces {
    std::string_view normal, red, highDensity, redHighDensity;
    int pointSize;
};

constexpr std::array<Faces, kCodeTypeCount> kFaces = {{
    {"Code EAN", "Code EAN Red", "Code EAN", "Code EAN Red", 72},
    {"Code EAN", "Code EAN Red", "Code EAN", "Code EAN Red", 72},
    {"Code UPC", "Code UPC Red", "Code UPC", "Code UPC Red", 72},
    {"Code UPC", "Code UPC Red", "Code UPC", "Code UPC Red", 72},
    {"Code 39", "Code 39 Red", "Code 39 High Density", "Code 39 Red High Density", 30},
    {"Code 128", "Code 128 Red", "Code 128", "Code 128 Red", 30},
    {"Code 128", "Code 128 Red", "Code 128", "Code 128 Red", 30},
    {"Code 25 Interleaved", "Code 25 Interleaved Red", "Code 25 Interleaved HD", "Code 25 Interleaved Red HD",
     30},
    {"Code 25 Industrial", "Code 25 Industrial Red", "Code 25 Industrial", "Code 25 Industrial Red", 30},
    {"Codabar", "Codabar Red", "Codabar", "Codabar Red", 40},
    {"Postnet", "Postnet", "Postnet", "Postnet", 9},
}};

static_assert(kSymbologies.size() == kFaces.size());

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

const Symbology& symbology(CodeType type) {
    return kSymbologies.at(static_cast<std::size_t>(type));
}

std::optional<CodeType> codeTypeFromString(std::string_view text) {
    if (!text.empty() && text.size() <= 2 && std::isdigit(static_cast<unsigned char>(text[0])) &&
        std::isdigit(static_cast<unsigned char>(text.back()))) {
        const int value = text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
        if (value < kCodeTypeCount) return static_cast<CodeType>(value);
        return std::nullopt;
    }
    for (const auto& s : kSymbologies) {
        if (equalsIgnoringCase(s.name, text)) return s.type;
    }
    return std::nullopt;
}

FontChoice fontFor(CodeType type, bool halfHeight, bool highDensity) {
    const Faces& f = kFaces.at(static_cast<std::size_t>(type));
    const std::string_view family =
        halfHeight ? (highDensity ? f.redHighDensity : f.red) : (highDensity ? f.highDensity : f.normal);
    return {family, f.pointSize};
}

}  // namespace bcfont
