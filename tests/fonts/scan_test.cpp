// Font strings drawn in bcfont's fonts must decode, with a real decoder, to
// exactly the data entered plus the check characters the encoder added: a
// table of known cases on every face at two sizes, then seeded random data.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "encode.h"
#include "scan_support.h"
#include "symbology.h"

namespace bcfont::test {
namespace {

using ZXing::BarcodeFormat;

// Modest, yet over two pixels to the narrowest bar at the smaller size, the
// least a decoder reads reliably from an unhinted picture.
constexpr double kDpi = 300;
// The size of the font table, and a smaller one.
constexpr std::array<double, 2> kSizeFactors = {1.0, 0.75};
constexpr int kRandomCases = 1000;
constexpr int kMaxReported = 8;

struct Case {
    std::string name;
    std::string data;
    std::string addon;
    bool check = true;
    std::string expected;  // what the decoder must report
};

struct Symbol {
    CodeType type;
    BarcodeFormat format;
    std::string symbologyId;  // expected identifier; empty: not checked
};

// Normal and half-height faces, and the high-density ones where they exist.
std::vector<std::string_view> facesOf(CodeType type) {
    std::vector<std::string_view> faces;
    for (bool half : {false, true}) {
        for (bool high : {false, true}) {
            const std::string_view family = fontFor(type, half, high).family;
            if (std::find(faces.begin(), faces.end(), family) == faces.end()) faces.push_back(family);
        }
    }
    return faces;
}

ZXing::DecodeHints hintsFor(CodeType type, const Case& c) {
    ZXing::DecodeHints hints;
    if (type == C39) hints.setTryCode39ExtendedMode(true).setValidateCode39CheckSum(c.check);
    if (type == TOFIL) hints.setValidateITFCheckSum(c.check);
    if (type == CODABAR) hints.setReturnCodabarStartEnd(true);
    if (type == EAN13) {
        hints.setEanAddOnSymbol(c.addon.empty() ? ZXing::EanAddOnSymbol::Ignore
                                                : ZXing::EanAddOnSymbol::Require);
    }
    return hints;
}

// Why `c` does not scan in `family` at `size`; empty when it does.
std::string scanFailure(const Symbol& symbol, const Case& c, std::string_view family, double size) {
    std::string why;
    const auto fontString = encode(symbol.type, c.data, c.addon, c.check, &why);
    const std::string where = "[" + c.name + "] data \"" + c.data + "\" addon \"" + c.addon + "\" check " +
                              (c.check ? "on" : "off") + " in \"" + std::string(family) + "\" at " +
                              std::to_string(size) + " pt";
    if (!fontString) return where + ": encoder rejected it: " + why;
    const auto image = render::renderGray(*fontString, family, size, kDpi, &why);
    if (!image) return where + ": cannot draw: " + why;
    const Scan scan = decode(*image, symbol.format, hintsFor(symbol.type, c));
    const std::string drawn = " (font string bytes " + byteList(*fontString) + ")";
    if (!scan.found)
        return where + ": expected \"" + c.expected + "\", decoder found nothing: " + scan.error + drawn;
    if (scan.text != c.expected)
        return where + ": expected \"" + c.expected + "\", decoded \"" + scan.text + "\"" + drawn;
    if (!symbol.symbologyId.empty() && scan.symbologyId != symbol.symbologyId)
        return where + ": expected symbology " + symbol.symbologyId + ", decoded " + scan.symbologyId + drawn;
    return {};
}

void report(const std::vector<std::string>& failures, std::size_t tried) {
    for (std::size_t i = 0; i < failures.size() && i < kMaxReported; ++i) ADD_FAILURE() << failures[i];
    EXPECT_EQ(failures.size(), 0u) << failures.size() << " of " << tried << " pictures did not scan";
}

// Every case on every face at both sizes.
void expectKnownCasesScan(const Symbol& symbol, const std::vector<Case>& cases) {
    std::vector<std::string> failures;
    std::size_t tried = 0;
    const double tableSize = fontFor(symbol.type, false, false).pointSize;
    for (const Case& c : cases) {
        for (std::string_view family : facesOf(symbol.type)) {
            for (double factor : kSizeFactors) {
                ++tried;
                if (auto why = scanFailure(symbol, c, family, tableSize * factor); !why.empty())
                    failures.push_back(why);
            }
        }
    }
    report(failures, tried);
}

// Seeded random cases, each on every face at both sizes.
void expectRandomCasesScan(const Symbol& symbol, std::uint32_t seed, const std::function<Case(Rng&)>& make) {
    Rng rng(seed);
    std::vector<Case> cases;
    for (int i = 0; i < kRandomCases; ++i) {
        cases.push_back(make(rng));
        cases.back().name = "random " + std::to_string(i);
    }
    expectKnownCasesScan(symbol, cases);
}

// Data whose escapes enter the given bytes: tildes doubled, control
// characters and DEL as three-digit escapes.
std::string escaped(std::string_view raw) {
    std::string data;
    for (char ch : raw) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == '~') {
            data += "~~";
        } else if (b < 32 || b == 127) {
            const std::string digits = std::to_string(1000 + b).substr(1);
            data += "~" + digits;
        } else {
            data += ch;
        }
    }
    return data;
}

