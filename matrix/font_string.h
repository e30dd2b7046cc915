// A libzint module matrix as a 2D font string: one letter per module column
// of four module rows, 'A' + v with bit 3 the top module; lines joined by
// LF, top line first; the quiet zone as blank modules on every side, blank
// rows below up to a whole line.
#pragma once

#include <string>

#include "symbology.h"

struct zint_symbol;

namespace bcfont::matrix {

// Each of the symbol's rows is repeated form.rowHeight times.
std::string fontStringOf(const zint_symbol& symbol, const MatrixForm& form);

// The glyph of a blank column, and the modules a glyph stacks.
inline constexpr char kBlankGlyph = 'A';
inline constexpr int kModulesPerGlyph = 4;

}  // namespace bcfont::matrix
