// Every 2D type read back by zxing-cpp from its font string, drawn here one
// pixel block per module exactly as the face's glyphs lay modules out: ASCII,
// Latin-1, other UTF-8 text, URLs, and GS1 element strings, which must come
// back as GS1 (symbology identifiers ]Q3 and ]d2) with their element string.
#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "font_grid.h"
#include "matrix.h"

namespace bcfont {
namespace {

constexpr int kPixelsPerModule = 3;

// The font string as a grey image: black modules on white.
std::vector<std::uint8_t> drawn(const test::FontGrid& grid, int& width, int& height) {
    width = grid.columns * kPixelsPerModule;
    height = grid.lines * 4 * kPixelsPerModule;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height), 255);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (grid.dark(x / kPixelsPerModule, y / kPixelsPerModule)) pixels[static_cast<std::size_t>(y * width + x)] = 0;
    return pixels;
}

struct Read {
    std::string text, symbologyIdentifier, why;
};

Read scanned(const std::string& fontString, ZXing::BarcodeFormat format) {
    const test::FontGrid grid = test::gridOf(fontString);
    if (!grid.wellFormed) return {{}, {}, "not a 2D font string"};
    int width = 0, height = 0;
    const std::vector<std::uint8_t> pixels = drawn(grid, width, height);
    ZXing::DecodeHints hints;
    hints.setFormats(format);
    hints.setTryHarder(false);
    const ZXing::Result r = ZXing::ReadBarcode({pixels.data(), width, height, ZXing::ImageFormat::Lum}, hints);
    if (!r.isValid()) return {{}, {}, "no symbol read"};
    return {r.text(), r.symbologyIdentifier(), {}};
}

struct TypeRow {
    const char* spec;
    ZXing::BarcodeFormat format;
};
const TypeRow kPlainTypes[] = {
    {"qr", ZXing::BarcodeFormat::QRCode},
    {"qr:ecc=H", ZXing::BarcodeFormat::QRCode},
    {"datamatrix", ZXing::BarcodeFormat::DataMatrix},
    {"datamatrix:shape=rect", ZXing::BarcodeFormat::DataMatrix},
    {"pdf417", ZXing::BarcodeFormat::PDF417},
    {"pdf417:columns=4,ecc=3", ZXing::BarcodeFormat::PDF417},
};

struct DataRow {
    const char* name;
    std::string data;
};
// clang-format off
const DataRow kData[] = {
    {"ascii", "Hello, World! 123"},
    {"latin1", "Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln, 5 \xc2\xbd \xc2\xa3"},
    {"cyrillic_and_cjk", "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 \xe4\xbd\xa0\xe5\xa5\xbd \xe2\x82\xac"},
    {"url", "https://example.com/path?q=1&x=%20"},
    {"gs1_digital_link", "https://id.gs1.org/01/09501101530003/17/250101/10/ABC123"},
};
// clang-format on

// Printable ASCII of 1 to 40 characters (the largest rectangular Data
// Matrix holds 47 bytes), the same on every run.
std::vector<std::string> seededAscii() {
    std::mt19937 rng(20261206);
    std::vector<std::string> texts;
    for (int i = 0; i < 6; ++i) {
        std::string text(1 + rng() % 40, ' ');
        for (char& c : text) c = static_cast<char>(' ' + rng() % 95);
        texts.push_back(text);
    }
    return texts;
}

TEST(MatrixScan, PlainTypesReadBackAsTyped) {
    std::vector<DataRow> rows(std::begin(kData), std::end(kData));
    for (const std::string& text : seededAscii()) rows.push_back({"seeded", text});
    for (const TypeRow& type : kPlainTypes) {
        for (const DataRow& row : rows) {
            const Encoded encoded = encodeRequest(type.spec, row.data, "", true);
            ASSERT_TRUE(encoded.ok()) << type.spec << " " << row.name << ": " << encoded.text;
            const Read read = scanned(encoded.text, type.format);
            EXPECT_EQ(read.why, "") << type.spec << " " << row.name;
            EXPECT_EQ(read.text, row.data) << type.spec << " " << row.name;
        }
    }
}

struct Gs1Row {
    const char* name;
    const char* spec;
    std::string data;
    ZXing::BarcodeFormat format;
    std::string identifier, read;  // GS separates a variable-length element from the next
};
// clang-format off
const Gs1Row kGs1Rows[] = {
    {"qr_gtin_expiry_batch", "gs1qr", "(01)09501101530003(17)250101(10)ABC123", ZXing::BarcodeFormat::QRCode,
     "]Q3", "010950110153000317250101" "10ABC123"},
    {"qr_batch_then_expiry", "gs1qr:ecc=Q", "[01]09501101530003[10]ABC123[17]250101", ZXing::BarcodeFormat::QRCode,
     "]Q3", "0109501101530003" "10ABC123\x1d" "17250101"},
    {"datamatrix_sscc", "gs1datamatrix", "(00)106141411234567897", ZXing::BarcodeFormat::DataMatrix,
     "]d2", "00106141411234567897"},
    {"datamatrix_weight_and_serial", "gs1datamatrix:shape=rect", "(01)09501101530003(21)A\\(1\\)(3103)000189",
     ZXing::BarcodeFormat::DataMatrix, "]d2", "0109501101530003" "21A(1)\x1d" "3103000189"},
};
// clang-format on

TEST(MatrixScan, Gs1FormsReadBackAsGs1) {
    for (const Gs1Row& row : kGs1Rows) {
        const Encoded encoded = encodeRequest(row.spec, row.data, "", true);
        ASSERT_TRUE(encoded.ok()) << row.name << ": " << encoded.text;
        const Read read = scanned(encoded.text, row.format);
        EXPECT_EQ(read.symbologyIdentifier, row.identifier) << row.name;
        EXPECT_EQ(read.text, row.read) << row.name;
    }
}

}  // namespace
}  // namespace bcfont
