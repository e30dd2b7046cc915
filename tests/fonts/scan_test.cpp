// Font strings drawn in bcfont's fonts must read back as exactly the data
// entered plus the check characters the encoder added: with a real decoder,
// or, for 2 of 5 Industrial and Postnet, which it does not read, bar by bar
// against the patterns their standards print. Every symbology runs a table of
// known cases and seeded random data on every face at its sizes.
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "calc_helpers.h"
#include "encode.h"
#include "gs1_cases.h"
#include "render.h"
#include "symbology.h"

namespace bcfont::test {
namespace {

using ZXing::BarcodeFormat;

constexpr int kRandomCases = 1000;
constexpr int kMaxReported = 8;
// The size of the font table, and a smaller one: at 300 dpi still over two
// pixels to the narrowest bar, the least a decoder reads from an unhinted picture.
const std::vector<double> kTwoSizes = {1.0, 0.75};

struct Case {
    std::string name, data, addon;
    bool check = true;
    std::string expected;  // decoded text, or the digits the bars must show
};

// A reproducible source of test data.
struct Rng {
    std::mt19937 engine;
    int below(int n) { return static_cast<int>(engine() % static_cast<std::uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool coin() { return below(2) == 0; }
    std::string from(std::string_view alphabet, int count) {
        std::string out;
        for (int i = 0; i < count; ++i)
            out += alphabet[static_cast<std::size_t>(below(int(alphabet.size())))];
        return out;
    }
    std::string digits(int count) { return from("0123456789", count); }
};

// ---------------------------------------------------------------- reading pictures

struct PixelRun {
    bool black = false;
    int length = 0;
};

bool dark(const render::GrayImage& image, int x, int y) {
    return image.at(x, y) < 128;
}

std::vector<PixelRun> runsOfRow(const render::GrayImage& image, int y) {
    std::vector<PixelRun> runs;
    for (int x = 0; x < image.width; ++x) {
        if (runs.empty() || runs.back().black != dark(image, x, y)) runs.push_back({dark(image, x, y), 0});
        ++runs.back().length;
    }
    return runs;
}

// The first and last rows holding a dark pixel; {-1, -1} for a blank picture.
std::pair<int, int> inkRows(const render::GrayImage& image) {
    std::pair<int, int> rows{-1, -1};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!dark(image, x, y)) continue;
            rows = {rows.first < 0 ? y : rows.first, y};
            break;
        }
    }
    return rows;
}

int narrowestBar(const std::vector<PixelRun>& runs) {
    int narrow = 1 << 30;
    for (const PixelRun& r : runs) narrow = r.black ? std::min(narrow, r.length) : narrow;
    return narrow;
}

// A symbology under test: how its pictures are read and what they must say.
struct Target {
    const char* name;
    CodeType type;
    double dpi;
    std::vector<double> sizes;
    std::array<int, 2> quietModules;  // left, right; 0: not in modules
    std::vector<Case> known;
    std::uint32_t seed;
    Case (*random)(Rng&);
    BarcodeFormat format = BarcodeFormat::None;
    std::string symbologyId = {};  // "]C1" and so on; empty: not checked
    // Bars the expected digits draw, read by width and height; null: read by the decoder.
    std::string (*patternOf)(std::string_view) = nullptr;
    int quietPixels(int narrow) const { return type == POSTNET ? int(dpi / 8) : 10 * narrow; }
};

std::string scanned(const render::GrayImage& image, const Target& t, const Case& c, std::string& why) {
    ZXing::DecodeHints hints;
    hints.setFormats(t.format).setTryRotate(false).setTryDownscale(false);
    if (t.type == C39) hints.setTryCode39ExtendedMode(true).setValidateCode39CheckSum(c.check);
    if (t.type == TOFIL) hints.setValidateITFCheckSum(c.check);
    if (t.type == CODABAR) hints.setReturnCodabarStartEnd(true);
    if (t.type == EAN13)
        hints.setEanAddOnSymbol(c.addon.empty() ? ZXing::EanAddOnSymbol::Ignore
                                                : ZXing::EanAddOnSymbol::Require);
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) why = result.error() ? result.error().msg() : "decoder found nothing";
    if (result.isValid() && !t.symbologyId.empty() && result.symbologyIdentifier() != t.symbologyId)
        why = "symbology " + result.symbologyIdentifier() + ", expected " + t.symbologyId;
    return result.text();
}

