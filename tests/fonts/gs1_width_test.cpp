// GS1-128 symbols are never wider than zint 2.11 makes the same element
// strings: seeded random data, compared in modules.
#include <gtest/gtest.h>

#include <zint.h>

#include <memory>
#include <random>

#include "encode.h"
#include "gs1_cases.h"

namespace bcfont::test {
namespace {

constexpr int kCases = 3000;

// zint's width of the symbol in modules (stop and its bar included, no
// quiet zones), or 0 when zint refuses the data.
int zintModules(const std::string& squareBrackets) {
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(), ZBarcode_Delete);
    symbol->symbology = BARCODE_GS1_128;
    symbol->input_mode = GS1_MODE;
    const int error = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(squareBrackets.data()),
                                      static_cast<int>(squareBrackets.size()));
    return error >= ZINT_ERROR ? 0 : symbol->width;
}

TEST(Gs1128Width, NeverWiderThanZint) {
    std::mt19937 rng(20261206);
    int compared = 0, narrower = 0;
    for (int i = 0; i < kCases; ++i) {
        const Gs1Case c = randomGs1Case(rng);
        std::string why;
        const auto font = encode(GS1128, c.data, "", true, &why);
        ASSERT_TRUE(font) << c.data << ": " << why;
        const int zint = zintModules(c.zint);
        if (zint == 0) continue;
        // Each symbol character 11 modules, the stop 13.
        const int ours = 11 * (static_cast<int>(font->size()) - 1) + 13;
        EXPECT_LE(ours, zint) << c.data;
        ++compared;
        narrower += ours < zint ? 1 : 0;
    }
    EXPECT_GT(compared, kCases * 9 / 10);
    std::printf("compared %d symbols with zint %d: %d narrower, the rest as wide\n", compared, ZBarcode_Version(),
                narrower);
}

}  // namespace
}  // namespace bcfont::test
