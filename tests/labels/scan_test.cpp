// A sheet of every symbology the decoder reads, written as PDF, rasterised
// at 300 dpi by pdftoppm and cut into its labels: each label decodes to its
// line's data plus check characters, in input order. (Where the labels lie
// is pinned, within 0.1 mm, by the outline test of every template.)
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <cmath>
#include <string>
#include <vector>

#include "labels.h"
#include "named_cases.h"
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
    const render::LabelJob job{.type = c.type, .skip = c.skip, .copies = c.copies, .outline = true};
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
    for (std::size_t i = 0; i < c.decoded.size(); ++i) {
        const auto& p = sheets->placements[i];
        const render::GrayImage& page = (*pages)[static_cast<std::size_t>(p.page)];
        std::string why;
        EXPECT_EQ(decode(cut(page, pixelsOf(p.label), -2), c.format, why), c.decoded[i])
            << "label " << i << ": " << why;
    }
}

INSTANTIATE_TEST_SUITE_P(Symbologies, LabelScanTest, ::testing::ValuesIn(kScanCases), byName);

}  // namespace
}  // namespace bcfont::test