// Bars read along one row: for 2 of 5 Industrial a third down the ink, N/W
// by width (its spaces must all be narrow); for Postnet near the bottom,
// where every bar crosses, T/s by whether the bar also crosses a row near the top.
std::string barsRead(const render::GrayImage& image, const Target& t, std::string& why) {
    const auto [top, bottom] = inkRows(image);
    if (top < 0) {
        why = "blank picture";
        return {};
    }
    const int highY = top + (bottom - top + 1) / 10;
    const auto runs =
        runsOfRow(image, t.type == POSTNET ? bottom - (bottom - top + 1) / 10 : top + (bottom - top) / 3);
    const int narrow = narrowestBar(runs);
    std::string bars;
    int x = 0;
    for (const PixelRun& r : runs) {
        const bool wide = r.length * 2 > narrow * 3;
        const bool edge = &r == &runs.front() || &r == &runs.back();
        if (r.black)
            bars +=
                t.type == POSTNET ? (dark(image, x + r.length / 2, highY) ? 'T' : 's') : (wide ? 'W' : 'N');
        if (!r.black && !edge && wide && t.type != POSTNET)
            why += " a wide space of " + std::to_string(r.length) + " px";
        x += r.length;
    }
    const int quiet = t.quietPixels(narrow);
    if (runs.front().black || runs.back().black || runs.front().length < quiet || runs.back().length < quiet)
        why += " quiet zones of " + std::to_string(runs.front().length) + " and " +
               std::to_string(runs.back().length) + " px, less than " + std::to_string(quiet);
    return bars;
}

// 2 of 5 digits as the 2 of 5 character table prints them (bar weights 1 2 4
// 7 and parity): N narrow, W wide bar; start WWN, stop WNW.
constexpr std::array<std::string_view, 10> kIndustrialDigits = {
    "NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW", "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN",
};
// Postnet digits as the postal bar code table prints them (weights 7 4 2 1
// 0): T full bar, s half bar; a full frame bar at each end.
constexpr std::array<std::string_view, 10> kPostnetDigits = {
    "TTsss", "sssTT", "ssTsT", "ssTTs", "sTssT", "sTsTs", "sTTss", "TsssT", "TssTs", "TsTss",
};

std::string framed(std::string_view digits, const std::array<std::string_view, 10>& table,
                   std::string_view start, std::string_view stop) {
    std::string out(start);
    for (char d : digits) out += table[static_cast<std::size_t>(d - '0')];
    return out + std::string(stop);
}
// Normal and half-height faces, and the high-density ones where they exist.
std::vector<std::string_view> facesOf(CodeType type) {
    std::vector<std::string_view> faces;
    for (int option = 0; option < 4; ++option) {
        const std::string_view family = fontFor(type, option & 1, option & 2).family;
        if (std::find(faces.begin(), faces.end(), family) == faces.end()) faces.push_back(family);
    }
    return faces;
}

// Why `c` drawn in `family` at `size` does not read back; empty when it does.
std::string failureOf(const Target& t, const Case& c, std::string_view family, double size) {
    const std::string where = "[" + c.name + "] data \"" + c.data + "\" addon \"" + c.addon + "\" check " +
                              (c.check ? "on" : "off") + " in \"" + std::string(family) + "\" at " +
                              std::to_string(size) + " pt: ";
    std::string why;
    const auto fontString = encode(t.type, c.data, c.addon, c.check, &why);
    if (!fontString) return where + "encoder rejected it: " + why;
    const auto image = render::renderGray(*fontString, family, size, t.dpi, &why);
    if (!image) return where + "cannot draw: " + why;
    const std::string expected = t.patternOf ? t.patternOf(c.expected) : c.expected;
    const std::string actual = t.patternOf ? barsRead(*image, t, why) : scanned(*image, t, c, why);
    if (actual == expected && why.empty()) return {};
    return where + "expected \"" + expected + "\", read \"" + actual + "\" " + why + " (font string bytes " +
           ::testing::PrintToString(codes(*fontString)) + ")";
}

// ---------------------------------------------------------------- expected text of random data

