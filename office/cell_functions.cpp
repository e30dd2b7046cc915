#include "cell_functions.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "catalogue.h"
#include "encode.h"
#include "function_table.h"
#include "macroman.h"
#include "matrix.h"
#include "symbology.h"
#include "type_choice.h"

namespace bcfont::office {
namespace {

// Calc keeps 15 significant digits; a larger whole number in a cell has
// already lost its last digits, so encoding it would print wrong ones.
constexpr double kLargestExactCellNumber = 999'999'999'999'999.0;

// An argument converted, or why it could not be.
template <typename T>
struct Converted {
    std::optional<T> value;
    std::string reason;
};

template <typename T>
Converted<T> failure(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

std::string shortest(double number) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
    return std::string(buffer, end);
}

std::string wholeNumberDigits(double number) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed, 0).ptr;
    return std::string(buffer, end);
}

std::string codePointName(char32_t c) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<unsigned>(c), 16).ptr;
    std::string hex(buffer, end);
    for (char& h : hex) h = static_cast<char>(std::toupper(static_cast<unsigned char>(h)));
    return "U+" + std::string(hex.size() < 4 ? 4 - hex.size() : 0, '0') + hex;
}

// An argument's name as the Function Wizard shows it in `language`.
std::string argumentName(const ArgumentInfo& argument, Language language) {
    return std::string(language == Language::German ? argument.displayName.de : argument.displayName.en);
}

// UTF-16 text as Mac OS Roman bytes, the encoder's character set.
Converted<std::string> macRomanBytes(std::u16string_view text, const std::string& what, Language language) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool highSurrogate = c >= 0xD800 && c <= 0xDBFF;
        if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        const auto byte = macroman::fromUnicode(c);
        if (!byte) return failure<std::string>(say(language, text::kCellNotMacRoman, {what, codePointName(c)}));
        bytes.push_back(static_cast<char>(*byte));
    }
    return {std::move(bytes), {}};
}

// UTF-16 text as UTF-8, the 2D codes' character set: any character but
// half of a surrogate pair.
Converted<std::string> utf8Bytes(std::u16string_view text, std::string_view what) {
    std::string bytes;
    bytes.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool highSurrogate = c >= 0xD800 && c <= 0xDBFF;
        if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            return failure<std::string>(std::string(what) + " holds " + codePointName(c) +
                                        ", half of a character cut in two");
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return {std::move(bytes), {}};
}

// The digits of a number cell used as data or add-on text.
Converted<std::string> numberAsText(double number, const std::string& what, Language language) {
    if (!std::isfinite(number) || number < 0 || number != std::floor(number) ||
        number > kLargestExactCellNumber)
        return failure<std::string>(say(language, text::kCellNotWhole,
                                        {what, shortest(number), wholeNumberDigits(kLargestExactCellNumber)}));
    return {wholeNumberDigits(number), {}};
}

// Calc hands an add-in an empty cell as the number 0, so 0 must read as
// empty: blank rows stay blank. The data 0 needs a text cell.
bool isBlank(const CellValue& value) {
    if (std::holds_alternative<Blank>(value)) return true;
    if (const auto* number = std::get_if<double>(&value)) return *number == 0;
    if (const auto* text = std::get_if<std::u16string>(&value)) return text->empty();
    return false;
}

// Data and Addon: text or a whole number, as the encoder's bytes (Mac OS
// Roman, or UTF-8 for the 2D codes).
enum class Charset : std::uint8_t { MacRoman, Utf8 };
Converted<std::string> textArgument(const CellValue& value, const ArgumentInfo& argument, Language language,
                                    Charset charset = Charset::MacRoman) {
    const std::string what = argumentName(argument, language);
    if (isBlank(value)) return {std::string(), {}};
    if (const auto* text = std::get_if<std::u16string>(&value))
        return charset == Charset::Utf8 ? utf8Bytes(*text, what) : macRomanBytes(*text, what, language);
    if (const auto* number = std::get_if<double>(&value)) return numberAsText(*number, what, language);
    if (std::holds_alternative<bool>(value))
        return failure<std::string>(say(language, text::kCellTruthValue, {what}));
    return failure<std::string>(say(language, text::kCellRange, {what}));
}

std::string typeNames() {
    std::string names;
    for (int t = 0; t < kCodeTypeCount; ++t) {
        if (t > 0) names += ", ";
        names += symbology(static_cast<CodeType>(t)).name;
    }
    return names;
}

// Type: a symbology's number, or its name with any options ("qr:ecc=H").
Converted<TypeSpec> typeArgument(const CellValue& value, Language language) {
    const auto withChoices = [language](const std::string& reason) {
        return failure<TypeSpec>(
            say(language, text::kTypeChoices, {reason, typeNames(), std::to_string(kCodeTypeCount - 1)}));
    };
    if (std::holds_alternative<Blank>(value)) return withChoices(say(language, text::kTypeMissing));
    if (const auto* number = std::get_if<double>(&value)) {
        if (*number >= 0 && *number < kCodeTypeCount && *number == std::floor(*number))
            return {TypeSpec{.type = static_cast<CodeType>(static_cast<int>(*number))}, {}};
        return withChoices(say(language, text::kUnknownTypeNumber, {shortest(*number)}));
    }
    if (const auto* text = std::get_if<std::u16string>(&value)) {
        std::string ascii;
        for (char16_t c : *text) ascii.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        const ParsedSpec parsed = parseTypeSpec(ascii);
        if (parsed.ok()) return {parsed.spec, {}};
        if (parsed.fault.kind == SpecFault::Kind::UnknownType)
            return withChoices(say(language, text::kUnknownTypeName, {ascii}));
        return failure<TypeSpec>("Type '" + ascii + "': " + specFaultSentence(parsed.fault));
    }
    return withChoices(say(language, text::kTypeNotOneCell));
}

