// The type spec: names and numbers, the options of each 2D code, and the
// reason for every kind of malformed option.
#include "type_choice.h"

#include <gtest/gtest.h>

#include <string>

#include "symbology.h"

namespace bcfont {
namespace {

// A spec as its fields, for comparison: "QR Code ecc=H version=5".
std::string described(const TypeSpec& s) {
    std::string text(symbology(s.type).fullName);
    if (s.type == QR || s.type == GS1QR) text += std::string(" ecc=") + "LMQH"[static_cast<int>(s.qrEcc)];
    if (s.qrVersion != 0) text += " version=" + std::to_string(s.qrVersion);
    if (s.shapeGiven) text += s.rectangular ? " rect" : " square";
    if (s.dmSize != 0) {
        const Ecc200Size& size = kEcc200Sizes[s.dmSize - 1u];
        text += " size=" + std::to_string(size.rows) + "x" + std::to_string(size.columns);
    }
    if (s.pdfColumns != 0) text += " columns=" + std::to_string(s.pdfColumns);
    if (s.pdfEcc >= 0) text += " ecc=" + std::to_string(s.pdfEcc);
    return text;
}

struct SpecRow {
    const char* name;
    const char* spec;
    std::string expected;  // described() of the type and options, or the reason
};

// clang-format off
const SpecRow kAccepted[] = {
    {"linear_name", "ean13", "EAN-13"},
    {"number_of_a_2d_code", "13", "QR Code ecc=M"},
    {"qr_defaults_to_m", "qr", "QR Code ecc=M"},
    {"keys_and_values_any_case", "QR:ECC=h,Version=40", "QR Code ecc=H version=40"},
    {"version_with_leading_zero", "gs1qr:version=07", "GS1 QR Code ecc=M version=7"},
    {"rect_shape", "datamatrix:shape=rect", "Data Matrix rect"},
    {"rect_size_and_shape", "datamatrix:size=8x18,shape=rect", "Data Matrix rect size=8x18"},
    {"largest_square", "gs1datamatrix:size=144X144", "GS1 DataMatrix size=144x144"},
    {"pdf417_both", "pdf417:columns=6,ecc=4", "PDF417 columns=6 ecc=4"},
    {"pdf417_ecc_zero", "pdf417:ecc=0", "PDF417 ecc=0"},
};

const SpecRow kRejected[] = {
    {"unknown_name", "qrcode", "unknown type 'qrcode'"},
    {"unknown_name_with_options", "qrcode:ecc=H", "unknown type 'qrcode'"},
    {"linear_with_options", "ean13:ecc=H", "EAN-13 takes no options, got 'ecc=H'"},
    {"qr_ecc_letter", "qr:ecc=X", "ecc must be L, M, Q or H, not X"},
    {"qr_ecc_word", "qr:ecc=high", "ecc must be L, M, Q or H, not high"},
    {"version_past_40", "qr:version=41", "version must be 1 to 40, not 41"},
    {"version_zero", "qr:version=0", "version must be 1 to 40, not 0"},
    {"version_not_a_number", "qr:version=5a", "version must be 1 to 40, not 5a"},
    {"repeated_key", "qr:ecc=H,ecc=L", "ecc is given twice"},
    {"key_of_another_type", "qr:shape=rect", "QR Code has no option 'shape'; it takes ecc=L|M|Q|H, version=1..40"},
    {"space_before_key", "qr: ecc=H", "QR Code has no option ' ecc'; it takes ecc=L|M|Q|H, version=1..40"},
    {"nothing_after_colon", "qr:", "an option after the type is empty; write ecc=L|M|Q|H, version=1..40, split by commas"},
    {"trailing_comma", "pdf417:ecc=2,", "an option after the type is empty; write columns=1..30, ecc=0..8, split by commas"},
    {"key_without_value", "qr:ecc", "ecc needs a value: L, M, Q or H"},
    {"key_with_empty_value", "datamatrix:shape=", "shape needs a value: square or rect"},
    {"shape_unknown", "datamatrix:shape=round", "shape must be square or rect, not round"},
    {"size_not_ecc200", "datamatrix:size=11x11",
     "size must be an ECC 200 size: 10x10 to 144x144, 8x18, 8x32, 12x26, 12x36, 16x36 or 16x48, not 11x11"},
    {"size_without_x", "gs1datamatrix:size=24", "size must be an ECC 200 size: 10x10 to 144x144, 8x18, 8x32, 12x26, 12x36, 16x36 or 16x48, not 24"},
    {"size_against_shape", "datamatrix:size=8x18,shape=square",
     "the size and shape disagree: a square size needs shape=square, a rectangular one shape=rect"},
    {"columns_past_30", "pdf417:columns=31", "columns must be 1 to 30, not 31"},
    {"pdf_ecc_past_8", "pdf417:ecc=9", "ecc must be 0 to 8, not 9"},
    {"pdf_ecc_letter", "pdf417:ecc=H", "ecc must be 0 to 8, not H"},
};
// clang-format on

TEST(TypeSpec, AcceptedSpecs) {
    for (const SpecRow& row : kAccepted) {
        const ParsedSpec parsed = parseTypeSpec(row.spec);
        EXPECT_EQ(specFaultSentence(parsed.fault), "") << row.name;
        EXPECT_EQ(described(parsed.spec), row.expected) << row.name;
    }
}

TEST(TypeSpec, RejectedSpecsSayWhy) {
    for (const SpecRow& row : kRejected) {
        const ParsedSpec parsed = parseTypeSpec(row.spec);
        EXPECT_FALSE(parsed.ok()) << row.name;
        EXPECT_EQ(specFaultSentence(parsed.fault), row.expected) << row.name;
    }
}

}  // namespace
}  // namespace bcfont
