// 2D symbols as Code 2D font strings made straight from libzint's module
// matrix, a source the tests share with no part of bcfont's own encoding.
#pragma once

#include <string>

namespace bcfont::test {

enum class Matrix2D { QR, DataMatrix, PDF417 };

// The font string of `data` (UTF-8) in `symbology`: the quiet zone as blank
// modules on every side, PDF417 rows three modules tall, blank rows at the
// bottom up to a multiple of four, one letter 'A' + column per four module
// rows (bit 3 the top module), lines joined by LF. Empty when zint refuses.
std::string zintFontString(Matrix2D symbology, const std::string& data);

}  // namespace bcfont::test
