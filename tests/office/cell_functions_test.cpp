// BCFONT, BCFONTREASON and BCFONTFACE over the values Calc passes, without
// LibreOffice: how cells become requests and results become cell text.
#include "cell_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace bcfont::office {
namespace {

std::string utf8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

struct Request {
    const char* name;
    CellValue data, type, addon, check;
    std::u16string text;  // expected BCFONT text
    std::string reason;   // expected BCFONTREASON
};

void expectResult(const Request& r) {
    const CellResult result = barcodeCell(r.data, r.type, r.addon, r.check);
    EXPECT_EQ(utf8(result.text), utf8(r.text)) << r.name;
    EXPECT_EQ(result.reason, r.reason) << r.name;
}

const Blank blank;
const std::u16string ean13 = u"ean13";

// clang-format off
const Request kCellsToRequests[] = {
    {"number cell as its integer digits", 400638133393.0, ean13, blank, blank, u"4<ALGDTM=dddjdb>", ""},
    {"the same digits as text", u"400638133393", ean13, blank, blank, u"4<ALGDTM=dddjdb>", ""},
    {"type by number", u"400638133393", 1.0, blank, blank, u"4<ALGDTM=dddjdb>", ""},
    {"type by name in any case", u"400638133393", u"Ean13", blank, blank, u"4<ALGDTM=dddjdb>", ""},
    {"add-on in a number cell", u"400638133393", ean13, 52495.0, blank, u"4<ALGDTM=dddjdb>:v;n;Z;u;q", ""},
    {"empty add-on before the check", u"400638133393", ean13, u"", 1.0, u"4<ALGDTM=dddjdb>", ""},
    {"check left out means TRUE", u"CODE39", u"code39", blank, blank, u"*CODE39W*", ""},
    {"check TRUE as a boolean", u"CODE39", u"code39", blank, true, u"*CODE39W*", ""},
    {"check 1", u"CODE39", u"code39", blank, 1.0, u"*CODE39W*", ""},
    {"check FALSE as a boolean", u"CODE39", u"code39", blank, false, u"*CODE39*", ""},
    {"check 0", u"CODE39", u"code39", blank, 0.0, u"*CODE39*", ""},
    {"font string bytes above 127 as Mac OS Roman characters", u"Hello World", u"code128", blank, blank,
     u"\u00D6Hello\u00F6WorldK\u00E4", ""},
    {"15 digits, the most a number cell holds exactly", 999999999999999.0, u"code128", blank, blank,
     u"\u00DC\u0192\u0192\u0192\u0192\u0192\u0192\u0192\u201E9{\u00E4", ""},
};

const Request kBlankRows[] = {
    {"empty cell", blank, ean13, blank, blank, u"", ""},
    {"empty text", u"", ean13, blank, blank, u"", ""},
    {"the number 0, as Calc passes an empty cell", 0.0, ean13, blank, blank, u"", ""},
    {"blank data before the type is filled in", blank, blank, blank, blank, u"", ""},
};

const std::string kValidTypes = "; give one of ean8, ean13, upca, upce, code39, code128, code128ean, itf, "
                                "industrial25, codabar, postnet or its number 0-10";

const Request kRejections[] = {
    {"encoder's reason passed through", u"12", ean13, blank, blank, u"", "EAN-13 needs 12 or 13 digits, got 2"},
    {"fraction", 12.5, ean13, blank, blank, u"",
     "Data 12.5 is not a whole number from 0 to 999999999999999; put it in a text cell"},
    {"negative number", -5.0, ean13, blank, blank, u"",
     "Data -5 is not a whole number from 0 to 999999999999999; put it in a text cell"},
    {"16 digits, beyond what a number cell holds", 1e15, ean13, blank, blank, u"",
     "Data 1e+15 is not a whole number from 0 to 999999999999999; put it in a text cell"},
    {"not a number", std::nan(""), ean13, blank, blank, u"",
     "Data nan is not a whole number from 0 to 999999999999999; put it in a text cell"},
    {"boolean data", true, ean13, blank, blank, u"", "Data is TRUE or FALSE; give text or a whole number"},
    {"range as data", CellRange{}, ean13, blank, blank, u"", "Data must be one cell, not a range"},
    {"character outside Mac OS Roman", u"A\u2603", u"code39", blank, blank, u"",
     "Data holds the character U+2603, which barcode fonts cannot hold"},
    {"character outside the BMP", u"A\U0001F600", u"code39", blank, blank, u"",
     "Data holds the character U+1F600, which barcode fonts cannot hold"},
    {"lone surrogate", std::u16string(u"A") + char16_t(0xD800), u"code39", blank, blank, u"",
     "Data holds the character U+D800, which barcode fonts cannot hold"},
    {"type left out", u"123", blank, blank, blank, u"", "Type is missing" + kValidTypes},
    {"type 11", u"123", 11.0, blank, blank, u"", "unknown Type 11" + kValidTypes},
    {"type -1", u"123", -1.0, blank, blank, u"", "unknown Type -1" + kValidTypes},
    {"type 1.5", u"123", 1.5, blank, blank, u"", "unknown Type 1.5" + kValidTypes},
    {"type name with a space", u"123", u"ean 13", blank, blank, u"", "unknown Type 'ean 13'" + kValidTypes},
    {"type as a range", u"123", CellRange{}, blank, blank, u"",
     "Type must be one cell holding a symbology name or number" + kValidTypes},
    {"add-on with a fraction", u"400638133393", ean13, 12.5, blank, u"",
     "Addon 12.5 is not a whole number from 0 to 999999999999999; put it in a text cell"},
    {"check 2", u"123", u"code39", blank, 2.0, u"", "Check must be TRUE or FALSE (or 1 or 0), got 2"},
    {"check as text", u"123", u"code39", blank, u"yes", u"", "Check must be TRUE or FALSE (or 1 or 0)"},
};
// clang-format on

TEST(CalcCells, BecomeRequests) {
    for (const Request& r : kCellsToRequests) expectResult(r);
}

TEST(CalcCells, BlankRowsStayBlank) {
    for (const Request& r : kBlankRows) expectResult(r);
}

TEST(CalcCells, RejectionsGiveReasons) {
    for (const Request& r : kRejections) expectResult(r);
}

struct FaceRequest {
    const char* name;
    CellValue type, halfHeight, highDensity;
    std::u16string family;
    std::string reason;
};

// clang-format off
const FaceRequest kFaces[] = {
    {"options left out", u"ean13", blank, blank, u"Code EAN", ""},
    {"half height", u"upca", true, blank, u"Code UPC Red", ""},
    {"high density by number", u"code39", 0.0, 1.0, u"Code 39 High Density", ""},
    {"both", 7.0, true, true, u"Code 25 Interleaved Red HD", ""},
    {"no high-density face", u"code128", false, true, u"Code 128", ""},
    {"unknown type", u"qr", blank, blank, u"", "unknown Type 'qr'" + kValidTypes},
    {"half height 2", u"ean13", 2.0, blank, u"", "HalfHeight must be TRUE or FALSE (or 1 or 0), got 2"},
    {"high density as text", u"ean13", blank, u"TRUE", u"", "HighDensity must be TRUE or FALSE (or 1 or 0)"},
};
// clang-format on

TEST(CalcCells, FaceNames) {
    for (const FaceRequest& f : kFaces) {
        const CellResult result = faceCell(f.type, f.halfHeight, f.highDensity);
        EXPECT_EQ(utf8(result.text), utf8(f.family)) << f.name;
        EXPECT_EQ(result.reason, f.reason) << f.name;
    }
}

}  // namespace
}  // namespace bcfont::office