// Shortens `raw` until its escaped form fits the data limit.
std::string fitting(std::string raw) {
    while (escaped(raw).size() > static_cast<std::size_t>(kMaxDataLength)) raw.pop_back();
    return raw;
}

// Any 7-bit byte, printable ones more often.
std::string randomAscii(Rng& rng, int count) {
    std::string raw;
    for (int i = 0; i < count; ++i) {
        raw += static_cast<char>(rng.below(4) == 0 ? rng.below(128) : rng.between(32, 126));
    }
    return raw;
}

// ---------------------------------------------------------------- EAN-8

const Symbol kEan8{EAN8, BarcodeFormat::EAN8, "]E4"};

TEST(Ean8Scan, KnownCases) {
    expectKnownCasesScan(kEan8, {
                                    {"typical number", "5512345", "", true, "55123457"},
                                    {"wrong check digit replaced", "55123458", "", true, "55123457"},
                                    {"all zeros", "0000000", "", true, "00000000"},
                                    {"all nines", "9999999", "", true, "99999995"},
                                    {"check option off", "1234567", "", false, "12345670"},
                                });
}

TEST(Ean8Scan, RandomData) {
    expectRandomCasesScan(kEan8, 8, [](Rng& rng) {
        const std::string data = rng.digits(7);
        return Case{"", data, "", rng.below(2) == 0, data + gs1CheckDigit(data)};
    });
}

// ---------------------------------------------------------------- EAN-13

const Symbol kEan13{EAN13, BarcodeFormat::EAN13, ""};

TEST(Ean13Scan, KnownCases) {
    expectKnownCasesScan(kEan13,
                         {
                             {"typical number", "400638133393", "", true, "4006381333931"},
                             {"wrong check digit replaced", "4006381333930", "", true, "4006381333931"},
                             {"first digit 0, all set A", "000000000000", "", true, "0000000000000"},
                             {"all nines", "999999999999", "", true, "9999999999994"},
                             {"first digit 9", "978014300723", "", true, "9780143007234"},
                             {"first digit 5", "590123412345", "", true, "5901234123457"},
                         });
}

TEST(Ean13Scan, KnownCasesWithAddOns) {
    expectKnownCasesScan(kEan13,
                         {
                             {"2 digits, A A", "400638133393", "12", true, "4006381333931 12"},
                             {"2 digits, A B", "400638133393", "05", true, "4006381333931 05"},
                             {"2 digits, B A", "400638133393", "02", true, "4006381333931 02"},
                             {"2 digits, B B", "400638133393", "99", true, "4006381333931 99"},
                             {"2 digits, zeros", "590123412345", "00", true, "5901234123457 00"},
                             {"5 digits, B A B A A", "400638133393", "52495", true, "4006381333931 52495"},
                             {"5 digits, zeros", "978014300723", "00000", true, "9780143007234 00000"},
                             {"5 digits, nines", "978014300723", "99999", true, "9780143007234 99999"},
                         });
}

TEST(Ean13Scan, RandomData) {
    expectRandomCasesScan(kEan13, 13, [](Rng& rng) {
        const std::string data = rng.digits(12);
        const int kind = rng.below(3);
        const std::string addon = kind == 0 ? "" : rng.digits(kind == 1 ? 2 : 5);
        const std::string expected = data + gs1CheckDigit(data) + (addon.empty() ? "" : " " + addon);
        return Case{"", data, addon, true, expected};
    });
}

// ---------------------------------------------------------------- UPC-A

const Symbol kUpcA{UPCA, BarcodeFormat::UPCA, ""};

TEST(UpcAScan, KnownCases) {
    expectKnownCasesScan(kUpcA, {
                                    {"typical number", "03600029145", "", true, "036000291452"},
                                    {"wrong check digit replaced", "036000291459", "", true, "036000291452"},
                                    {"all zeros", "00000000000", "", true, "000000000000"},
                                    {"all nines", "99999999999", "", true, "999999999993"},
                                    {"counting", "12345678901", "", false, "123456789012"},
                                });
}

