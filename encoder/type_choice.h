// A type as the front ends take it: a symbology name or number, and for the
// 2D codes options after a colon ("qr:ecc=H,version=5",
// "datamatrix:shape=rect", "pdf417:columns=6,ecc=4"). Read in one place,
// without allocating; the sentence of a fault is made apart.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "encoder.h"

namespace bcfont {

// The Data Matrix ECC 200 sizes and their data capacities in characters
// (ISO/IEC 16022:2006 Table 7): the 24 square sizes, then the 6
// rectangular ones. Position + 1 is libzint's size number. Bytes are the
// data codewords but the Base 256 latch and one length byte: the table's
// figures from 64x64 on count two length bytes, but a field that runs to
// the end of the symbol needs one (5.2.9), and libzint fits that one more.
struct Ecc200Size {
    std::uint8_t rows, columns;
    std::uint16_t dataCodewords;
    std::uint16_t digits, alphanumeric, bytes;
};
// clang-format off
inline constexpr std::array<Ecc200Size, 30> kEcc200Sizes = {{
    {10, 10, 3, 6, 3, 1},           {12, 12, 5, 10, 6, 3},          {14, 14, 8, 16, 10, 6},
    {16, 16, 12, 24, 16, 10},       {18, 18, 18, 36, 25, 16},       {20, 20, 22, 44, 31, 20},
    {22, 22, 30, 60, 43, 28},       {24, 24, 36, 72, 52, 34},       {26, 26, 44, 88, 64, 42},
    {32, 32, 62, 124, 91, 60},      {36, 36, 86, 172, 127, 84},     {40, 40, 114, 228, 169, 112},
    {44, 44, 144, 288, 214, 142},   {48, 48, 174, 348, 259, 172},   {52, 52, 204, 408, 304, 202},
    {64, 64, 280, 560, 418, 278},   {72, 72, 368, 736, 550, 366},   {80, 80, 456, 912, 682, 454},
    {88, 88, 576, 1152, 862, 574},  {96, 96, 696, 1392, 1042, 694}, {104, 104, 816, 1632, 1222, 814},
    {120, 120, 1050, 2100, 1573, 1048}, {132, 132, 1304, 2608, 1954, 1302}, {144, 144, 1558, 3116, 2335, 1556},
    {8, 18, 5, 10, 6, 3},           {8, 32, 10, 20, 13, 8},         {12, 26, 16, 32, 22, 14},
    {12, 36, 22, 44, 31, 20},       {16, 36, 32, 64, 46, 30},       {16, 48, 49, 98, 72, 47},
}};
// clang-format on
inline constexpr std::size_t kEcc200Squares = 24;
static_assert([] {
    for (std::size_t i = 0; i < kEcc200Sizes.size(); ++i) {
        const Ecc200Size& s = kEcc200Sizes[i];
        if ((s.rows == s.columns) != (i < kEcc200Squares) || s.bytes != s.dataCodewords - 2) return false;
    }
    return true;
}());

enum class QrEcc : std::uint8_t { L, M, Q, H };

// A type with its options; 0 or -1 where the option was left to libzint.
struct TypeSpec {
    CodeType type = EAN8;
    QrEcc qrEcc = QrEcc::M;
    std::uint8_t qrVersion = 0;  // 1..40; 0: the smallest that holds the data
    bool shapeGiven = false;
    bool rectangular = false;    // shape=rect
    std::uint8_t dmSize = 0;     // kEcc200Sizes index + 1; 0: the smallest that holds the data
    std::uint8_t pdfColumns = 0; // 1..30; 0: libzint's choice
    std::int8_t pdfEcc = -1;     // 0..8; -1: by the length of the data
};

// What is wrong with a type spec. The views point into the text parsed.
struct SpecFault {
    enum class Kind : std::uint8_t {
        None,
        UnknownType,     // text: the name before any colon
        TakesNoOptions,  // text: everything after the colon
        EmptyOption,     // an empty item: "qr:", "qr:ecc=H,"
        UnknownKey,      // text: the key
        NoValue,         // text: the key
        BadValue,        // text: the key, value: as typed
        RepeatedKey,     // text: the key
        SizeNotShape,    // value: the size; the size belongs to the other shape
    };
    Kind kind = Kind::None;
    CodeType type = EAN8;  // the symbology, from TakesNoOptions on
    std::string_view text, value;
};

struct ParsedSpec {
    TypeSpec spec;
    SpecFault fault;
    constexpr bool ok() const { return fault.kind == SpecFault::Kind::None; }
};

ParsedSpec parseTypeSpec(std::string_view text);

// "ecc must be L, M, Q or H, not X", "EAN-13 takes no options, got 'ecc=H'".
std::string specFaultSentence(const SpecFault& fault);

// The options a symbology takes, for help texts: "ecc=L|M|Q|H, version=1..40".
std::string optionSyntax(CodeType type);

}  // namespace bcfont
