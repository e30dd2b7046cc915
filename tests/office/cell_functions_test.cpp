// BCFONT, BCFONTREASON, BCFONTTEXT and BCFONTFACE over the values Calc passes, without
// LibreOffice: the argument conversions the real-Calc cases in calc_cases.py
// do not reach (boundaries, NaN, ranges, booleans, text where a flag belongs).
#include "cell_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "matrix.h"

namespace bcfont::office {
namespace {

struct Request {
    const char* name;
    CellValue data, type, addon, check;
    std::u16string text;  // expected BCFONT text
    std::string reason;   // expected BCFONTREASON
    Language language = Language::English;  // Calc's user interface language
};

const Blank blank;
const std::u16string ean13 = u"ean13";
const std::string kValidTypes =
    "; give one of ean8, ean13, upca, upce, code39, code128, code128ean, itf, "
    "industrial25, codabar, postnet, imb, gs1128, qr, datamatrix, pdf417, gs1qr, gs1datamatrix or its "
    "number 0-17";
const std::string kNotWhole = " is not a whole number from 0 to 999999999999999; put it in a text cell";

// clang-format off
const Request kRequests[] = {
    {"empty add-on before the check", u"400638133393", ean13, u"", 1.0, u"4<ALGDTM=dddjdb>", ""},
    {"font string bytes above 127 as Mac OS Roman characters", u"Hello World", u"code128", blank, blank,
     u"\u00D6Hello\u00F6WorldK\u00E4", ""},
    {"15 digits, the most a number cell holds exactly", 999999999999999.0, u"code128", blank, blank,
     u"\u00DC\u0192\u0192\u0192\u0192\u0192\u0192\u0192\u201E9{\u00E4", ""},
    {"blank data before the type is filled in", blank, blank, blank, blank, u"", ""},
    {"16 digits, beyond what a number cell holds", 1e15, ean13, blank, blank, u"", "Data 1e+15" + kNotWhole},
    {"not a number", std::nan(""), ean13, blank, blank, u"", "Data nan" + kNotWhole},
    {"boolean data", true, ean13, blank, blank, u"", "Data is TRUE or FALSE; give text or a whole number"},
    {"range as data", CellRange{}, ean13, blank, blank, u"", "Data must be one cell, not a range"},
    {"character outside the BMP", u"A\U0001F600", u"code39", blank, blank, u"",
     "Data holds the character U+1F600, which barcode fonts cannot hold"},
    {"lone surrogate", std::u16string(u"A") + char16_t(0xD800), u"code39", blank, blank, u"",
     "Data holds the character U+D800, which barcode fonts cannot hold"},
    {"type -1", u"123", -1.0, blank, blank, u"", "unknown Type -1" + kValidTypes},
    {"type 1.5", u"123", 1.5, blank, blank, u"", "unknown Type 1.5" + kValidTypes},
    {"type name with a space", u"123", u"ean 13", blank, blank, u"", "unknown Type 'ean 13'" + kValidTypes},
    {"type as a range", u"123", CellRange{}, blank, blank, u"",
     "Type must be one cell holding a symbology name or number" + kValidTypes},
    {"add-on with a fraction", u"400638133393", ean13, 12.5, blank, u"", "Addon 12.5" + kNotWhole},
    {"check as text", u"123", u"code39", blank, u"yes", u"", "Check must be TRUE or FALSE (or 1 or 0)"},
    {"German: the encoder's reason", u"12", ean13, blank, blank, u"", "EAN-13 braucht 12 oder 13 Ziffern, es sind 2", Language::German},
    {"German: the argument named as the Function Wizard names it", true, ean13, blank, blank, u"",
     "Daten ist WAHR oder FALSCH; geben Sie Text oder eine ganze Zahl an", Language::German},
    {"German: the symbologies to choose from", u"123", -1.0, blank, blank, u"",
     "unbekannter Typ -1; geben Sie eines von ean8, ean13, upca, upce, code39, code128, code128ean, itf, "
     "industrial25, codabar, postnet, imb, gs1128, qr, datamatrix, pdf417, gs1qr, gs1datamatrix oder seine Nummer 0-17 an", Language::German},
};

// BCFONTTEXT takes BCFONT's arguments and gives its reasons.
const Request kTexts[] = {
    {"ean13 number cell with its add-on", 400638133393.0, ean13, 12.0, blank, u"4006381333931 12", ""},
    {"code128 escapes as their characters", u"A~066~~", u"code128", blank, blank, u"AB~", ""},
    {"blank data stays blank", blank, ean13, blank, blank, u"", ""},
    {"rejected with BCFONT's reason", u"12", ean13, blank, blank, u"", "EAN-13 needs 12 or 13 digits, got 2"},
};

// The 2D codes: the cell gives what the one front door gives for the same
// type spec and the cell's text as UTF-8, or a reason of its own.
struct MatrixRequest {
    const char* name;
    CellValue data, type;
    const char* spec;  // the front door's spec and data for the expected font string; "" for a reason
    std::string utf8;
    std::string reason;
};

const MatrixRequest kMatrixRequests[] = {
    {"options after the name", u"Hello", u"qr:ecc=H,version=3", "qr:ecc=H,version=3", "Hello", ""},
    {"text beyond Mac OS Roman as UTF-8", u"漢字 €", u"datamatrix", "datamatrix", "漢字 €", ""},
    {"character outside the BMP", u"A😀", u"qr", "qr", "A😀", ""},
    {"number cell as its digits", 12345.0, u"pdf417:columns=3", "pdf417:columns=3", "12345", ""},
    {"type by number", u"abc", 14.0, "datamatrix", "abc", ""},
    {"GS1 element string", u"(01)09501101530003(17)270101", u"gs1qr", "gs1qr", "(01)09501101530003(17)270101", ""},
    {"malformed option", u"x", u"qr:ecc=X", "", "", "Type 'qr:ecc=X': ecc must be L, M, Q or H, not X"},
    {"option on a linear type", u"123", u"code39:ecc=H", "", "",
     "Type 'code39:ecc=H': Code 39 takes no options, got 'ecc=H'"},
    {"lone surrogate", std::u16string(u"A") + char16_t(0xDC00), u"qr", "", "", "Data holds U+DC00, half of a character cut in two"},
    {"too long for the version", std::u16string(30, u'a'), u"qr:version=1", "", "",
     "QR version 1 at ECC level M holds at most 14 bytes of this kind, got 30"},
};

// BCFONTTEXT of a 2D code: the data as it stands in the cell.
const Request kMatrixTexts[] = {
    {"non-Latin text", u"漢字", u"qr", blank, blank, u"漢字", ""},
    {"GS1 data as typed", u"(01)09501101530003", u"gs1datamatrix", blank, blank, u"(01)09501101530003", ""},
    {"rejected with BCFONT's reason", u"(01)123", u"gs1qr", blank, blank, u"", "(01) needs 14 digits, got 3"},
};

struct FaceRequest {
    const char* name;
    CellValue type, halfHeight, highDensity;
    std::u16string family;
    std::string reason;
};

const FaceRequest kFaces[] = {
    {"half height on upca", u"upca", true, blank, u"Code UPC Red", ""},
    {"high density by number, half height 0", u"code39", 0.0, 1.0, u"Code 39 High Density", ""},
    {"2D type with options", u"gs1qr:ecc=Q", blank, blank, u"Code 2D", ""},
    {"high density as text", u"ean13", blank, u"TRUE", u"", "HighDensity must be TRUE or FALSE (or 1 or 0)"},
};
// clang-format on

TEST(CalcCells, Requests) {
    for (const Request& r : kRequests) {
        const CellResult result = barcodeCell(r.data, r.type, r.addon, r.check, r.language);
        EXPECT_EQ(result.text, r.text) << r.name;
        EXPECT_EQ(result.reason, r.reason) << r.name;
    }
}

TEST(CalcCells, Texts) {
    for (const Request& r : kTexts) {
        const CellResult result = textCell(r.data, r.type, r.addon, r.check);
        EXPECT_EQ(result.text, r.text) << r.name;
        EXPECT_EQ(result.reason, r.reason) << r.name;
    }
}

TEST(CalcCells, MatrixRequests) {
    for (const MatrixRequest& r : kMatrixRequests) {
        const CellResult result = barcodeCell(r.data, r.type, Blank{}, Blank{});
        std::u16string text;
        if (*r.spec != 0) {
            const Encoded door = encodeRequest(r.spec, r.utf8, "", true);
            ASSERT_TRUE(door.ok()) << r.name << ": " << door.text;
            text.assign(door.text.begin(), door.text.end());
        }
        EXPECT_EQ(result.reason, r.reason) << r.name;
        EXPECT_EQ(result.text, text) << r.name;
    }
}

TEST(CalcCells, MatrixTexts) {
    for (const Request& r : kMatrixTexts) {
        const CellResult result = textCell(r.data, r.type, r.addon, r.check);
        EXPECT_EQ(result.text, r.text) << r.name;
        EXPECT_EQ(result.reason, r.reason) << r.name;
    }
}

TEST(CalcCells, FaceNames) {
    for (const FaceRequest& f : kFaces) {
        const CellResult result = faceCell(f.type, f.halfHeight, f.highDensity);
        EXPECT_EQ(result.text, f.family) << f.name;
        EXPECT_EQ(result.reason, f.reason) << f.name;
    }
}

}  // namespace
}  // namespace bcfont::office
