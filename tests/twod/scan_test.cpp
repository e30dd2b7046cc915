// Code 2D font strings drawn by the renderer read back as their data: to PNG
// (the renderer's own raster) and to PDF rasterised by pdftoppm at 300 dpi,
// decoded by zxing-cpp. And the geometry of multi-line strings: lines one
// em apart, modules whole pixels in a PNG, no margin beyond the string.
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pdf_pages.h"
#include "render.h"
#include "zint_matrix.h"

namespace bcfont::test {
namespace {

using ZXing::BarcodeFormat;
constexpr const char* kFace = "Code 2D";
constexpr int kDpi = 300;

struct ScanCase {
    const char* name;
    Matrix2D symbology;
    BarcodeFormat format;
    std::string data;
    double points;
};

// Sizes: the table's 8 pt (module 2 pt), 6 pt (6.25 px a module at 300 dpi)
// and 12 pt, where the em is whole pixels and every row edge falls on one.
const std::vector<ScanCase> kScanCases = {
    {"QR ASCII 8 pt", Matrix2D::QR, BarcodeFormat::QRCode, "Hello, 2D world", 8},
    {"QR URL 6 pt", Matrix2D::QR, BarcodeFormat::QRCode, "https://example.com/track?id=12345&lang=de", 6},
    {"QR Latin-1 12 pt", Matrix2D::QR, BarcodeFormat::QRCode, "Grüße aus Köln", 12},
    {"QR non-Latin UTF-8 8 pt", Matrix2D::QR, BarcodeFormat::QRCode, "Ελληνικά και русский", 8},
    {"QR GS1 Digital Link 10 pt", Matrix2D::QR, BarcodeFormat::QRCode,
     "https://id.gs1.org/01/09506000134352/10/ABC123", 10},
    {"Data Matrix ASCII 8 pt", Matrix2D::DataMatrix, BarcodeFormat::DataMatrix, "Hello, 2D world", 8},
    {"Data Matrix digits 6 pt", Matrix2D::DataMatrix, BarcodeFormat::DataMatrix, "0123456789012345678901", 6},
    {"Data Matrix URL 12 pt", Matrix2D::DataMatrix, BarcodeFormat::DataMatrix, "https://example.com/a/b", 12},
    {"PDF417 ASCII 8 pt", Matrix2D::PDF417, BarcodeFormat::PDF417, "Hello, 2D world", 8},
    {"PDF417 URL 6 pt", Matrix2D::PDF417, BarcodeFormat::PDF417, "https://example.com/track?id=12345", 6},
    {"PDF417 Latin-1 10 pt", Matrix2D::PDF417, BarcodeFormat::PDF417, "Grüße aus Köln", 10},
};

std::string decoded(const render::GrayImage& image, BarcodeFormat format) {
    ZXing::DecodeHints hints;
    hints.setFormats(format).setTryRotate(false);
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    return result.isValid() ? result.text() : "(nothing read: " + result.error().msg() + ")";
}

std::filesystem::path freshFolder(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("bcfont-twod-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

TEST(TwoDScan, PngAndPdfAt300DpiDecodeToTheData) {
    for (const ScanCase& c : kScanCases) {
        SCOPED_TRACE(c.name);
        const std::string text = zintFontString(c.symbology, c.data);
        ASSERT_FALSE(text.empty()) << "zint refused the data";
        std::string error;
        const auto png = render::renderGray(text, kFace, c.points, kDpi, &error);
        ASSERT_TRUE(png) << error;
        EXPECT_EQ(decoded(*png, c.format), c.data) << "PNG";

        const auto dir = freshFolder(std::to_string(&c - kScanCases.data()));
        const auto file = dir / "symbol.pdf";
        ASSERT_EQ(render::renderToFile(text, kFace, c.points, kDpi, file.string()), "");
        const auto pages = rasterise(file, kDpi);
        ASSERT_TRUE(pages && pages->size() == 1) << "pdftoppm failed";
        EXPECT_EQ(decoded(pages->front(), c.format), c.data) << "PDF at 300 dpi";
        std::filesystem::remove_all(dir);
    }
}

// A column of dark and light runs down one x of a picture.
std::string runsDown(const render::GrayImage& image, int x) {
    std::string out;
    char last = 0;
    int length = 0;
    for (int y = 0; y <= image.height; ++y) {
        const char now = y == image.height ? 0 : image.at(x, y) < 128 ? 'D' : 'L';
        if (now == last) {
            ++length;
            continue;
        }
        if (last) out += (out.empty() ? "" : " ") + std::string(1, last) + std::to_string(length);
        last = now;
        length = 1;
    }
    return out;
}

struct LinesCase {
    const char* name;
    std::string text;
    double points;
    int dpi;
    int width, height;  // pixels
    std::string column;  // runs down the middle of the first column
};

// 'P' full column, 'I' top module, 'B' bottom module, 'A' blank. At 300 dpi
// a module of 8 pt is 8.33 px, drawn at 8; of 10 pt 10.42, drawn at 10; of
// 12 pt 12.5, drawn at 13. A column reaching the top of its line bleeds a
// tenth of a module (0.8 to 1.3 px) into the line above.
const std::vector<LinesCase> kLinesCases = {
    {"full lines touch", "P\nP\nP", 12, kDpi, 13, 156, "D156"},
    {"top and bottom modules", "I\nB", 12, kDpi, 13, 104, "D13 L78 D13"},
    {"blank first and last lines keep their height", "A\nP\nA", 12, kDpi, 13, 156, "L51 D53 L52"},
    {"module rounded down to whole pixels", "P\nA\nP", 10, kDpi, 10, 120, "D40 L39 D41"},
    {"a blank module between lines", "P\nO\nP", 8, kDpi, 8, 96, "D56 L7 D33"},
    {"lines of different lengths: the widest sets the width", "PP\nP", 12, kDpi, 26, 104, "D104"},
};

TEST(TwoDScan, LinesAreOneEmOfWholePixelModulesApart) {
    for (const LinesCase& c : kLinesCases) {
        SCOPED_TRACE(c.name);
        std::string error;
        const auto image = render::renderGray(c.text, kFace, c.points, c.dpi, &error);
        ASSERT_TRUE(image) << error;
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(image->height, c.height);
        EXPECT_EQ(runsDown(*image, 2), c.column);
    }
}

}  // namespace
}  // namespace bcfont::test
