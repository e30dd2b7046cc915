// The 2D font strings against libzint's own matrix, the reasons for data a
// symbol refuses, and the capacities those reasons state against what
// libzint actually fits.
#include "matrix.h"

#include <gtest/gtest.h>
#include <zint.h>

#include <memory>
#include <string>
#include <vector>

#include "font_grid.h"

namespace bcfont {
namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

// libzint's matrix for the data, set up by hand here, not by the code under test.
struct ZintMatrix {
    int rows = 0, columns = 0;
    std::vector<bool> dark;
};
ZintMatrix zintMatrix(int symbology, int mode, const std::string& data, int option1 = -1, int option2 = 0,
                      int option3 = 0) {
    std::unique_ptr<zint_symbol, SymbolDeleter> s(ZBarcode_Create());
    s->symbology = symbology;
    s->input_mode = mode;
    s->option_1 = option1;
    s->option_2 = option2;
    s->option_3 = option3;
    if (ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size())) >=
        ZINT_ERROR)
        return {};
    ZintMatrix m{s->rows, s->width, {}};
    for (int y = 0; y < s->rows; ++y)
        for (int x = 0; x < s->width; ++x) m.dark.push_back(((s->encoded_data[y][x >> 3] >> (x & 7)) & 1) != 0);
    return m;
}

struct LayoutRow {
    const char* name;
    const char* spec;
    std::string data;
    int zintSymbology, zintMode, option1, option2, option3;
    int quiet, rowHeight;
    int lines, width;  // of the font string
};

// clang-format off
const LayoutRow kLayoutRows[] = {
    // Version 1 (21 modules) and 4 quiet modules: 29 rows make 8 lines.
    {"qr_version_1", "qr", "Hello", BARCODE_QRCODE, UNICODE_MODE, 2, 0, 0, 4, 1, 8, 29},
    {"qr_version_5_level_h", "qr:ecc=H,version=5", "Hello", BARCODE_QRCODE, UNICODE_MODE, 4, 5, 0, 4, 1, 12, 45},
    // 10x10 and 1 quiet module: 12 rows, 3 lines.
    {"datamatrix_10x10", "datamatrix", "1234", BARCODE_DATAMATRIX, UNICODE_MODE, -1, 0, DM_SQUARE, 1, 1, 3, 12},
    {"datamatrix_8x18", "datamatrix:shape=rect", "Hi", BARCODE_DATAMATRIX, UNICODE_MODE, -1, 25, 0, 1, 1, 3, 20},
    {"datamatrix_given_size", "datamatrix:size=24x24", "Hi", BARCODE_DATAMATRIX, UNICODE_MODE, -1, 8, DM_SQUARE, 1, 1, 7, 26},
    // Rows 3 modules tall, 2 quiet modules all round.
    {"pdf417_two_columns", "pdf417:columns=2,ecc=1", "PDF", BARCODE_PDF417, UNICODE_MODE, 1, 2, 0, 2, 3, 0, 0},
    {"gs1qr", "gs1qr", "(01)09501101530003", BARCODE_QRCODE, GS1_MODE | GS1PARENS_MODE, 2, 0, 0, 4, 1, 8, 29},
    {"gs1datamatrix", "gs1datamatrix", "(01)09501101530003(10)AB", BARCODE_DATAMATRIX, GS1_MODE | GS1PARENS_MODE, -1, 0, DM_SQUARE, 1, 1, 5, 18},
};
// clang-format on

TEST(MatrixFontString, IsLibzintsMatrixWithItsQuietZone) {
    for (const LayoutRow& row : kLayoutRows) {
        SCOPED_TRACE(row.name);
        const Encoded encoded = encodeRequest(row.spec, row.data, "", true);
        ASSERT_TRUE(encoded.ok()) << encoded.text;
        const ZintMatrix z = zintMatrix(row.zintSymbology, row.zintMode, row.data, row.option1, row.option2, row.option3);
        ASSERT_GT(z.rows, 0);
        const test::FontGrid grid = test::gridOf(encoded.text);
        ASSERT_TRUE(grid.wellFormed) << encoded.text;
        const int height = z.rows * row.rowHeight + 2 * row.quiet;
        EXPECT_EQ(grid.columns, z.columns + 2 * row.quiet);
        EXPECT_EQ(grid.lines, (height + 3) / 4);
        if (row.lines != 0) {
            EXPECT_EQ(grid.lines, row.lines);
        }
        if (row.width != 0) {
            EXPECT_EQ(grid.columns, row.width);
        }
        int differences = 0;
        for (int y = 0; y < grid.lines * 4; ++y) {
            for (int x = 0; x < grid.columns; ++x) {
                const int zy = (y - row.quiet) / row.rowHeight, zx = x - row.quiet;
                const bool inside = y >= row.quiet && zy < z.rows && zx >= 0 && zx < z.columns;
                const bool expected = inside && z.dark[static_cast<std::size_t>(zy * z.columns + zx)];
                if (grid.dark(x, y) != expected) ++differences;
            }
        }
        EXPECT_EQ(differences, 0);
    }
}

