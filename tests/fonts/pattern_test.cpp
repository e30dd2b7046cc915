// 2 of 5 Industrial and Postnet, which the decoder does not read: the bars
// drawn in bcfont's fonts, read off rows of the picture, must follow the
// patterns their standards print, element by element.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "encode.h"
#include "scan_support.h"
#include "symbology.h"

namespace bcfont::test {
namespace {

// Fine enough that every narrow element is several pixels wide.
constexpr double kDpi = 400;
const std::vector<double> kTwoSizes = {1.0, 0.6};
// Postnet is printed at its one size.
const std::vector<double> kOneSize = {1.0};
constexpr int kRandomCases = 1000;
constexpr int kMaxReported = 8;
// Standard minimum quiet zones: ten narrow elements for 2 of 5 Industrial,
// an eighth of an inch for Postnet.
constexpr int kQuietNarrowElements = 10;
constexpr int kPostnetQuietPixels = static_cast<int>(kDpi / 8);

// 2 of 5 digits as the 2 of 5 character table prints them (bar weights 1 2
// 4 7 and parity): N narrow, W wide bar; every space is narrow.
constexpr std::array<std::string_view, 10> kIndustrialDigits = {
    "NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW", "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN",
};
constexpr std::string_view kIndustrialStart = "WWN";
constexpr std::string_view kIndustrialStop = "WNW";

// Postnet digits as the postal bar code table prints them: T full bar,
// s half bar (weights 7 4 2 1 0); a full frame bar at each end.
constexpr std::array<std::string_view, 10> kPostnetDigits = {
    "TTsss", "sssTT", "ssTsT", "ssTTs", "sTssT", "sTsTs", "sTTss", "TsssT", "TssTs", "TsTss",
};
constexpr std::string_view kPostnetFrame = "T";

std::string industrialPattern(std::string_view digitsDrawn) {
    std::string out(kIndustrialStart);
    for (char d : digitsDrawn) out += kIndustrialDigits[static_cast<std::size_t>(d - '0')];
    return out + std::string(kIndustrialStop);
}

std::string postnetPattern(std::string_view digitsDrawn) {
    std::string out(kPostnetFrame);
    for (char d : digitsDrawn) out += kPostnetDigits[static_cast<std::size_t>(d - '0')];
    return out + std::string(kPostnetFrame);
}

struct Case {
    std::string name;
    std::string data;
    bool check;
    std::string digitsDrawn;  // data and check digit, as the bars must show them
};

// The runs of `row` without the white at both ends, and that white's widths.
struct Row {
    std::vector<PixelRun> runs;
    int leadingWhite = 0;
    int trailingWhite = 0;
};

Row trimmed(std::vector<PixelRun> runs) {
    Row row;
    if (!runs.empty() && !runs.front().black) {
        row.leadingWhite = runs.front().length;
        runs.erase(runs.begin());
    }
    if (!runs.empty() && !runs.back().black) {
        row.trailingWhite = runs.back().length;
        runs.pop_back();
    }
    row.runs = std::move(runs);
    return row;
}

// Bars as N/W read from a row a third down the ink; empty with the reason
// in `why` when the spaces or quiet zones are wrong.
std::string industrialBarsOf(const render::GrayImage& image, std::string& why) {
    const auto [top, bottom] = inkRows(image);
    if (top < 0) {
        why = "blank picture";
        return {};
    }
    const Row row = trimmed(runsOfRow(image, top + (bottom - top) / 3));
    int narrow = image.width;
    for (const PixelRun& r : row.runs) narrow = std::min(narrow, r.length);
    std::string bars;
    for (const PixelRun& r : row.runs) {
        const bool wide = r.length * 2 > narrow * 3;
        if (r.black) {
            bars += wide ? 'W' : 'N';
        } else if (wide) {
            why = "a wide space of " + std::to_string(r.length) + " px (narrow is " + std::to_string(narrow) +
                  ")";
        }
    }
    if (row.leadingWhite < kQuietNarrowElements * narrow || row.trailingWhite < kQuietNarrowElements * narrow)
        why = "quiet zones of " + std::to_string(row.leadingWhite) + " and " +
              std::to_string(row.trailingWhite) + " px, narrower than " +
              std::to_string(kQuietNarrowElements) + " elements of " + std::to_string(narrow) + " px";
    return bars;
}

// Bars as T/s: every bar crosses a row near the bottom of the ink, only
// full bars a row near its top.
std::string postnetBarsOf(const render::GrayImage& image, std::string& why) {
    const auto [top, bottom] = inkRows(image);
    if (top < 0) {
        why = "blank picture";
        return {};
    }
    const int height = bottom - top + 1;
    const int lowY = bottom - height / 10;
    const int highY = top + height / 10;
    const Row row = trimmed(runsOfRow(image, lowY));
    std::string bars;
    int x = row.leadingWhite;
    for (const PixelRun& r : row.runs) {
        if (r.black) bars += image.at(x + r.length / 2, highY) < 128 ? 'T' : 's';
        x += r.length;
    }
    if (row.leadingWhite < kPostnetQuietPixels || row.trailingWhite < kPostnetQuietPixels)
        why = "quiet zones of " + std::to_string(row.leadingWhite) + " and " +
              std::to_string(row.trailingWhite) + " px, narrower than " +
              std::to_string(kPostnetQuietPixels) + " px";
    return bars;
}

using BarReader = std::string (*)(const render::GrayImage&, std::string&);
using PatternOf = std::string (*)(std::string_view);

std::string patternFailure(CodeType type, const Case& c, std::string_view family, double size, BarReader read,
                           PatternOf expectedOf) {
    const std::string where = "[" + c.name + "] data \"" + c.data + "\" in \"" + std::string(family) +
                              "\" at " + std::to_string(size) + " pt";
    std::string why;
    const auto fontString = encode(type, c.data, "", c.check, &why);
    if (!fontString) return where + ": encoder rejected it: " + why;
    const auto image = render::renderGray(*fontString, family, size, kDpi, &why);
    if (!image) return where + ": cannot draw: " + why;
    const std::string expected = expectedOf(c.digitsDrawn);
    const std::string drawn = read(*image, why);
    if (drawn != expected)
        return where + ": expected bars " + expected + ", drawn " + drawn + " (font string bytes " +
               byteList(*fontString) + ")";
    if (!why.empty()) return where + ": " + why;
    return {};
}

// `sizeFactors` scale the size of the font table.
void expectPatterns(CodeType type, const std::vector<Case>& cases, BarReader read, PatternOf expectedOf,
                    const std::vector<double>& sizeFactors) {
    std::vector<std::string_view> faces = {fontFor(type, false, false).family};
    if (fontFor(type, true, false).family != faces.front())
        faces.push_back(fontFor(type, true, false).family);
    const double tableSize = fontFor(type, false, false).pointSize;
    std::vector<std::string> failures;
    std::size_t tried = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        for (std::size_t f = 0; f < faces.size(); ++f) {
            for (std::size_t s = 0; s < sizeFactors.size(); ++s) {
                ++tried;
                auto why =
                    patternFailure(type, cases[i], faces[f], tableSize * sizeFactors[s], read, expectedOf);
                if (!why.empty()) failures.push_back(why);
            }
        }
    }
    for (std::size_t i = 0; i < failures.size() && i < kMaxReported; ++i) ADD_FAILURE() << failures[i];
    EXPECT_EQ(failures.size(), 0u) << failures.size() << " of " << tried << " pictures differ";
}

// ---------------------------------------------------------------- 2 of 5 Industrial

TEST(IndustrialPattern, KnownCases) {
    expectPatterns(TOFIND,
                   {
                       {"every digit", "0123456789", false, "0123456789"},
                       {"with check digit", "567", true, "5678"},
                       {"even count with check", "56", true, "567"},
                       {"check digit 9", "94", true, "949"},
                       {"single digit", "7", false, "7"},
                       {"empty with check", "", true, "0"},
                   },
                   industrialBarsOf, industrialPattern, kTwoSizes);
}

TEST(IndustrialPattern, RandomData) {
    Rng rng(825);
    std::vector<Case> cases;
    for (int i = 0; i < kRandomCases; ++i) {
        const std::string data = rng.digits(rng.between(1, 20));
        const bool check = rng.below(2) == 0;
        cases.push_back(
            {"random " + std::to_string(i), data, check, check ? data + gs1CheckDigit(data) : data});
    }
    expectPatterns(TOFIND, cases, industrialBarsOf, industrialPattern, kTwoSizes);
}

// ---------------------------------------------------------------- Postnet

// Postnet's check digit completes the plain digit sum to a multiple of ten.
char postnetCheckDigit(std::string_view digits) {
    int sum = 0;
    for (char d : digits) sum += d - '0';
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

TEST(PostnetPattern, KnownCases) {
    expectPatterns(POSTNET,
                   {
                       {"ZIP", "12345", false, "123455"},
                       {"check digit 0", "19000", false, "190000"},
                       {"ZIP+4", "123456789", true, "1234567895"},
                       {"delivery point", "12345678901", false, "123456789014"},
                       {"every digit", "67890", false, "678900"},
                   },
                   postnetBarsOf, postnetPattern, kOneSize);
}

TEST(PostnetPattern, RandomData) {
    Rng rng(10);
    std::vector<Case> cases;
    constexpr std::array<int, 3> kLengths = {5, 9, 11};
    for (int i = 0; i < kRandomCases; ++i) {
        const std::string data = rng.digits(kLengths[static_cast<std::size_t>(rng.below(3))]);
        cases.push_back(
            {"random " + std::to_string(i), data, rng.below(2) == 0, data + postnetCheckDigit(data)});
    }
    expectPatterns(POSTNET, cases, postnetBarsOf, postnetPattern, kOneSize);
}

}  // namespace
}  // namespace bcfont::test
