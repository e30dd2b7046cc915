// One sheet of placed labels drawn onto a cairo context, for the PDF and
// for the picture of a page alike.
#pragma once

#include <string>

#include "labels.h"

namespace bcfont::render::detail {

// Between the baselines of a label's text lines, in text sizes.
inline constexpr double kLineSpacing = 1.25;

// Draws page `page` (0-based) of `sheets` in points: white, the outlines when
// asked for, and every label of that page. Empty, or why not.
std::string drawLabelPage(cairo_t* cr, const LabelSheets& sheets, int page);

}  // namespace bcfont::render::detail