struct ReasonRow {
    const char* name;
    const char* spec;
    std::string data;
    std::string reason;
};

std::string times(int n, const std::string& s) {
    std::string text;
    for (int i = 0; i < n; ++i) text += s;
    return text;
}

// clang-format off
const ReasonRow kReasonRows[] = {
    {"empty", "qr", "", "no data to encode"},
    {"not_utf8", "datamatrix", "A\xff", "the data is not valid UTF-8 (byte 2)"},
    {"qr_bytes_at_h", "qr:ecc=H", times(1400, "a"), "QR at ECC level H holds at most 1273 bytes of this kind, got 1400"},
    {"qr_utf8_with_eci", "qr:ecc=H", times(500, "\xe2\x82\xac"),
     "QR at ECC level H holds at most 1272 bytes of this kind (UTF-8 with ECI 26), got 1500"},
    {"qr_digits_in_version_1", "qr:version=1", times(35, "1"), "QR version 1 at ECC level M holds at most 34 digits, got 35"},
    {"qr_alphanumeric_in_version_2", "qr:version=2,ecc=Q", times(30, "AB"),
     "QR version 2 at ECC level Q holds at most 29 characters of this kind, got 60"},
    {"latin1_counts_characters", "qr:version=1,ecc=L", times(18, "\xc3\xa9"), "QR version 1 at ECC level L holds at most 17 bytes of this kind, got 18"},
    {"datamatrix_digits", "datamatrix:size=10x10", "1234567", "Data Matrix 10x10 holds at most 6 digits, got 7"},
    {"datamatrix_rect_text", "datamatrix:shape=rect", times(100, "A"), "Data Matrix 16x48 holds at most 72 characters of this kind, got 100"},
    {"datamatrix_largest", "datamatrix", times(1600, "\xc3\xa9"), "Data Matrix 144x144 holds at most 1556 bytes of this kind, got 1600"},
    {"pdf417_bytes", "pdf417:columns=2,ecc=4", times(200, "\xc3\xa9"),
     "PDF417 with 2 columns at ECC level 4 holds at most 175 bytes of this kind, got 200"},
    // The GS1 forms give GS1-128's reasons, bar its length limit.
    {"gs1qr_check_digit", "gs1qr", "(01)09501101530004", "(01) 09501101530004: the check digit should be 3"},
    {"gs1datamatrix_requires", "gs1datamatrix", "(10)ABC", "(10) needs (01), (02), (03), (8006) or (8026) in the same barcode"},
    {"gs1_too_long_for_the_parser", "gs1qr", "(90)" + times(96, "A"), "GS1 data takes at most 99 characters, got 100"},
};
// clang-format on

TEST(MatrixReasons, SayWhatDoesNotFit) {
    for (const ReasonRow& row : kReasonRows) {
        const Encoded encoded = encodeRequest(row.spec, row.data, "", true);
        // An accepted request's font string is long and says nothing here.
        EXPECT_EQ(encoded.ok() ? "accepted" : encoded.text, row.reason) << row.name;
    }
}

// The capacities the reasons state are what libzint fits: the most is
// accepted, one more refused.
struct CapacityRow {
    const char* name;
    const char* spec;
    std::string unit;
    int most;
};
// clang-format off
const CapacityRow kCapacityRows[] = {
    {"qr_40_h_bytes", "qr:ecc=H", "a", 1273},
    {"qr_40_l_digits", "qr:ecc=L", "1", 7089},
    {"qr_1_m_alphanumeric", "qr:version=1", "A", 20},
    {"qr_10_q_utf8", "qr:version=10,ecc=Q", "\xd0\x96", 75},
    {"datamatrix_144_digits", "datamatrix", "1", 3116},
    {"datamatrix_16x48_capitals", "datamatrix:size=16x48", "A", 72},
    {"datamatrix_52_bytes", "datamatrix:size=52x52", "\xc3\xa9", 202},
    {"datamatrix_64_bytes_one_length_byte", "datamatrix:size=64x64", "\xc3\xa9", 278},
    {"pdf417_10_columns_bytes", "pdf417:columns=10,ecc=2", "\xc3\xa9", 1068},
    {"pdf417_level_5_by_default", "pdf417", "\xc3\xa9", 1034},
};
// clang-format on

TEST(MatrixReasons, CapacitiesAreWhatFits) {
    for (const CapacityRow& row : kCapacityRows) {
        EXPECT_TRUE(encodeRequest(row.spec, times(row.most, row.unit), "", true).ok()) << row.name;
        EXPECT_FALSE(encodeRequest(row.spec, times(row.most + 1, row.unit), "", true).ok()) << row.name;
    }
}

}  // namespace
}  // namespace bcfont
