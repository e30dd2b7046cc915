#include "symbology.h"

#include <array>
#include <cctype>

#include "encoder_internal.h"
#include "gs1/gs1.h"

namespace bcfont {
namespace internal {

using enum CheckCharacter;
using enum Alphabet;

// One row per CodeType, in CodeType order. The options offered follow the
// window's availability table, the faces and sizes its preview font table.
// clang-format off
constexpr std::array<Symbology, kCodeTypeCount> kSymbologies = {{
    {EAN8, "ean8", "EAN-8", "NSFactEAN8",
     {false, false, true, false},
     {"Code EAN", "Code EAN Red", "Code EAN", "Code EAN Red", 72},
     Always, Digits, lengthsOf({7, 8}), calcEan8, textEan8},
    {EAN13, "ean13", "EAN-13", "NSFactEAN13",
     {false, false, true, true},
     {"Code EAN", "Code EAN Red", "Code EAN", "Code EAN Red", 72},
     Always, Digits, lengthsOf({12, 13}), calcEan13, textEan13},
    {UPCA, "upca", "UPC-A", "NSFactUPCA",
     {false, false, true, false},
     {"Code UPC", "Code UPC Red", "Code UPC", "Code UPC Red", 72},
     Always, Digits, lengthsOf({11, 12}), calcUpcA, textUpcA},
    {UPCE, "upce", "UPC-E", "NSFactUPCE",
     {false, false, true, false},
     {"Code UPC", "Code UPC Red", "Code UPC", "Code UPC Red", 72},
     Always, Digits, lengthsOf({7, 8}), calcUpcE, textUpcE},
    {C39, "code39", "Code 39", "NSFactC39",
     {true, true, true, false},
     {"Code 39", "Code 39 Red", "Code 39 High Density", "Code 39 Red High Density", 30},
     Optional, Ascii7WithEscapes, kAnyLength, calcCode39, textEscapedData},
    {C128, "code128", "Code 128", "NSFactC128",
     {false, true, true, false},
     {"Code 128", "Code 128 Red", "Code 128", "Code 128 Red", 30},
     Expected, Ascii7WithEscapes, kAnyLength, calcCode128, textEscapedData},
    {C128EAN, "code128ean", "Code 128 EAN/UCC", "NSFactC128EAN",
     {false, true, true, false},
     {"Code 128", "Code 128 Red", "Code 128", "Code 128 Red", 30},
     Expected, Ascii7WithEscapes, kAnyLength, calcCode128Ucc, textEscapedData},
    {TOFIL, "itf", "2 of 5 Interleaved", "NSFactTOFIL",
     {true, true, true, false},
     {"Code 25 Interleaved", "Code 25 Interleaved Red", "Code 25 Interleaved HD", "Code 25 Interleaved Red HD", 30},
     Optional, Digits, kAnyLength, calcInterleaved, textDigits, kMaxDataLength, nullptr, {}, 0, true},
    {TOFIND, "industrial25", "2 of 5 Industrial", "NSFactTOFIND",
     {false, true, true, false},
     {"Code 25 Industrial", "Code 25 Industrial Red", "Code 25 Industrial", "Code 25 Industrial Red", 30},
     Optional, Digits, kAnyLength, calcIndustrial, textDigits},
    // Codabar has no check character: no check option is offered.
    {CODABAR, "codabar", "Codabar", "NSFactCODABAR",
     {false, false, true, false},
     {"Codabar", "Codabar Red", "Codabar", "Codabar Red", 40},
     None, Digits, kAnyLength, calcCodabar, textDigits},
    // Postnet has one face for everything.
    {POSTNET, "postnet", "Postnet", "NSFactPOSTNET",
     {false, false, false, false},
     {"Postnet", "Postnet", "Postnet", "Postnet", 9},
     Always, Digits, lengthsOf({5, 9, 11}), calcPostnet, textDigits},
    // One face for everything. The encoder checks the lengths of the
    // tracking and routing codes and names the one at fault.
    {IMB, "imb", "Intelligent Mail", "NSFactIMB",
     {false, false, false, false},
     {"Code IMb", "Code IMb", "Code IMb", "Code IMb", 10},
     Always, Digits, kAnyLength, calcImb, imbText},
    // Drawn by the Code 128 faces; the check character is part of every symbol.
    {GS1128, "gs1128", "GS1-128", "NSFactGS1128",
     {false, false, true, false},
     {"Code 128", "Code 128 Red", "Code 128", "Code 128 Red", 30},
     Always, Gs1ElementString, kAnyLength, calcGs1128, gs1128Text, kMaxGs1InputLength, gs1::titles},
    // The 2D codes: one face draws them all, a glyph a column of four
    // modules. The quiet zones are those of their standards (ISO/IEC 18004
    // 6.3.8: 4 modules; ISO/IEC 16022 5.2.8: 1; ISO/IEC 15438 5.8.3: 2).
    // PDF417 rows are 3 modules tall (ISO/IEC 15438 5.8.2). The smallest
    // modules are GS1's (its symbol tables in section 5.12.3: Data Matrix
    // 0.255 mm, QR Code 0.396 mm), 0.25 mm for PDF417.
    {QR, "qr", "QR Code", "NSFactQR",
     {false, false, false, false},
     {"Code 2D", "Code 2D", "Code 2D", "Code 2D", 8},
     None, Utf8Text, kAnyLength, nullptr, nullptr, kMaxDataLength, nullptr,
     {Layout::Qr, 4, 1, 396}, kQrEcc | kQrVersion},
    {DATAMATRIX, "datamatrix", "Data Matrix", "NSFactDATAMATRIX",
     {false, false, false, false},
     {"Code 2D", "Code 2D", "Code 2D", "Code 2D", 8},
     None, Utf8Text, kAnyLength, nullptr, nullptr, kMaxDataLength, nullptr,
     {Layout::DataMatrix, 1, 1, 255}, kDmShape | kDmSize},
    {PDF417, "pdf417", "PDF417", "NSFactPDF417",
     {false, false, false, false},
     {"Code 2D", "Code 2D", "Code 2D", "Code 2D", 8},
     None, Utf8Text, kAnyLength, nullptr, nullptr, kMaxDataLength, nullptr,
     {Layout::Pdf417, 2, 3, 250}, kPdfColumns | kPdfEcc},
    {GS1QR, "gs1qr", "GS1 QR Code", "NSFactGS1QR",
     {false, false, false, false},
     {"Code 2D", "Code 2D", "Code 2D", "Code 2D", 8},
     None, Gs1ElementString, kAnyLength, nullptr, nullptr, kMaxGs1InputLength, nullptr,
     {Layout::Qr, 4, 1, 396}, kQrEcc | kQrVersion},
    {GS1DATAMATRIX, "gs1datamatrix", "GS1 DataMatrix", "NSFactGS1DATAMATRIX",
     {false, false, false, false},
     {"Code 2D", "Code 2D", "Code 2D", "Code 2D", 8},
     None, Gs1ElementString, kAnyLength, nullptr, nullptr, kMaxGs1InputLength, nullptr,
     {Layout::DataMatrix, 1, 1, 255}, kDmShape | kDmSize},
}};
// clang-format on

constexpr bool rowsAreInCodeTypeOrder() {
    for (std::size_t i = 0; i < kSymbologies.size(); ++i) {
        if (kSymbologies[i].type != static_cast<CodeType>(i)) return false;
    }
    return true;
}
static_assert(rowsAreInCodeTypeOrder());

// A label never prints a 2D code smaller than its row allows.
constexpr bool everyMatrixRowHasAModuleFloor() {
    for (const Symbology& s : kSymbologies)
        if (s.matrix.isMatrix() && s.matrix.minModuleUm == 0) return false;
    return true;
}
static_assert(everyMatrixRowHasAModuleFloor());

// Every linear row encodes and says what a label prints under its bars;
// the 2D rows leave both to the matrix module.
constexpr bool everyRowHasItsWriters() {
    for (const Symbology& s : kSymbologies) {
        const bool linear = !s.matrix.isMatrix();
        if ((s.encoder != nullptr) != linear || (s.text != nullptr) != linear) return false;
        if (linear && s.options != 0) return false;
    }
    return true;
}
static_assert(everyRowHasItsWriters());

// An option that changes nothing is not offered: a symbology without a
// check character has no check option.
constexpr bool noCheckOptionWithoutACheckCharacter() {
    for (const Symbology& s : kSymbologies) {
        if (s.check == None && s.offers.checksum) return false;
    }
    return true;
}
static_assert(noCheckOptionWithoutACheckCharacter());

// The length sets hold no count beyond what Calc reads, and every row
// takes at most the longest data any caller's buffer is sized for.
constexpr bool lengthsWithinTheDataLimit() {
    for (const Symbology& s : kSymbologies) {
        if (s.lengths != kAnyLength && (s.lengths >> (s.maxLength + 1)) != 0) return false;
        if (s.maxLength > kMaxInputLength) return false;
    }
    return true;
}
static_assert(lengthsWithinTheDataLimit());

}  // namespace internal

namespace {

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
    return internal::kSymbologies.at(static_cast<std::size_t>(type));
}

std::span<const Symbology> symbologies() {
    return internal::kSymbologies;
}

std::optional<CodeType> codeTypeFromString(std::string_view text) {
    if (!text.empty() && text.size() <= 2 && std::isdigit(static_cast<unsigned char>(text[0])) &&
        std::isdigit(static_cast<unsigned char>(text.back()))) {
        const int value = text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
        if (isCodeType(value)) return static_cast<CodeType>(value);
        return std::nullopt;
    }
    for (const auto& s : internal::kSymbologies) {
        if (equalsIgnoringCase(s.name, text)) return s.type;
    }
    return std::nullopt;
}

FontChoice fontFor(CodeType type, bool halfHeight, bool highDensity) {
    const Faces& f = symbology(type).faces;
    const std::string_view family =
        halfHeight ? (highDensity ? f.redHighDensity : f.red) : (highDensity ? f.highDensity : f.normal);
    return {family, f.pointSize};
}

}  // namespace bcfont
