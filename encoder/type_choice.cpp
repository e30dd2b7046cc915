#include "type_choice.h"

#include <cctype>

#include "symbology.h"

namespace bcfont {
namespace {

// The option keys: the names typed, the values each takes as the sentence
// of a bad value words them, and the syntax help shows.
struct KeyRow {
    OptionKey bit;
    std::string_view name;
    std::string_view expected;  // "must be <expected>, not ..."
    std::string_view syntax;    // "ecc=L|M|Q|H"
};
constexpr std::array<KeyRow, 6> kKeys = {{
    {kQrEcc, "ecc", "L, M, Q or H", "ecc=L|M|Q|H"},
    {kQrVersion, "version", "1 to 40", "version=1..40"},
    {kDmShape, "shape", "square or rect", "shape=square|rect"},
    {kDmSize, "size", "an ECC 200 size: 10x10 to 144x144, 8x18, 8x32, 12x26, 12x36, 16x36 or 16x48",
     "size=RxC"},
    {kPdfColumns, "columns", "1 to 30", "columns=1..30"},
    {kPdfEcc, "ecc", "0 to 8", "ecc=0..8"},
}};

constexpr char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

constexpr bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// A whole number of one to three digits within low..high, or -1.
int smallNumber(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 3) return -1;
    int n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n >= low && n <= high ? n : -1;
}

// "RxC" as an ECC 200 size: its kEcc200Sizes index + 1, or 0.
int ecc200Size(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return 0;
    const int rows = smallNumber(text.substr(0, x), 1, 144), columns = smallNumber(text.substr(x + 1), 1, 144);
    for (std::size_t i = 0; i < kEcc200Sizes.size(); ++i)
        if (kEcc200Sizes[i].rows == rows && kEcc200Sizes[i].columns == columns) return static_cast<int>(i) + 1;
    return 0;
}

// Sets `key`'s value in the request; false when the value is not one it takes.
bool setValue(OptionKey key, std::string_view value, TypeSpec& spec) {
    switch (key) {
        case kQrEcc: {
            constexpr std::string_view kLevels = "LMQH";
            if (value.size() != 1) return false;
            const std::size_t level = kLevels.find(static_cast<char>(std::toupper(static_cast<unsigned char>(value[0]))));
            if (level == std::string_view::npos) return false;
            spec.qrEcc = static_cast<QrEcc>(level);
            return true;
        }
        case kQrVersion: {
            const int v = smallNumber(value, 1, 40);
            spec.qrVersion = static_cast<std::uint8_t>(v < 0 ? 0 : v);
            return v > 0;
        }
        case kDmShape:
            spec.shapeGiven = true;
            spec.rectangular = sameIgnoringCase(value, "rect");
            return spec.rectangular || sameIgnoringCase(value, "square");
        case kDmSize:
            spec.dmSize = static_cast<std::uint8_t>(ecc200Size(value));
            return spec.dmSize != 0;
        case kPdfColumns: {
            const int n = smallNumber(value, 1, 30);
            spec.pdfColumns = static_cast<std::uint8_t>(n < 0 ? 0 : n);
            return n > 0;
        }
        case kPdfEcc: {
            const int n = smallNumber(value, 0, 8);
            spec.pdfEcc = static_cast<std::int8_t>(n);
            return n >= 0;
        }
    }
    return false;
}

const KeyRow* keyNamed(std::string_view name, OptionKeys taken) {
    for (const KeyRow& k : kKeys)
        if ((taken & k.bit) != 0 && sameIgnoringCase(k.name, name)) return &k;
    return nullptr;
}

constexpr bool isSquare(int sizeNumber) {
    return sizeNumber <= static_cast<int>(kEcc200Squares);
}

}  // namespace

ParsedSpec parseTypeSpec(std::string_view text) {
    ParsedSpec parsed;
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    const auto type = codeTypeFromString(name);
    if (!type) {
        parsed.fault = {SpecFault::Kind::UnknownType, EAN8, name, {}};
        return parsed;
    }
    parsed.spec.type = *type;
    if (colon == std::string_view::npos) return parsed;
    const OptionKeys taken = symbology(*type).options;
    std::string_view rest = text.substr(colon + 1);
    if (taken == 0) {
        parsed.fault = {SpecFault::Kind::TakesNoOptions, *type, rest, {}};
        return parsed;
    }
    OptionKeys seen = 0;
    for (;;) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        const std::size_t equals = item.find('=');
        const std::string_view key = item.substr(0, equals);
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : item.substr(equals + 1);
        SpecFault& fault = parsed.fault;
        if (item.empty()) {
            fault = {SpecFault::Kind::EmptyOption, *type, {}, {}};
            return parsed;
        }
        const KeyRow* k = keyNamed(key, taken);
        if (k == nullptr) {
            fault = {SpecFault::Kind::UnknownKey, *type, key, {}};
            return parsed;
        }
        if ((seen & k->bit) != 0) {
            fault = {SpecFault::Kind::RepeatedKey, *type, k->name, {}};
            return parsed;
        }
        seen |= k->bit;
        if (value.empty()) {
            fault = {SpecFault::Kind::NoValue, *type, k->name, {}};
            return parsed;
        }
        if (!setValue(k->bit, value, parsed.spec)) {
            fault = {SpecFault::Kind::BadValue, *type, k->name, value};
            return parsed;
        }
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    const TypeSpec& s = parsed.spec;
    if (s.shapeGiven && s.dmSize != 0 && isSquare(s.dmSize) == s.rectangular)
        parsed.fault = {SpecFault::Kind::SizeNotShape, *type, {}, {}};
    return parsed;
}

std::string specFaultSentence(const SpecFault& fault) {
    using enum SpecFault::Kind;
    const std::string name(fault.kind == UnknownType ? std::string_view() : symbology(fault.type).fullName);
    const std::string text(fault.text), value(fault.value);
    switch (fault.kind) {
        case None:
            return {};
        case UnknownType:
            return "unknown type '" + text + "'";
        case TakesNoOptions:
            return name + " takes no options, got '" + text + "'";
        case EmptyOption:
            return "an option after the type is empty; write " + optionSyntax(fault.type) + ", split by commas";
        case UnknownKey:
            return name + " has no option '" + text + "'; it takes " + optionSyntax(fault.type);
        case NoValue:
        case BadValue: {
            const KeyRow* k = keyNamed(text, symbology(fault.type).options);
            const std::string expected(k != nullptr ? k->expected : std::string_view());
            if (fault.kind == NoValue) return text + " needs a value: " + expected;
            return text + " must be " + expected + ", not " + value;
        }
        case RepeatedKey:
            return text + " is given twice";
        case SizeNotShape:
            return "the size and shape disagree: a square size needs shape=square, a rectangular one shape=rect";
    }
    return {};
}

std::string optionSyntax(CodeType type) {
    std::string text;
    for (const KeyRow& k : kKeys) {
        if ((symbology(type).options & k.bit) == 0) continue;
        if (!text.empty()) text += ", ";
        text += k.syntax;
    }
    return text;
}

}  // namespace bcfont
