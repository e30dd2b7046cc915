#include "symbology.h"

#include <gtest/gtest.h>

namespace {

using namespace bcfont;

struct FontRow {
    CodeType type;
    bool half, high;
    const char* family;
    int size;
};

// The preview fonts: every reachable option combination has its own face.
constexpr FontRow kFonts[] = {
    {EAN8, false, false, "Code EAN", 72},
    {EAN13, true, false, "Code EAN Red", 72},
    {UPCA, false, false, "Code UPC", 72},
    {UPCE, true, true, "Code UPC Red", 72},
    {C39, false, false, "Code 39", 30},
    {C39, false, true, "Code 39 High Density", 30},
    {C39, true, false, "Code 39 Red", 30},
    {C39, true, true, "Code 39 Red High Density", 30},
    {C128, true, false, "Code 128 Red", 30},
    {C128EAN, false, true, "Code 128", 30},
    {TOFIL, false, false, "Code 25 Interleaved", 30},
    {TOFIL, false, true, "Code 25 Interleaved HD", 30},
    {TOFIL, true, false, "Code 25 Interleaved Red", 30},
    {TOFIL, true, true, "Code 25 Interleaved Red HD", 30},
    {TOFIND, true, true, "Code 25 Industrial Red", 30},
    {CODABAR, false, false, "Codabar", 40},
    {CODABAR, true, false, "Codabar Red", 40},
    {POSTNET, true, true, "Postnet", 9},
};

TEST(Symbology, PreviewFontTable) {
    for (const auto& row : kFonts) {
        const FontChoice f = fontFor(row.type, row.half, row.high);
        EXPECT_EQ(f.family, row.family)
            << symbology(row.type).fullName << " half=" << row.half << " high=" << row.high;
        EXPECT_EQ(f.pointSize, row.size) << row.family;
    }
}

struct TypeName {
    const char* text;
    int expected;  // -1: not a symbology
};

TEST(Symbology, CodeTypeFromString) {
    constexpr TypeName rows[] = {
        {"0", 0},   {"1", 1},   {"10", 10}, {"ean13", 1}, {"EAN13", 1}, {"code128ean", 6}, {"postnet", 10},
        {"11", -1}, {"-1", -1}, {"", -1},   {"01x", -1},  {"ean", -1},  {"007", -1},       {"code 128", -1},
    };
    for (const auto& r : rows) {
        const auto t = codeTypeFromString(r.text);
        EXPECT_EQ(t ? static_cast<int>(*t) : -1, r.expected) << "'" << r.text << "'";
    }
}

TEST(Symbology, NamesAreInCodeTypeOrderAndUnique) {
    for (int i = 0; i < kCodeTypeCount; ++i) {
        const auto& s = symbology(static_cast<CodeType>(i));
        EXPECT_EQ(s.type, i);
        EXPECT_EQ(codeTypeFromString(s.name), s.type) << s.name;
    }
}

}  // namespace
