// A sheet of every symbology the decoder reads, written as PDF, rasterised
// at 300 dpi by pdftoppm and cut into its labels: each label is the size
// the template gives and decodes to its line's data plus check characters,
// in input order.
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <cmath>
#include <string>
#include <vector>

#include "labels.h"
#include "pdf_pages.h"
#include "run_bcfont.h"
#include "templates.h"

namespace bcfont::test {
namespace {

using ZXing::BarcodeFormat;
constexpr int kDpi = 300;
constexpr double kPixelsPerPoint = kDpi / render::kPointsPerInch;

struct ScanCase {
    std::string name;
    CodeType type;
    BarcodeFormat format;
    std::string sheet;
    int skip, copies;
    std::string input;
    std::vector<std::string> decoded;  // label by label
};

std::ostream& operator<<(std::ostream& os, const ScanCase& c) {
    return os << c.name;
}

// clang-format off
const ScanCase kScanCases[] = {
    // name, type, decoder format, sheet, skip, copies, input, text of each label in order
    {"Ean13", EAN13, BarcodeFormat::EAN13, "Avery L7160", 0, 1,
     "400638133393\n590123412345\tJam, 340 g\n978014300723\n", {"4006381333931", "5901234123457", "9780143007234"}},
    {"Ean8OverTwoSheets", EAN8, BarcodeFormat::EAN8, "Avery 5160", 28, 1,
     "5512345\n9638507\n5512345\n", {"55123457", "96385074", "55123457"}},
    {"UpcA", UPCA, BarcodeFormat::UPCA, "Avery 5163", 0, 2,
     "03600029145\n12345678901\n", {"036000291452", "036000291452", "123456789012", "123456789012"}},
    {"UpcE", UPCE, BarcodeFormat::UPCE, "Avery L7163", 1, 1,
     "0123456\n1234567\n", {"01234565", "12345670"}},
    {"Code39", C39, BarcodeFormat::Code39, "Avery L7163", 0, 1,
     "CODE39\nAB-12\tbin 4\n", {"CODE39W", "AB-12H"}},
    {"Code39Mini", C39, BarcodeFormat::Code39, "Avery L7651", 0, 1,
     "A1\n", {"A1B"}},
    {"Code128", C128, BarcodeFormat::Code128, "Avery L7160", 0, 1,
     "Hello World\n12345\tshelf\n", {"Hello World", "12345"}},
    {"Code128Ean", C128EAN, BarcodeFormat::Code128, "Avery 5163", 0, 1,
     "0101234567890128\n", {"0101234567890128"}},
    {"Interleaved2of5", TOFIL, BarcodeFormat::ITF, "Avery L7163", 0, 1,
     "1234567\n123456789\n", {"12345670", "1234567895"}},
    {"Codabar", CODABAR, BarcodeFormat::Codabar, "Avery 5160", 0, 1,
     "123\n0123456789\n", {"D123D", "D0123456789D"}},
};
// clang-format on

struct Box {
    int x, y, width, height;
};

Box pixelsOf(const render::Rect& r) {
    return {static_cast<int>(std::lround(r.x * kPixelsPerPoint)),
            static_cast<int>(std::lround(r.y * kPixelsPerPoint)),
            static_cast<int>(std::lround(r.width * kPixelsPerPoint)),
            static_cast<int>(std::lround(r.height * kPixelsPerPoint))};
}

// The part of `page` inside `box`, grown by `margin` pixels each side.
render::GrayImage cut(const render::GrayImage& page, Box box, int margin) {
    const int x0 = std::max(0, box.x - margin), y0 = std::max(0, box.y - margin);
    const int x1 = std::min(page.width, box.x + box.width + margin);
    const int y1 = std::min(page.height, box.y + box.height + margin);
    render::GrayImage out;
    out.width = x1 - x0;
    out.height = y1 - y0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) out.pixels.push_back(page.at(x, y));
    return out;
}

// The distance between the outermost lines of the outline: columns and
// rows that are nearly all grey or black; -1 when there are none.
std::pair<int, int> outlineSize(const render::GrayImage& image) {
    constexpr int kInk = 235;
    int left = -1, right = -1, top = -1, bottom = -1;
    for (int x = 0; x < image.width; ++x) {
        int n = 0;
        for (int y = 0; y < image.height; ++y) n += image.at(x, y) < kInk;
        if (n < image.height * 0.8) continue;
        if (left < 0) left = x;
        right = x;
    }
    for (int y = 0; y < image.height; ++y) {
        int n = 0;
        for (int x = 0; x < image.width; ++x) n += image.at(x, y) < kInk;
        if (n < image.width * 0.8) continue;
        if (top < 0) top = y;
        bottom = y;
    }
    if (left < 0 || top < 0) return {-1, -1};
    return {right - left, bottom - top};
}

std::string decode(const render::GrayImage& image, BarcodeFormat format, std::string& why) {
    ZXing::DecodeHints hints;
    hints.setFormats(format).setTryRotate(false).setTryDownscale(false);
    hints.setValidateCode39CheckSum(false).setValidateITFCheckSum(false).setReturnCodabarStartEnd(true);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Ignore);
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) why = result.error() ? result.error().msg() : "decoder found nothing";
    return result.text();
}

class LabelScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(LabelScanTest, EveryLabelDecodesInInputOrder) {
    const ScanCase& c = GetParam();
    const auto sheet = render::findTemplate(c.sheet, render::builtinTemplates());
    ASSERT_TRUE(sheet);
    render::LabelJob job;
    job.type = c.type;
    job.skip = c.skip;
    job.copies = c.copies;
    job.outline = true;
    std::string error;
    const auto sheets = render::planLabels(c.input, *sheet, job, error);
    ASSERT_TRUE(sheets) << error;
    ASSERT_EQ(sheets->placements.size(), c.decoded.size())
        << (sheets->report.listed.empty() ? "" : sheets->report.listed[0].reason);
    const auto pdf = render::labelsPdf(*sheets, error);
    ASSERT_TRUE(pdf) << error;
    const TempDir dir;
    const auto pages = rasterise(dir.write("labels.pdf", *pdf), kDpi);
    ASSERT_TRUE(pages) << "pdftoppm failed";
    ASSERT_EQ(static_cast<int>(pages->size()), sheets->pages);

    const Box expectedLabel = pixelsOf(render::labelRect(*sheet, 0));
    for (std::size_t i = 0; i < c.decoded.size(); ++i) {
        const auto& p = sheets->placements[i];
        const render::GrayImage& page = (*pages)[static_cast<std::size_t>(p.page)];
        ASSERT_NEAR(page.width, sheet->pageWidth * kPixelsPerPoint, 1.0);
        ASSERT_NEAR(page.height, sheet->pageHeight * kPixelsPerPoint, 1.0);
        const Box box = pixelsOf(p.label);
        // 0.1 mm is 1.2 pixels; the hairline adds one more.
        const auto [w, h] = outlineSize(cut(page, box, 8));
        EXPECT_NEAR(w, expectedLabel.width, 2.2) << "label " << i << " width";
        EXPECT_NEAR(h, expectedLabel.height, 2.2) << "label " << i << " height";
        std::string why;
        EXPECT_EQ(decode(cut(page, box, -2), c.format, why), c.decoded[i]) << "label " << i << ": " << why;
    }
}

INSTANTIATE_TEST_SUITE_P(Symbologies, LabelScanTest, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return info.param.name; });

// The 2D codes from `bcfont labels`, one label per line from the sheet's
// first: each decodes to its line's data.
struct MatrixScanCase {
    const char* name;
    const char* type;  // --type, with options
    BarcodeFormat format;
    const char* sheet;
    std::string input;
    std::vector<std::string> decoded;
};

// clang-format off
const MatrixScanCase kMatrixScanCases[] = {
    {"QrWithOptionsAndCaption", "qr:ecc=Q", BarcodeFormat::QRCode, "Avery L7160",
     "https://example.com/track?id=12345\tParcel 7\nGr\u00fc\u00dfe \u6f22\u5b57\n",
     {"https://example.com/track?id=12345", "Gr\u00fc\u00dfe \u6f22\u5b57"}},
    {"DataMatrixOnSmallLabels", "datamatrix", BarcodeFormat::DataMatrix, "Avery L7651", "A1-B2-C3\n", {"A1-B2-C3"}},
    {"Pdf417", "pdf417:columns=3", BarcodeFormat::PDF417, "Avery L7163", "Hello, 2D world\n", {"Hello, 2D world"}},
};
// clang-format on

TEST(LabelScan, MatrixLabelsFromTheCommandLineDecode) {
    for (const MatrixScanCase& c : kMatrixScanCases) {
        SCOPED_TRACE(c.name);
        const auto sheet = render::findTemplate(c.sheet, render::builtinTemplates());
        ASSERT_TRUE(sheet);
        const TempDir dir;
        const auto pdf = dir.path() / "labels.pdf";
        const RunResult run =
            runBcfont({"labels", "--utf8", "--type", c.type, "--template", c.sheet, "-o", pdf.string()}, c.input);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto pages = rasterise(pdf, kDpi);
        ASSERT_TRUE(pages && pages->size() == 1) << "pdftoppm failed or too many pages";
        for (std::size_t i = 0; i < c.decoded.size(); ++i) {
            const Box box = pixelsOf(render::labelRect(*sheet, static_cast<int>(i)));
            std::string why;
            EXPECT_EQ(decode(cut(pages->front(), box, -2), c.format, why), c.decoded[i]) << "label " << i << ": " << why;
        }
    }
}

}  // namespace
}  // namespace bcfont::test
