#include "capacity.h"

#include <algorithm>
#include <array>

namespace bcfont::matrix {
namespace {

// QR Code data codewords per version 1..40 and error correction level
// (ISO/IEC 18004:2015 Table 7, column "Number of data codewords").
// clang-format off
constexpr std::array<std::array<std::uint16_t, 40>, 4> kQrDataCodewords = {{
    {19, 34, 55, 80, 108, 136, 156, 194, 232, 274, 324, 370, 428, 461, 523, 589, 647, 721, 795, 861,
     932, 1006, 1094, 1174, 1276, 1370, 1468, 1531, 1631, 1735, 1843, 1955, 2071, 2191, 2306, 2434, 2566, 2702, 2812, 2956},
    {16, 28, 44, 64, 86, 108, 124, 154, 182, 216, 254, 290, 334, 365, 415, 453, 507, 563, 627, 669,
     714, 782, 860, 914, 1000, 1062, 1128, 1193, 1267, 1373, 1455, 1541, 1631, 1725, 1812, 1914, 1992, 2102, 2216, 2334},
    {13, 22, 34, 48, 62, 76, 88, 110, 132, 154, 180, 206, 244, 261, 295, 325, 367, 397, 445, 485,
     512, 568, 614, 664, 718, 754, 808, 871, 911, 985, 1033, 1115, 1171, 1231, 1286, 1354, 1426, 1502, 1582, 1666},
    {9, 16, 26, 36, 46, 60, 66, 86, 100, 122, 140, 158, 180, 197, 223, 253, 283, 313, 341, 385,
     406, 442, 464, 514, 538, 596, 628, 661, 701, 745, 793, 845, 901, 961, 986, 1054, 1096, 1142, 1222, 1276},
}};
// clang-format on

// The character count indicator's bits per mode and version range
// (ISO/IEC 18004:2015 Table 3): versions 1-9, 10-26, 27-40.
constexpr std::array<std::array<int, 3>, 3> kQrCountBits = {{{10, 12, 14}, {9, 11, 13}, {8, 16, 16}}};
constexpr int kQrModeBits = 4;
constexpr int kQrEciBits = 4 + 8;  // mode indicator and a one-byte designator

// ISO/IEC 18004:2015 Table 7 lists these capacities; the table and the bit
// counts above must give them.
constexpr std::size_t qrCapacity(int version, QrEcc ecc, DataKind kind, bool eci) {
    const int range = version <= 9 ? 0 : version <= 26 ? 1 : 2;
    const int bits = 8 * kQrDataCodewords[static_cast<std::size_t>(ecc)][static_cast<std::size_t>(version - 1)] -
                     kQrModeBits - kQrCountBits[static_cast<std::size_t>(kind)][static_cast<std::size_t>(range)] -
                     (eci ? kQrEciBits : 0);
    if (bits <= 0) return 0;
    switch (kind) {
        case DataKind::Digits:  // 10 bits for 3 digits, 7 for 2, 4 for 1
            return static_cast<std::size_t>(bits / 10 * 3 + (bits % 10 >= 7 ? 2 : bits % 10 >= 4 ? 1 : 0));
        case DataKind::Alphanumeric:  // 11 bits for 2 characters, 6 for 1
            return static_cast<std::size_t>(bits / 11 * 2 + (bits % 11 >= 6 ? 1 : 0));
        case DataKind::Bytes:
            break;
    }
    return static_cast<std::size_t>(bits / 8);
}
static_assert(qrCapacity(40, QrEcc::L, DataKind::Digits, false) == 7089);
static_assert(qrCapacity(40, QrEcc::L, DataKind::Alphanumeric, false) == 4296);
static_assert(qrCapacity(40, QrEcc::H, DataKind::Bytes, false) == 1273);
static_assert(qrCapacity(1, QrEcc::M, DataKind::Alphanumeric, false) == 20);
static_assert(qrCapacity(10, QrEcc::Q, DataKind::Digits, false) == 364);

// PDF417: at most 928 codewords and 90 rows; one is the length descriptor,
// 2^(level+1) correct errors (ISO/IEC 15438:2015 5.3 and Table 3).
constexpr int kPdfMaxCodewords = 928;
constexpr int kPdfMaxRows = 90;
// With the level left open, long data gets level 5 (ISO/IEC 15438 Annex E, Table E.1).
constexpr int kPdfLongDataEcc = 5;

constexpr std::size_t pdfCapacity(int columns, int ecc, DataKind kind, bool eci) {
    const int symbolCodewords = std::min(kPdfMaxCodewords, kPdfMaxRows * (columns == 0 ? 30 : columns));
    int data = symbolCodewords - 1 - (2 << ecc) - (eci ? 2 : 0);
    if (data <= 0) return 0;
    switch (kind) {
        case DataKind::Digits: {  // a latch, then 15 codewords for each 44 digits
            --data;
            const int rest = data % 15;
            return static_cast<std::size_t>(data / 15 * 44 + (rest > 0 ? 3 * rest - 1 : 0));
        }
        case DataKind::Alphanumeric:  // text compaction: a latch for small letters, then 2 a codeword
            return static_cast<std::size_t>(2 * (data - 1));
        case DataKind::Bytes:  // a latch, then 5 codewords for each 6 bytes
            --data;
            return static_cast<std::size_t>(data / 5 * 6 + data % 5);
    }
    return 0;
}

bool isQrAlphanumeric(unsigned char c) {
    constexpr std::string_view kExtra = " $%*+-./:";
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || kExtra.find(static_cast<char>(c)) != std::string_view::npos;
}

// Data Matrix packs digits, space and letters of one case three to two
// codewords (C40 capitals, Text small letters); PDF417 text compaction packs
// letters of one case and space two to a codeword.
bool isCapitalOrSpace(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ';
}
bool isSmallOrSpace(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == ' ';
}
bool isLetterOrSpace(unsigned char c, bool small) {
    return small ? (c >= 'a' && c <= 'z') || c == ' ' : (c >= 'A' && c <= 'Z') || c == ' ';
}

std::string qrOptions(const TypeSpec& spec) {
    const char level = "LMQH"[static_cast<int>(spec.qrEcc)];
    std::string text = "QR";
    if (spec.qrVersion != 0) text += " version " + std::to_string(spec.qrVersion);
    return text + " at ECC level " + level;
}

const Ecc200Size& largestEcc200(const TypeSpec& spec) {
    if (spec.dmSize != 0) return kEcc200Sizes[spec.dmSize - 1u];
    return spec.rectangular ? kEcc200Sizes.back() : kEcc200Sizes[kEcc200Squares - 1];
}

int pdfEcc(const TypeSpec& spec) {
    return spec.pdfEcc < 0 ? kPdfLongDataEcc : spec.pdfEcc;
}

std::string kindWords(DataKind kind) {
    switch (kind) {
        case DataKind::Digits:
            return "digits";
        case DataKind::Alphanumeric:
            return "characters of this kind";
        case DataKind::Bytes:
            break;
    }
    return "bytes of this kind";
}

}  // namespace

Need needOf(Layout layout, std::string_view bytes, bool eci) {
    const auto all = [bytes](auto test) {
        return std::all_of(bytes.begin(), bytes.end(), [test](char c) { return test(static_cast<unsigned char>(c)); });
    };
    if (!eci && all([](unsigned char c) { return c >= '0' && c <= '9'; })) return {DataKind::Digits, bytes.size(), false};
    bool alphanumeric = false;
    if (layout == Layout::Qr) alphanumeric = all(isQrAlphanumeric);
    if (layout == Layout::DataMatrix) alphanumeric = all(isCapitalOrSpace) || all(isSmallOrSpace);
    if (layout == Layout::Pdf417)
        alphanumeric = all([](unsigned char c) { return isLetterOrSpace(c, false); }) ||
                       all([](unsigned char c) { return isLetterOrSpace(c, true); });
    if (!eci && alphanumeric) return {DataKind::Alphanumeric, bytes.size(), false};
    return {DataKind::Bytes, bytes.size(), eci};
}

std::size_t capacity(Layout layout, const TypeSpec& spec, const Need& need) {
    switch (layout) {
        case Layout::Qr:
            return qrCapacity(spec.qrVersion == 0 ? 40 : spec.qrVersion, spec.qrEcc, need.kind, need.eci);
        case Layout::DataMatrix: {
            const Ecc200Size& size = largestEcc200(spec);
            const std::size_t held = need.kind == DataKind::Digits         ? size.digits
                                     : need.kind == DataKind::Alphanumeric ? size.alphanumeric
                                                                           : size.bytes;
            // ECI 26 takes two codewords, a byte each.
            return need.eci ? (held > 2 ? held - 2 : 0) : held;
        }
        case Layout::Pdf417:
            return pdfCapacity(spec.pdfColumns, pdfEcc(spec), need.kind, need.eci);
        case Layout::Linear:
            break;
    }
    return 0;
}

std::string tooLongSentence(Layout layout, const TypeSpec& spec, const Need& need) {
    std::string symbol;
    if (layout == Layout::Qr) {
        symbol = qrOptions(spec);
    } else if (layout == Layout::DataMatrix) {
        const Ecc200Size& size = largestEcc200(spec);
        symbol = "Data Matrix " + std::to_string(size.rows) + "x" + std::to_string(size.columns);
    } else {
        symbol = "PDF417";
        if (spec.pdfColumns != 0) symbol += " with " + std::to_string(spec.pdfColumns) + " columns";
        symbol += " at ECC level " + std::to_string(pdfEcc(spec));
    }
    const std::size_t most = capacity(layout, spec, need);
    std::string text = symbol + " holds at most " + std::to_string(most) + " " + kindWords(need.kind);
    if (need.eci) text += " (UTF-8 with ECI 26)";
    if (need.count > most) return text + ", got " + std::to_string(need.count);
    // Data of mixed kinds takes more room than its count says.
    return text + "; this data of " + std::to_string(need.count) + " mixes kinds and needs more room";
}

}  // namespace bcfont::matrix