TEST(UpcAScan, RandomData) {
    expectRandomCasesScan(kUpcA, 12, [](Rng& rng) {
        const std::string data = rng.digits(11);
        return Case{"", data, "", true, data + gs1CheckDigit(data)};
    });
}

// ---------------------------------------------------------------- UPC-E

const Symbol kUpcE{UPCE, BarcodeFormat::UPCE, ""};

TEST(UpcEScan, KnownCases) {
    // The check digit is that of the UPC-A number the UPC-E number stands for.
    expectKnownCasesScan(kUpcE, {
                                    {"number system 0, last digit 6", "0123456", "", true, "01234565"},
                                    {"number system 1, last digit 7", "1234567", "", true, "12345670"},
                                    {"number system 1, pattern A B B A B A", "1123457", "", true, "11234579"},
                                    {"last digit 3", "1000003", "", true, "10000037"},
                                    {"last digit 4", "0123404", "", true, "01234048"},
                                    {"all zeros", "0000000", "", true, "00000000"},
                                    {"nines", "0999999", "", true, "09999992"},
                                    {"wrong check digit replaced", "01234560", "", true, "01234565"},
                                });
}

TEST(UpcEScan, RandomData) {
    expectRandomCasesScan(kUpcE, 6, [](Rng& rng) {
        const char numberSystem = static_cast<char>('0' + rng.below(2));
        const std::string six = rng.digits(6);
        const std::string data = numberSystem + six;
        return Case{"", data, "", true, data + gs1CheckDigit(upcEToUpcA(numberSystem, six))};
    });
}

// ---------------------------------------------------------------- Code 39

// Full ASCII decoding; with the check option the decoder verifies the
// modulo-43 check character and strips it (identifier ]A7, else ]A4).
const Symbol kCode39Checked{C39, BarcodeFormat::Code39, "]A7"};
const Symbol kCode39Unchecked{C39, BarcodeFormat::Code39, "]A4"};

TEST(Code39Scan, KnownCasesWithCheck) {
    expectKnownCasesScan(kCode39Checked, {
                                             {"plain characters", "CODE39", "", true, "CODE39"},
                                             {"check character is the space", "AS", "", true, "AS"},
                                             {"small letters and space", "a b", "", true, "a b"},
                                             {"escape for A", "~065", "", true, "A"},
                                             {"sum taken whole", "ZZZZZZZZ", "", true, "ZZZZZZZZ"},
                                             {"punctuation", "Hello, World!", "", true, "Hello, World!"},
                                             {"symbols", "$%+/*_@{|}", "", true, "$%+/*_@{|}"},
                                             {"control characters", "A~009B~127", "", true, "A\tB\x7f"},
                                         });
}

TEST(Code39Scan, KnownCasesWithoutCheck) {
    expectKnownCasesScan(kCode39Unchecked, {
                                               {"plain characters", "CODE39", "", false, "CODE39"},
                                               {"percent sign", "50%", "", false, "50%"},
                                               {"carriage return escape", "A~013", "", false, "A\r"},
                                               {"two tildes", "~~065", "", false, "~065"},
                                               {"short escape is literal", "~12", "", false, "~12"},
                                               {"every class", "Az09 -.$/+%", "", false, "Az09 -.$/+%"},
                                           });
}

TEST(Code39Scan, RandomDataWithCheck) {
    expectRandomCasesScan(kCode39Checked, 39, [](Rng& rng) {
        const std::string raw = fitting(randomAscii(rng, rng.between(1, 16)));
        return Case{"", escaped(raw), "", true, raw};
    });
}

TEST(Code39Scan, RandomDataWithoutCheck) {
    expectRandomCasesScan(kCode39Unchecked, 3939, [](Rng& rng) {
        const std::string raw = fitting(randomAscii(rng, rng.between(1, 16)));
        return Case{"", escaped(raw), "", false, raw};
    });
}

// ---------------------------------------------------------------- Code 128

// The check character is mandatory in Code 128, so only checked symbols can
// be decoded.
const Symbol kCode128{C128, BarcodeFormat::Code128, "]C0"};

