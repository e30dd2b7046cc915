#include "zint_matrix.h"

#include <zint.h>

#include <memory>
#include <vector>

namespace bcfont::test {
namespace {

struct Layout {
    int zintType;
    int quiet;         // modules on every side
    int rowRepeat;     // module rows per matrix row
};

constexpr Layout layoutOf(Matrix2D s) {
    switch (s) {
    case Matrix2D::QR: return {BARCODE_QRCODE, 4, 1};
    case Matrix2D::DataMatrix: return {BARCODE_DATAMATRIX, 1, 1};
    case Matrix2D::PDF417: return {BARCODE_PDF417, 2, 3};
    }
    return {};
}

}  // namespace

std::string zintFontString(Matrix2D symbology, const std::string& data) {
    const Layout layout = layoutOf(symbology);
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(), ZBarcode_Delete);
    symbol->symbology = layout.zintType;
    symbol->input_mode = UNICODE_MODE;
    if (ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.data()),
                        static_cast<int>(data.size())) >= ZINT_ERROR)
        return {};
    const int width = symbol->width + 2 * layout.quiet;
    std::vector<std::vector<bool>> rows(static_cast<std::size_t>(layout.quiet), std::vector<bool>(width));
    for (int r = 0; r < symbol->rows; ++r) {
        std::vector<bool> row(width);
        for (int c = 0; c < symbol->width; ++c)
            row[c + layout.quiet] = (symbol->encoded_data[r][c >> 3] >> (c & 7)) & 1;
        for (int k = 0; k < layout.rowRepeat; ++k) rows.push_back(row);
    }
    rows.resize(rows.size() + layout.quiet, std::vector<bool>(width));
    rows.resize((rows.size() + 3) / 4 * 4, std::vector<bool>(width));
    std::string out;
    for (std::size_t top = 0; top < rows.size(); top += 4) {
        if (top) out += '\n';
        for (int c = 0; c < width; ++c)
            out += static_cast<char>('A' + (rows[top][c] << 3 | rows[top + 1][c] << 2 | rows[top + 2][c] << 1 |
                                            rows[top + 3][c]));
    }
    return out;
}

}  // namespace bcfont::test
