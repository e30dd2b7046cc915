#include "label_page.h"

#include <cairo.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace bcfont::render::detail {
namespace {

// The face of every text on a label: data under the bars and captions.
constexpr const char* kTextFamily = "DejaVu Sans";
constexpr double kSmallestShrunkText = 3.0;  // a wide caption shrinks so far, then is cut off
constexpr double kOutlineWidth = 0.25;       // points

// The glyphs of `text` in the context's font with the pen starting at the
// origin, and their advance.
struct TextRun {
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    double advance = 0;
    ~TextRun() { cairo_glyph_free(glyphs); }
};

void shapeText(cairo_t* cr, const std::string& text, TextRun& run) {
    cairo_glyph_free(run.glyphs);
    run.glyphs = nullptr;
    run.count = 0;
    cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
    cairo_scaled_font_text_to_glyphs(font, 0, 0, text.data(), static_cast<int>(text.size()), &run.glyphs,
                                     &run.count, nullptr, nullptr, nullptr);
    cairo_text_extents_t extents{};
    cairo_scaled_font_glyph_extents(font, run.glyphs, run.count, &extents);
    run.advance = extents.x_advance;
}

// Text lines of one size gathered across a page, drawn as one run.
using TextRuns = std::map<double, std::vector<cairo_glyph_t>>;

// One line of text centred on the label with its top at `top`, shrunk to
// `width` when wider and cut off at the label's edges when even that is too
// small. The text is turned into glyphs once and measured by them: cairo's
// text calls would look every character up again.
void drawTextLine(cairo_t* cr, const std::string& text, const Rect& label, double top, double width,
                  double size, TextRuns& runs) {
    cairo_set_font_size(cr, size);
    TextRun run;
    shapeText(cr, text, run);
    if (run.advance > width) {
        size = std::max(kSmallestShrunkText, size * width / run.advance);
        cairo_set_font_size(cr, size);
        shapeText(cr, text, run);
    }
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    const double dx = label.x + label.width / 2 - std::min(run.advance, width) / 2;
    const double dy = top + font.ascent;
    for (int i = 0; i < run.count; ++i) {
        run.glyphs[i].x += dx;
        run.glyphs[i].y += dy;
    }
    if (run.advance <= width) {
        runs[size].insert(runs[size].end(), run.glyphs, run.glyphs + run.count);
        return;
    }
    // Cut off: drawn at once, in a clip of its own.
    cairo_save(cr);
    cairo_rectangle(cr, label.x, label.y, label.width, label.height);
    cairo_clip(cr);
    cairo_show_glyphs(cr, run.glyphs, run.count);
    cairo_restore(cr);
}

void drawLabelText(cairo_t* cr, const LabelSheets& sheets, const LabelPlacement& p, TextRuns& runs) {
    const LabelItem& item = sheets.items[p.item];
    const double width = p.label.width - 2 * kLabelPaddingMm * kPointsPerMm;
    double top = p.textTop;
    for (const std::string* line : {&item.text, &item.caption}) {
        if (line->empty()) continue;
        drawTextLine(cr, *line, p.label, top, width, p.textSize, runs);
        top += p.textSize * kLineSpacing;
    }
}

void drawOutlines(cairo_t* cr, const LabelTemplate& sheet) {
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
    cairo_set_line_width(cr, kOutlineWidth);
    for (int i = 0; i < labelsPerSheet(sheet); ++i) {
        const Rect r = labelRect(sheet, i);
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

}  // namespace

// Labels neither overlap nor hold overlapping ink, so the page is drawn by
// kind rather than label by label: the bars by size, then the text lines by
// size, each kind in few runs, for cairo spends on every run far more than
// on its glyphs.
std::string drawLabelPage(cairo_t* cr, const LabelSheets& sheets, int page) {
    cairo_save(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_restore(cr);
    if (sheets.job.outline) drawOutlines(cr, sheets.sheet);
    const auto first = std::lower_bound(sheets.placements.begin(), sheets.placements.end(), page,
                                        [](const LabelPlacement& p, int n) { return p.page < n; });
    const auto last = std::find_if(first, sheets.placements.end(),
                                   [page](const LabelPlacement& p) { return p.page != page; });
    std::vector<PlacedString> bars;
    for (auto it = first; it != last; ++it) {
        const LabelItem& item = sheets.items[it->item];
        if (item.bars.face == nullptr) return "line " + std::to_string(item.line) + " was never placed";
        bars.push_back({&item.bars, it->barcode.x, it->barcode.y});
    }
    // Column by column: within a run, cairo places a barcode on the baseline
    // of the one before by a kerning step rounded to a thousandth of an em,
    // but one on another baseline exactly.
    std::sort(bars.begin(), bars.end(), [](const PlacedString& a, const PlacedString& b) {
        return std::tuple(a.string->pointSize, a.x, a.y) < std::tuple(b.string->pointSize, b.x, b.y);
    });
    drawPreparedStrings(cr, bars);
    // Once a page: looking the face up again for every label costs more than drawing its text.
    cairo_save(cr);
    cairo_select_font_face(cr, kTextFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_source_rgb(cr, 0, 0, 0);
    TextRuns runs;
    for (auto it = first; it != last; ++it) drawLabelText(cr, sheets, *it, runs);
    for (const auto& [size, glyphs] : runs) {
        cairo_set_font_size(cr, size);
        cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    }
    cairo_restore(cr);
    return {};
}

}  // namespace bcfont::render::detail