TEST(Code128Scan, KnownCases) {
    expectKnownCasesScan(kCode128, {
                                       {"starts in set C", "12345", "", true, "12345"},
                                       {"set B", "ABC", "", true, "ABC"},
                                       {"space is value 0", "Hello World", "", true, "Hello World"},
                                       {"four digits switch to C", "1234", "", true, "1234"},
                                       {"digits inside text", "A12345678B", "", true, "A12345678B"},
                                       {"set A for a control character", "A~009B", "", true, "A\tB"},
                                       {"two tildes", "x~~y", "", true, "x~y"},
                                       {"escape for A", "~065", "", true, "A"},
                                       {"FNC1 inside the data", "AB~999CD", "", true,
                                        "AB\x1D"
                                        "CD"},
                                       {"short escape is literal", "~12", "", true, "~12"},
                                       {"lone tilde", "~", "", true, "~"},
                                       {"DEL passes through", "a~127b", "", true,
                                        "a\x7f"
                                        "b"},
                                       {"long text", std::string(40, 'z'), "", true, std::string(40, 'z')},
                                       {"long digits", "012345678901234567890123456789", "", true,
                                        "012345678901234567890123456789"},
                                   });
}

TEST(Code128Scan, RandomData) {
    expectRandomCasesScan(kCode128, 128, [](Rng& rng) {
        // Runs of digits as often as text, so every code set change occurs.
        std::string raw;
        const int pieces = rng.between(1, 4);
        for (int p = 0; p < pieces; ++p) {
            raw += rng.below(2) == 0 ? rng.digits(rng.between(1, 8)) : randomAscii(rng, rng.between(1, 5));
        }
        raw = fitting(raw);
        return Case{"", escaped(raw), "", true, raw};
    });
}

// ---------------------------------------------------------------- Code 128 EAN/UCC

// The FNC1 behind the start character makes the decoder report GS1 data.
const Symbol kCode128Ean{C128EAN, BarcodeFormat::Code128, "]C1"};

TEST(Code128EanScan, KnownCases) {
    expectKnownCasesScan(
        kCode128Ean, {
                         {"GTIN", "0101234567890128", "", true, "0101234567890128"},
                         {"GTIN and batch", "010123456789012810ABC123", "", true, "010123456789012810ABC123"},
                         {"separator FNC1", "10ABC~9990101234567890128", "", true,
                          "10ABC\x1D"
                          "0101234567890128"},
                         {"odd digit count", "12345", "", true, "12345"},
                     });
}

TEST(Code128EanScan, RandomData) {
    expectRandomCasesScan(kCode128Ean, 1128, [](Rng& rng) {
        std::string data = rng.digits(rng.between(2, 20));
        if (rng.below(2) == 0) data += rng.from("ABCDEFGHIJKLMNOPQRSTUVWXYZ-./", rng.between(1, 6));
        return Case{"", data, "", true, data};
    });
}

// ---------------------------------------------------------------- 2 of 5 Interleaved

const Symbol kItf{TOFIL, BarcodeFormat::ITF, ""};

// The digits the symbol holds: a leading zero makes the count even, after
// the check digit when there is one.
std::string itfDigits(const std::string& data, bool check) {
    if (!check) return data.size() % 2 == 0 ? data : "0" + data;
    const std::string padded = data.size() % 2 == 1 ? data : "0" + data;
    return padded + gs1CheckDigit(padded);
}

TEST(InterleavedScan, KnownCases) {
    expectKnownCasesScan(kItf, {
                                   {"odd count with check", "1234567", "", true, "12345670"},
                                   {"even count with check", "123456", "", true, "01234565"},
                                   {"odd count padded", "12345", "", false, "012345"},
                                   {"even count", "123456", "", false, "123456"},
                                   {"pairs 94 to 99", "949596979899", "", false, "949596979899"},
                                   {"pairs 99 and check", "9999999", "", true, "99999995"},
                                   {"pair 00", "000000", "", false, "000000"},
                               });
}

TEST(InterleavedScan, RandomData) {
    expectRandomCasesScan(kItf, 25, [](Rng& rng) {
        const std::string data = rng.digits(rng.between(5, 40));
        const bool check = rng.below(2) == 0;
        return Case{"", data, "", check, itfDigits(data, check)};
    });
}

// ---------------------------------------------------------------- Codabar

// Start and stop are both D; the decoder reports them.
const Symbol kCodabar{CODABAR, BarcodeFormat::Codabar, ""};

TEST(CodabarScan, KnownCases) {
    expectKnownCasesScan(kCodabar, {
                                       {"three digits", "123", "", false, "D123D"},
                                       {"two digits", "12", "", false, "D12D"},
                                       {"every digit", "0123456789", "", false, "D0123456789D"},
                                       {"check option has no effect", "4711", "", true, "D4711D"},
                                   });
}

TEST(CodabarScan, RandomData) {
    expectRandomCasesScan(kCodabar, 9, [](Rng& rng) {
        const std::string data = rng.digits(rng.between(2, 30));
        return Case{"", data, "", rng.below(2) == 0, "D" + data + "D"};
    });
}

}  // namespace
}  // namespace bcfont::test