// Check, HalfHeight, HighDensity: TRUE/FALSE or 1/0, `fallback` when left out.
Converted<bool> truthArgument(const CellValue& value, const ArgumentInfo& argument, bool fallback,
                              Language language) {
    if (std::holds_alternative<Blank>(value)) return {fallback, {}};
    if (const auto* truth = std::get_if<bool>(&value)) return {*truth, {}};
    const std::string what = argumentName(argument, language);
    if (const auto* number = std::get_if<double>(&value)) {
        if (*number == 0 || *number == 1) return {*number == 1, {}};
        return failure<bool>(say(language, text::kTruthGot, {what, shortest(*number)}));
    }
    return failure<bool>(say(language, text::kTruth, {what}));
}

std::u16string utf16FromBytes(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    // Every Mac OS Roman character lies in the Basic Multilingual Plane.
    for (char byte : bytes)
        text.push_back(static_cast<char16_t>(macroman::toUnicode(static_cast<unsigned char>(byte))));
    return text;
}

std::u16string utf16FromAscii(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

CellResult rejected(std::string reason) {
    return {{}, std::move(reason)};
}

// The encoder's function of the request's text: encode() or humanReadable().
using Writer = std::optional<std::string> (*)(CodeType, std::string_view, std::string_view, bool, std::string*,
                                              Language);

// Which of a request's results a cell shows.
enum class Shown : std::uint8_t { FontString, Text };

// A 2D code: its font string through the matrix module's front door, or
// its data as text once that encodes.
CellResult matrixCell(const TypeSpec& spec, const CellValue& data, Shown shown, Language language) {
    const auto bytes = textArgument(data, kDataArgument, language, Charset::Utf8);
    if (!bytes.value) return rejected(bytes.reason);
    if (bytes.value->empty()) return {};
    const Encoded encoded = encodeRequest(spec, *bytes.value, {}, true, language);
    if (!encoded.ok()) return rejected(encoded.text);
    if (shown == Shown::Text) {
        const auto* text = std::get_if<std::u16string>(&data);
        return {text ? *text : utf16FromAscii(*bytes.value), {}};
    }
    return {utf16FromAscii(encoded.text), {}};
}

CellResult requestCell(const CellValue& data, const CellValue& type, const CellValue& addon,
                       const CellValue& check, Language language, Shown shown) {
    // Blank data wins over every other fault: blank rows stay blank.
    if (isBlank(data)) return {};
    const auto spec = typeArgument(type, language);
    if (!spec.value) {
        // A lone fault in the data is named before one in the type, as it
        // always was for the linear types.
        if (const auto bytes = textArgument(data, kDataArgument, language);
            !bytes.value && !std::holds_alternative<std::u16string>(data))
            return rejected(bytes.reason);
        return rejected(spec.reason);
    }
    if (symbology(spec.value->type).matrix.isMatrix()) return matrixCell(*spec.value, data, shown, language);

    const auto bytes = textArgument(data, kDataArgument, language);
    if (!bytes.value) return rejected(bytes.reason);
    const auto addonBytes = textArgument(addon, kAddonArgument, language);
    if (!addonBytes.value) return rejected(addonBytes.reason);
    const auto withCheck = truthArgument(check, kCheckArgument, true, language);
    if (!withCheck.value) return rejected(withCheck.reason);

    const Writer write = shown == Shown::Text ? Writer(humanReadable) : Writer(encode);
    std::string why;
    const auto text = write(spec.value->type, *bytes.value, *addonBytes.value, *withCheck.value, &why, language);
    if (!text) return rejected(why.empty() ? say(language, text::kCannotEncode) : why);
    return {utf16FromBytes(*text), {}};
}

}  // namespace

CellResult barcodeCell(const CellValue& data, const CellValue& type, const CellValue& addon,
                       const CellValue& check, Language language) {
    return requestCell(data, type, addon, check, language, Shown::FontString);
}

CellResult textCell(const CellValue& data, const CellValue& type, const CellValue& addon,
                    const CellValue& check, Language language) {
    return requestCell(data, type, addon, check, language, Shown::Text);
}

CellResult faceCell(const CellValue& type, const CellValue& halfHeight, const CellValue& highDensity,
                    Language language) {
    const auto codeType = typeArgument(type, language);
    if (!codeType.value) return rejected(codeType.reason);
    const auto half = truthArgument(halfHeight, kFaceArguments[1], false, language);
    if (!half.value) return rejected(half.reason);
    const auto dense = truthArgument(highDensity, kFaceArguments[2], false, language);
    if (!dense.value) return rejected(dense.reason);
    return {utf16FromAscii(fontFor(codeType.value->type, *half.value, *dense.value).family), {}};
}

}  // namespace bcfont::office
