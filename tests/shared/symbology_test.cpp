#include "symbology.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "encode.h"
#include "face_metrics.h"

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
    {IMB, true, true, "Code IMb", 10},
    {GS1128, true, false, "Code 128 Red", 30},
    {GS1DATAMATRIX, true, true, "Code 2D", 8},
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
    const std::string past = std::to_string(kCodeTypeCount);
    const TypeName rows[] = {
        {"0", 0},          {"1", 1},        {"10", 10},  {"ean13", 1},       {"EAN13", 1},
        {"code128ean", 6}, {"postnet", 10}, {"-1", -1},  {past.c_str(), -1}, {"", -1}, {"IMB", IMB}, {"GS1128", GS1128},
        {"01x", -1},       {"ean", -1},     {"007", -1}, {"code 128", -1},
    };
    for (const auto& r : rows) {
        const auto t = codeTypeFromString(r.text);
        EXPECT_EQ(t ? static_cast<int>(*t) : -1, r.expected) << "'" << r.text << "'";
    }
}

TEST(Symbology, NamesAreInCodeTypeOrderAndUnique) {
    ASSERT_EQ(symbologies().size(), static_cast<std::size_t>(kCodeTypeCount));
    std::set<std::string_view> fullNames, factKeys;
    for (int i = 0; i < kCodeTypeCount; ++i) {
        const auto& s = symbology(static_cast<CodeType>(i));
        EXPECT_EQ(s.type, i);
        EXPECT_EQ(codeTypeFromString(s.name), s.type) << s.name;
        EXPECT_TRUE(fullNames.insert(s.fullName).second) << s.fullName;
        EXPECT_TRUE(factKeys.insert(s.factKey).second) << s.factKey;
    }
}

// Every face the table names is one the font generator builds. The 2D
// codes' face comes with its own generator, on its way.
TEST(Symbology, FacesAreGeneratedFonts) {
    std::set<std::string_view> generated;
    for (const FaceMetrics& m : kFaceMetrics) generated.insert(m.family);
    for (const Symbology& s : symbologies()) {
        if (s.matrix.isMatrix() && !generated.contains("Code 2D")) continue;
        for (std::string_view face :
             {s.faces.normal, s.faces.red, s.faces.highDensity, s.faces.redHighDensity})
            EXPECT_TRUE(generated.contains(face)) << s.fullName << ": " << face;
    }
}

// The window offers an option exactly where the faces differ by it.
TEST(Symbology, OptionsOfferedMatchTheFaces) {
    for (const Symbology& s : symbologies()) {
        SCOPED_TRACE(s.fullName);
        EXPECT_EQ(s.offers.highDensity, s.faces.highDensity != s.faces.normal);
        EXPECT_EQ(s.offers.halfHeight, s.faces.red != s.faces.normal);
    }
}

// Data of `count` characters, all `fill` but the last, which is `last`.
std::string dataOf(int count, char fill, char last) {
    std::string data(static_cast<std::size_t>(count), fill);
    if (count > 0) data.back() = last;
    return data;
}

// The shortest data length of at least `atLeast` ones that a symbology
// takes: one its table accepts, and for an encoder that checks the parts of
// its data itself (Intelligent Mail), one that encoder accepts too.
int lengthFor(const Symbology& s, int atLeast, const std::string& prefix) {
    int n = atLeast;
    while (n < kMaxDataLength &&
           (!accepts(s.lengths, n) || !encode(s.type, prefix + dataOf(n, '1', '1'), "", true)))
        ++n;
    return n;
}

// Each row's check character and alphabet say what Calc does: a check
// option that only Optional and Expected rows honour, a NUL and a letter
// only the 7-bit ASCII rows take.
TEST(Symbology, CheckCharacterAndAlphabetAreWhatCalcDoes) {
    for (const Symbology& s : symbologies()) {
        SCOPED_TRACE(s.fullName);
        // Calc refuses the 2D codes, whatever the data: the matrix module makes them.
        if (s.matrix.isMatrix()) {
            std::string why;
            EXPECT_FALSE(encode(s.type, "12345", "", true, &why));
            EXPECT_EQ(why, std::string(s.fullName) + " is a 2D code, which this build of the encoder does not make");
            continue;
        }
        // GS1-128 data starts with an AI; (90) takes any of its characters.
        const std::string ai = s.alphabet == Alphabet::Gs1ElementString ? "(90)" : "";
        const int n = lengthFor(s, 3, ai);
        const auto request = [&ai](int count, char fill, char last) { return ai + dataOf(count, fill, last); };
        const auto withCheck = encode(s.type, request(n, '1', '1'), "", true);
        const auto withoutCheck = encode(s.type, request(n, '1', '1'), "", false);
        ASSERT_TRUE(withCheck && withoutCheck);
        const bool honoured = s.check == CheckCharacter::Optional || s.check == CheckCharacter::Expected;
        EXPECT_EQ(*withCheck != *withoutCheck, honoured);

        EXPECT_EQ(encode(s.type, request(n, '1', '\0'), "", true).has_value(), nulIsData(s.alphabet));
        EXPECT_EQ(encode(s.type, request(n, '1', 'A'), "", true).has_value(), s.alphabet != Alphabet::Digits);
    }
}

}  // namespace
