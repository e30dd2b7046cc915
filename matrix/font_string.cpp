#include "font_string.h"

#include <zint.h>

namespace bcfont::matrix {
namespace {

// libzint keeps a row's modules as bits, the first module in the lowest bit.
bool dark(const zint_symbol& symbol, int row, int column) {
    return ((symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1) != 0;
}

}  // namespace

std::string fontStringOf(const zint_symbol& symbol, const MatrixForm& form) {
    const int quiet = form.quietZone, rowHeight = form.rowHeight;
    const int width = symbol.width + 2 * quiet;
    const int height = symbol.rows * rowHeight + 2 * quiet;
    const int lines = (height + kModulesPerGlyph - 1) / kModulesPerGlyph;
    const int pitch = width + 1;  // a line and its LF
    std::string text(static_cast<std::size_t>(lines * pitch - 1), kBlankGlyph);
    for (int line = 0; line + 1 < lines; ++line) text[static_cast<std::size_t>(line * pitch + width)] = '\n';
    for (int row = 0; row < symbol.rows; ++row) {
        for (int column = 0; column < symbol.width; ++column) {
            if (!dark(symbol, row, column)) continue;
            for (int k = 0; k < rowHeight; ++k) {
                const int y = quiet + row * rowHeight + k;
                const int bit = kModulesPerGlyph - 1 - y % kModulesPerGlyph;
                text[static_cast<std::size_t>(y / kModulesPerGlyph * pitch + quiet + column)] +=
                    static_cast<char>(1 << bit);
            }
        }
    }
    return text;
}

}  // namespace bcfont::matrix