// The check digit that completes the digit sum to a multiple of ten, the
// rightmost digit weighted `weight` and alternating with 1: 3 for EAN/UPC
// and the 2 of 5 codes, 1 for Postnet.
char checkDigit(std::string_view digits, int weight = 3) {
    int sum = 0;
    for (std::size_t i = 0; i < digits.size(); ++i)
        sum += (digits[digits.size() - 1 - i] - '0') * (i % 2 ? 1 : weight);
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// The UPC-A number a UPC-E number system digit and six digits stand for.
std::string upcEToUpcA(char numberSystem, const std::string& d) {
    if (d[5] <= '2') return numberSystem + d.substr(0, 2) + d[5] + "0000" + d.substr(2, 3);
    if (d[5] == '3') return numberSystem + d.substr(0, 3) + "00000" + d.substr(3, 2);
    if (d[5] == '4') return numberSystem + d.substr(0, 4) + "00000" + d[4];
    return numberSystem + d.substr(0, 5) + "0000" + d[5];
}

// The digits 2 of 5 Interleaved holds: a leading zero makes the count even,
// after the check digit when there is one.
std::string itfDigits(const std::string& data, bool check) {
    if (!check) return data.size() % 2 == 0 ? data : "0" + data;
    const std::string padded = data.size() % 2 == 1 ? data : "0" + data;
    return padded + checkDigit(padded);
}

// A request the encoder tests also generate, drawn once Calc accepts it with
// the given check option and its meaning is known; FNC1 reads as GS. Decoders
// report nothing for a symbol without data, and take an FNC1 first or second
// for the GS1 or AIM marker.
Case generated(Rng& rng, CodeType type, bool check) {
    for (;;) {
        const Request request = generate(rng.engine, type);
        if (request.data.empty() || !request.meaning || !encode(type, request.data, "", check)) continue;
        const Codes& meant = *request.meaning;
        if (meant[0] == kFnc1 || (meant.size() > 1 && meant[1] == kFnc1)) continue;
        std::string text;
        for (int c : meant) text += c == kFnc1 ? '\x1D' : static_cast<char>(c);
        return {"", request.data, "", check, text};
    }
}

// ---------------------------------------------------------------- the symbologies

// clang-format off
const std::vector<Target> kTargets = {
    {"Ean8", EAN8, 300, kTwoSizes, {7, 7}, {
        {"typical number", "5512345", "", true, "55123457"},
        {"check option off", "1234567", "", false, "12345670"},
     }, 8, [](Rng& r) { const auto d = r.digits(7); return Case{"", d, "", r.coin(), d + checkDigit(d)}; },
     BarcodeFormat::EAN8, "]E4"},
    {"Ean13", EAN13, 300, kTwoSizes, {11, 7}, {
        {"typical number", "400638133393", "", true, "4006381333931"},
        {"first digit 0, all set A", "000000000000", "", true, "0000000000000"},
        {"first digit 9", "978014300723", "", true, "9780143007234"},
        {"2-digit add-on A A", "400638133393", "12", true, "4006381333931 12"},
        {"5-digit add-on B A B A A", "400638133393", "52495", true, "4006381333931 52495"},
     }, 13, [](Rng& r) { const auto d = r.digits(12), a = r.digits(std::array{0, 2, 5}[std::size_t(r.below(3))]);
                         return Case{"", d, a, true, d + checkDigit(d) + (a.empty() ? "" : " " + a)}; }, BarcodeFormat::EAN13},
    {"UpcA", UPCA, 300, kTwoSizes, {9, 9}, {
        {"typical number", "03600029145", "", true, "036000291452"},
        {"check option off", "12345678901", "", false, "123456789012"},
     }, 12, [](Rng& r) { const auto d = r.digits(11); return Case{"", d, "", true, d + checkDigit(d)}; },
     BarcodeFormat::UPCA},
    // The check digit is that of the UPC-A number the UPC-E number stands for.
    {"UpcE", UPCE, 300, kTwoSizes, {9, 7}, {
        {"number system 0, last digit 6", "0123456", "", true, "01234565"},
        {"number system 1, last digit 7", "1234567", "", true, "12345670"},
        {"last digit 3", "1000003", "", true, "10000037"},
        {"last digit 4", "0123404", "", true, "01234048"},
     }, 6, [](Rng& r) { const char ns = r.coin() ? '0' : '1'; const auto six = r.digits(6);
                        return Case{"", ns + six, "", true, ns + six + checkDigit(upcEToUpcA(ns, six))}; }, BarcodeFormat::UPCE},
    // Full ASCII decoding; with the check option the decoder verifies the
    // modulo-43 check character and strips it (identifier ]A7, else ]A4).
    {"Code39WithCheck", C39, 300, kTwoSizes, {10, 10}, {
        {"plain characters", "CODE39", "", true, "CODE39"},
        {"check character is the space", "AS", "", true, "AS"},
        {"small letters and space", "a b", "", true, "a b"},
        {"control characters", "A~009B~127", "", true, "A\tB\x7f"},
     }, 39, [](Rng& r) { return generated(r, C39, true); },
     BarcodeFormat::Code39, "]A7"},
    {"Code39WithoutCheck", C39, 300, kTwoSizes, {10, 10}, {
        {"plain characters", "CODE39", "", false, "CODE39"},
        {"short escape is literal", "~12", "", false, "~12"},
        {"every class", "Az09 -.$/+%", "", false, "Az09 -.$/+%"},
     }, 3939, [](Rng& r) { return generated(r, C39, false); },
     BarcodeFormat::Code39, "]A4"},
    // The check character is mandatory in Code 128, so only checked symbols decode.
    {"Code128", C128, 300, kTwoSizes, {10, 10}, {
        {"starts in set C", "12345", "", true, "12345"},
        {"space is value 0", "Hello World", "", true, "Hello World"},
        {"FNC1 inside the data", "AB~999CD", "", true, "AB\x1D" "CD"},
        {"short escape is literal", "~12", "", true, "~12"},
        {"lone tilde", "~", "", true, "~"},
        {"long digits", "012345678901234567890123456789", "", true, "012345678901234567890123456789"},
     }, 128, [](Rng& r) { return generated(r, C128, true); }, BarcodeFormat::Code128, "]C0"},
    // The FNC1 behind the start character makes the decoder report GS1 data.
    {"Code128Ean", C128EAN, 300, kTwoSizes, {10, 10}, {
        {"GTIN", "0101234567890128", "", true, "0101234567890128"},
        {"separator FNC1", "10ABC~9990101234567890128", "", true, "10ABC\x1D" "0101234567890128"},
        {"odd digit count", "12345", "", true, "12345"},
     }, 1128, [](Rng& r) { const auto d = r.digits(r.between(2, 20)) + (r.coin() ? r.from("ABCDEFGHIJKLMNOPQRSTUVWXYZ-./", r.between(1, 6)) : "");
                           return Case{"", d, "", true, d}; }, BarcodeFormat::Code128, "]C1"},
    // GS1-128: FNC1 first (]C1), and GS exactly after the variable-length
    // elements that are not last.
    {"Gs1128", GS1128, 300, kTwoSizes, {10, 10}, {
        {"GTIN, expiry, batch", "(01)09501101530003(17)250101(10)ABC123", "", true, "01095011015300031725010110ABC123"},
        {"separator after a variable element", "(01)09501101530003(10)ABC(17)250101", "", true, "010950110153000310ABC\x1D" "17250101"},
        {"none after predefined ones", "[00]106141411234567897[01]09501101530003", "", true, "001061414112345678970109501101530003"},
        {"escaped brackets", "(01)09501101530003(10)A\\(1\\)(21)X", "", true, "010950110153000310A(1)\x1D" "21X"},
     }, 16, [](Rng& r) { const Gs1Case c = randomGs1Case(r.engine); return Case{"", c.data, "", true, c.scanned}; },
     BarcodeFormat::Code128, "]C1"},
    {"Interleaved2of5", TOFIL, 300, kTwoSizes, {10, 10}, {
        {"odd count with check", "1234567", "", true, "12345670"},
        {"odd count padded", "12345", "", false, "012345"},
        {"pairs 94 to 99", "949596979899", "", false, "949596979899"},
     }, 25, [](Rng& r) { const auto d = r.digits(r.between(5, 40)); const bool check = r.coin();
                         return Case{"", d, "", check, itfDigits(d, check)}; }, BarcodeFormat::ITF},
    // Start and stop are both D; the decoder reports them.
    {"Codabar", CODABAR, 300, kTwoSizes, {10, 10}, {
        {"three digits", "123", "", false, "D123D"},
        {"every digit", "0123456789", "", false, "D0123456789D"},
     }, 9, [](Rng& r) { const auto d = r.digits(r.between(2, 30)); return Case{"", d, "", r.coin(), "D" + d + "D"}; },
     BarcodeFormat::Codabar},
    // Fine enough that every narrow element is several pixels wide.
    {"Industrial2of5", TOFIND, 400, {1.0, 0.6}, {10, 10}, {
        {"every digit", "0123456789", "", false, "0123456789"},
        {"with check digit", "567", "", true, "5678"},
        {"empty with check", "", "", true, "0"},
     }, 825, [](Rng& r) { const auto d = r.digits(r.between(1, 20)); const bool check = r.coin();
                          return Case{"", d, "", check, check ? d + checkDigit(d) : d}; }, BarcodeFormat::None, "",
     [](std::string_view d) { return framed(d, kIndustrialDigits, "WWN", "WNW"); }},
    // Postnet is printed at its one size.
    {"Postnet", POSTNET, 400, {1.0}, {0, 0}, {
        {"ZIP", "12345", "", false, "123455"},
        {"check digit 0", "19000", "", false, "190000"},
     }, 10, [](Rng& r) { const auto d = r.digits(std::array{5, 9, 11}[std::size_t(r.below(3))]);
                         return Case{"", d, "", r.coin(), d + checkDigit(d, 1)}; }, BarcodeFormat::None, "",
     [](std::string_view d) { return framed(d, kPostnetDigits, "T", "T"); }},
};
// clang-format on

void PrintTo(const Target& t, std::ostream* os) {
    *os << t.name;
}

class FontPicture : public ::testing::TestWithParam<Target> {};

TEST_P(FontPicture, KnownAndRandomCasesReadBack) {
    const Target& t = GetParam();
    std::vector<Case> cases = t.known;
    Rng rng{std::mt19937(t.seed)};
    for (int i = 0; i < kRandomCases; ++i) {
        cases.push_back(t.random(rng));
        cases.back().name = "random " + std::to_string(i);
    }
    std::vector<std::string> failures;
    std::size_t tried = 0;
    for (const Case& c : cases) {
        for (std::string_view family : facesOf(t.type)) {
            for (double factor : t.sizes) {
                ++tried;
                auto why = failureOf(t, c, family, fontFor(t.type, false, false).pointSize * factor);
                if (!why.empty()) failures.push_back(why);
            }
        }
    }
    for (std::size_t i = 0; i < failures.size() && i < kMaxReported; ++i) ADD_FAILURE() << failures[i];
    EXPECT_EQ(failures.size(), 0u) << failures.size() << " of " << tried << " pictures did not read back";
}

INSTANTIATE_TEST_SUITE_P(Symbologies, FontPicture, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

// Minimum quiet zones in modules (narrow elements) from the symbology
// standards: EAN-13 11 left and 7 right, 5 behind an add-on; EAN-8 7 and 7;
// UPC-A 9 and 9; UPC-E 9 left and 7 right; the others 10 each. More white
// than this beyond the minimum wastes label space.
constexpr int kMaxExtraQuietModules = 12;

// Postnet's quiet zones (quietModules 0) are checked where its bars are read.
TEST(FontQuietZones, KnownCasesHaveStandardQuietZones) {
    for (const Target& t : kTargets) {
        if (t.quietModules[0] == 0) continue;
        const auto font = fontFor(t.type, false, false);
        for (const Case& c : t.known) {
            SCOPED_TRACE(std::string(t.name) + ": " + c.name);
            const auto image = render::renderGray(encode(t.type, c.data, c.addon, c.check).value_or(""),
                                                  font.family, font.pointSize, 600);
            ASSERT_TRUE(image);
            // A row through the bars above any human-readable digits.
            const auto [top, bottom] = inkRows(*image);
            const auto runs = runsOfRow(*image, top + (bottom - top) / 5);
            ASSERT_GE(runs.size(), 3u);
            const int right = c.addon.empty() ? t.quietModules[1] : 5;
            for (const auto& [side, run, least] : {std::tuple{"left", runs.front(), t.quietModules[0]},
                                                   std::tuple{"right", runs.back(), right}}) {
                const double modules = double(run.length) / narrowestBar(runs);
                EXPECT_GE(modules, least - 0.5) << side << " quiet zone in modules";
                EXPECT_LE(modules, least + kMaxExtraQuietModules) << side << " quiet zone in modules";
            }
        }
    }
}

}  // namespace
}  // namespace bcfont::test
