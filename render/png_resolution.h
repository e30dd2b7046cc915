// PNG files that know their resolution, so they print at the size drawn.
#pragma once

#include <string>

namespace bcfont::render {

// `png` (a whole PNG file) with a pHYs chunk for `dpi` right behind its
// header chunk; `png` unchanged when it does not start with a PNG header.
std::string withResolution(const std::string& png, int dpi);

}  // namespace bcfont::render
