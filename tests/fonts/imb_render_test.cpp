// Intelligent Mail drawn in its face at the table's size: the 65 bars,
// classified by how far they reach up and down, must be the letters of the
// font string, and their geometry must lie inside USPS-B-3200's ranges.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "encode.h"
#include "render.h"
#include "symbology.h"

namespace bcfont::test {
namespace {

constexpr double kDpi = 1200;

// One drawn bar: its columns and the rows of its ink, in pixels.
struct DrawnBar {
    int left, right, top, bottom;  // right and bottom exclusive
};

bool dark(const render::GrayImage& image, int x, int y) {
    return image.at(x, y) < 128;
}

std::vector<DrawnBar> barsOf(const render::GrayImage& image) {
    std::vector<DrawnBar> bars;
    for (int x = 0; x < image.width; ++x) {
        int top = -1, bottom = -1;
        for (int y = 0; y < image.height; ++y) {
            if (!dark(image, x, y)) continue;
            top = top < 0 ? y : top;
            bottom = y + 1;
        }
        if (top < 0) continue;
        if (!bars.empty() && bars.back().right == x) {
            DrawnBar& b = bars.back();
            b = {b.left, x + 1, std::min(b.top, top), std::max(b.bottom, bottom)};
        } else {
            bars.push_back({x, x + 1, top, bottom});
        }
    }
    return bars;
}

// F reaches the top and the bottom of the symbol, A the top only, D the
// bottom only, T neither. Half a pixel of antialiasing either way.
std::string lettersOf(const std::vector<DrawnBar>& bars) {
    int top = 1 << 30, bottom = 0;
    for (const DrawnBar& b : bars) top = std::min(top, b.top), bottom = std::max(bottom, b.bottom);
    std::string letters;
    for (const DrawnBar& b : bars) {
        const bool up = b.top <= top + 1, down = b.bottom >= bottom - 1;
        letters += up ? (down ? 'F' : 'A') : (down ? 'D' : 'T');
    }
    return letters;
}

double inches(int pixels) {
    return pixels / kDpi;
}

// USPS-B-3200's barcode dimensions (section 2.3.1), in inches, and how each
// is measured on the drawn bars.
struct Dimension {
    const char* name;
    double low, high;
    double (*measure)(const std::vector<DrawnBar>&, const std::string&);
};

double widestOrNarrowest(const std::vector<DrawnBar>& bars, bool widest) {
    int w = widest ? 0 : 1 << 30;
    for (const DrawnBar& b : bars) w = widest ? std::max(w, b.right - b.left) : std::min(w, b.right - b.left);
    return inches(w);
}
// The tallest bar of a kind; every bar of a kind is drawn by the same glyph.
double heightOf(const std::vector<DrawnBar>& bars, const std::string& letters, char kind) {
    int h = 0;
    for (std::size_t i = 0; i < bars.size(); ++i)
        if (letters[i] == kind) h = std::max(h, bars[i].bottom - bars[i].top);
    return inches(h);
}

// clang-format off
const Dimension kDimensions[] = {
    {"narrowest bar", 0.015, 0.025, [](const auto& bars, const auto&) { return widestOrNarrowest(bars, false); }},
    {"widest bar", 0.015, 0.025, [](const auto& bars, const auto&) { return widestOrNarrowest(bars, true); }},
    // 22 bars per inch, give or take two: the mean pitch over the symbol.
    {"bar pitch", 1.0 / 24, 1.0 / 20, [](const auto& bars, const auto&) { return inches(bars.back().left - bars.front().left) / double(bars.size() - 1); }},
    {"full bar", 0.125, 0.165, [](const auto& bars, const auto& letters) { return heightOf(bars, letters, 'F'); }},
    {"tracker", 0.039, 0.057, [](const auto& bars, const auto& letters) { return heightOf(bars, letters, 'T'); }},
};

// USPS-B-3200 Appendix C's examples: each routing code length once.
struct Example {
    const char* name;
    const char* data;
    const char* letters;
};
const Example kExamples[] = {
    {"no routing", "01234567094987654321", "ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT"},
    {"routing 5", "01234567094987654321-01234", "DTTAFADDTTFTDTFTFDTDDADADAFADFATDDFTAAAFDTTADFAAATDFDTDFADDDTDFFT"},
    {"routing 9", "01234567094987654321-012345678", "ADFTTAFDTTTTFATTADTAAATFTFTATDAAAFDDADATATDTDTTDFDTDATADADTDFFTFA"},
    {"routing 11", "01234567094987654321-01234567891", "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA"},
};
// clang-format on

TEST(ImbPicture, BarsReadBackAndLieInsideTheStandardsRanges) {
    const FontChoice font = fontFor(IMB, false, false);
    for (const Example& e : kExamples) {
        SCOPED_TRACE(e.name);
        std::string why;
        const auto fontString = encode(IMB, e.data, "", true, &why);
        ASSERT_TRUE(fontString) << why;
        const auto image = render::renderGray(*fontString, font.family, font.pointSize, kDpi, &why);
        ASSERT_TRUE(image) << why;
        const auto bars = barsOf(*image);
        ASSERT_EQ(bars.size(), 65u);
        const std::string letters = lettersOf(bars);
        EXPECT_EQ(letters, e.letters);
        for (const Dimension& d : kDimensions) {
            const double value = d.measure(bars, letters);
            EXPECT_TRUE(value >= d.low && value <= d.high)
                << d.name << ": " << value << " in, expected " << d.low << " to " << d.high;
        }
    }
}

}  // namespace
}  // namespace bcfont::test
