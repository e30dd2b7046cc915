#include "labels.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

#include "batch.h"
#include "encode.h"
#include "macroman.h"
#include "symbology.h"

namespace bcfont::render {
namespace {

// The face of every text on a label: data under the bars and captions.
constexpr const char* kTextFamily = "DejaVu Sans";
constexpr double kMinTextPoints = 5.0;
constexpr double kMaxTextPoints = 8.0;
constexpr double kTextShareOfLabel = 0.12;  // of the label's inner height
constexpr double kLineSpacing = 1.25;
constexpr double kSmallestShrunkText = 3.0;  // a wide caption shrinks so far, then is cut off
constexpr double kOutlineWidth = 0.25;       // points

// A caption and its TAB after the longest data a batch line may hold.
inline constexpr std::size_t kMaxLabelLineBytes = kMaxBatchLineBytes + 1 + kMaxCaptionBytes;
using LabelLineSplitter = LineSplitter<kMaxLabelLineBytes>;

bool faceHasDigits(CodeType type) {
    return type == EAN8 || type == EAN13 || type == UPCA || type == UPCE;
}

double minNarrowPoints(CodeType type) {
    return (faceHasDigits(type) ? kMinEanUpcModuleMm : kMinNarrowElementMm) * kPointsPerMm;
}

std::string smallestElementMm(CodeType type) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", faceHasDigits(type) ? kMinEanUpcModuleMm : kMinNarrowElementMm);
    return text;
}

// Well-formed UTF-8 as cairo takes it: shortest forms, no surrogates,
// nothing beyond U+10FFFF.
bool validUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int extra = c < 0x80                 ? 0
                          : c >= 0xC2 && c <= 0xDF ? 1
                          : c >= 0xE0 && c <= 0xEF ? 2
                          : c >= 0xF0 && c <= 0xF4 ? 3
                                                   : -1;
        if (extra < 0 || i + extra >= text.size() + (extra == 0 ? 1 : 0)) return false;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

// Text of the input as UTF-8, or nothing when `utf8` input is not UTF-8.
std::optional<std::string> textOf(std::string_view bytes, bool utf8) {
    if (!utf8) return macroman::toUtf8(bytes);
    if (!validUtf8(bytes)) return std::nullopt;
    return std::string(bytes);
}

// The line under the bars of a face that draws no digits: the text a person
// reads there ("~066" as 'B'), as UTF-8; empty where the face has its own.
// `data` is a line the batch rules converted.
std::string textUnderBars(std::string_view data, const LabelJob& job) {
    if (faceHasDigits(job.type)) return {};
    const auto bytes = job.utf8 ? macroman::fromUtf8(data) : std::optional<std::string>(data);
    if (!bytes) return {};
    return macroman::toUtf8(humanReadable(job.type, *bytes, {}, job.check).value_or(std::string()));
}

std::string mm(double points) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", points / kPointsPerMm);
    return text;
}

// The barcode's place on a label at the origin, or why it does not fit.
struct Fit {
    Rect barcode;
    double pointSize = 0;
    double textTop = 0;
    double textSize = 0;
};

struct FitOrReason {
    std::optional<Fit> fit;
    std::string reason;
};

FitOrReason fitOnLabel(const LabelItem& item, const LabelTemplate& sheet, CodeType type) {
    const FontChoice font = fontFor(type, false, false);
    std::string error;
    const auto nominal = layoutFor(item.fontString, font.family, font.pointSize, &error);
    if (!nominal) return {std::nullopt, error};
    const double padding = kLabelPaddingMm * kPointsPerMm;
    const double innerWidth = sheet.labelWidth - 2 * padding;
    const double innerHeight = sheet.labelHeight - 2 * padding;
    const int lines = (item.text.empty() ? 0 : 1) + (item.caption.empty() ? 0 : 1);
    const double textSize = std::clamp(innerHeight * kTextShareOfLabel, kMinTextPoints, kMaxTextPoints);
    const double textHeight = lines * textSize * kLineSpacing;
    const double barHeight = innerHeight - textHeight;

    const double scale = std::min(innerWidth / nominal->width, barHeight / nominal->height);
    const double size = std::min(font.pointSize * scale, kMaxPointSize);
    const double smallest = font.pointSize * minNarrowPoints(type) / nominal->narrowPoints;
    if (!(barHeight > 0 && size >= smallest)) {
        const double ratio = smallest / font.pointSize;
        return {std::nullopt, "the barcode does not fit on a " + mm(sheet.labelWidth) + " x " +
                                  mm(sheet.labelHeight) + " mm label: at its smallest (" +
                                  (faceHasDigits(type) ? "a module" : "a narrow bar") + " of " +
                                  smallestElementMm(type) + " mm) it needs one of " +
                                  mm(nominal->width * ratio + 2 * padding) + " x " +
                                  mm(nominal->height * ratio + textHeight + 2 * padding) + " mm"};
    }
    Fit fit;
    fit.pointSize = size;
    fit.barcode.width = nominal->width * size / font.pointSize;
    fit.barcode.height = nominal->height * size / font.pointSize;
    fit.barcode.x = (sheet.labelWidth - fit.barcode.width) / 2;
    fit.barcode.y = padding + (innerHeight - fit.barcode.height - textHeight) / 2;
    fit.textTop = fit.barcode.y + fit.barcode.height;
    fit.textSize = textSize;
    return {fit, {}};
}

void addProblem(LabelReport& report, std::uint64_t line, std::string reason, bool rejected) {
    (rejected ? report.rejected : report.notFitting) += 1;
    if (report.listed.size() < kListedLabelProblems)
        report.listed.push_back({line, std::move(reason), rejected});
}

// ---------------------------------------------------------------- drawing

struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
template <typename T>
using CairoPtr = std::unique_ptr<T, CairoDeleter>;

// One line of text centred on `centreX` with its top at `top`, shrunk to
// `width` when wider and cut off when even that is too small.
void drawTextLine(cairo_t* cr, const std::string& text, double centreX, double top, double width,
                  double size) {
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    if (extents.x_advance > width) {
        size = std::max(kSmallestShrunkText, size * width / extents.x_advance);
        cairo_set_font_size(cr, size);
        cairo_text_extents(cr, text.c_str(), &extents);
    }
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    cairo_move_to(cr, centreX - std::min(extents.x_advance, width) / 2, top + font.ascent);
    cairo_show_text(cr, text.c_str());
}

std::string drawLabel(cairo_t* cr, const LabelSheets& sheets, const LabelPlacement& p) {
    const LabelItem& item = sheets.items[p.item];
    const FontChoice font = fontFor(sheets.job.type, false, false);
    std::string error =
        drawFontString(cr, item.fontString, font.family, p.pointSize, p.barcode.x, p.barcode.y);
    if (!error.empty()) return error;
    cairo_save(cr);
    cairo_rectangle(cr, p.label.x, p.label.y, p.label.width, p.label.height);
    cairo_clip(cr);
    cairo_select_font_face(cr, kTextFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_source_rgb(cr, 0, 0, 0);
    const double centre = p.label.x + p.label.width / 2;
    const double width = p.label.width - 2 * kLabelPaddingMm * kPointsPerMm;
    double top = p.textTop;
    for (const std::string* line : {&item.text, &item.caption}) {
        if (line->empty()) continue;
        drawTextLine(cr, *line, centre, top, width, p.textSize);
        top += p.textSize * kLineSpacing;
    }
    cairo_restore(cr);
    return {};
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

std::string drawPage(cairo_t* cr, const LabelSheets& sheets, int page) {
    cairo_save(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_restore(cr);
    if (sheets.job.outline) drawOutlines(cr, sheets.sheet);
    const auto first = std::lower_bound(sheets.placements.begin(), sheets.placements.end(), page,
                                        [](const LabelPlacement& p, int n) { return p.page < n; });
    for (auto it = first; it != sheets.placements.end() && it->page == page; ++it) {
        const std::string error = drawLabel(cr, sheets, *it);
        if (!error.empty()) return error;
    }
    return {};
}

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::optional<LabelSheets> planLabels(std::string_view input, const LabelTemplate& sheet, const LabelJob& job,
                                      std::string& error) {
    const int perSheet = labelsPerSheet(sheet);
    if (perSheet < 1) {
        error = "the template \"" + sheet.name + "\" has no labels";
        return std::nullopt;
    }
    if (job.skip < 0 || job.skip >= perSheet) {
        error = "the start position must skip 0 to " + std::to_string(perSheet - 1) + " labels: \"" +
                sheet.name + "\" has " + std::to_string(perSheet) + " on a sheet";
        return std::nullopt;
    }
    if (job.copies < 1 || job.copies > kMaxCopies) {
        error = "copies must lie between 1 and " + std::to_string(kMaxCopies);
        return std::nullopt;
    }
    LabelSheets sheets;
    sheets.sheet = sheet;
    sheets.job = job;
    BatchOptions options;
    options.type = job.type;
    options.check = job.check;
    options.utf8 = job.utf8;
    FontStringBuffer buffer{};
    std::uint64_t position = static_cast<std::uint64_t>(job.skip);
    LabelReport& report = sheets.report;

    const auto onLine = [&](const Line& line) {
        if (line.bytes.empty() && !line.tooLong) {
            ++report.empty;
            return;
        }
        if (line.tooLong) {
            addProblem(report, line.number,
                       "longer than " + std::to_string(kMaxLabelLineBytes) + " bytes, caption included",
                       true);
            return;
        }
        const std::size_t tab = line.bytes.find('\t');
        const std::string_view data = line.bytes.substr(0, tab);
        const std::string_view caption = tab == std::string_view::npos ? "" : line.bytes.substr(tab + 1);
        // The batch rules see an empty line as no line; here it would be a label without a barcode.
        if (data.empty()) return addProblem(report, line.number, "no data before the caption's TAB", true);
        const auto outcome =
            convertLine(Line{data, line.number, data.size() > kMaxBatchLineBytes}, options, buffer);
        if (!outcome.converted) return addProblem(report, line.number, outcome.reason, true);
        LabelItem item;
        item.line = line.number;
        item.fontString = std::string(outcome.fontString);
        const auto captionText = textOf(caption, job.utf8);
        if (!captionText) return addProblem(report, line.number, "the caption is not UTF-8 text", true);
        item.caption = *captionText;
        item.text = textUnderBars(data, job);
        const FitOrReason fit = fitOnLabel(item, sheet, job.type);
        if (!fit.fit) return addProblem(report, line.number, fit.reason, false);
        ++report.printed;
        for (int copy = 0; copy < job.copies; ++copy, ++position) {
            LabelPlacement p;
            p.page = static_cast<int>(position / static_cast<std::uint64_t>(perSheet));
            p.position = static_cast<int>(position % static_cast<std::uint64_t>(perSheet));
            p.label = labelRect(sheet, p.position);
            p.barcode = fit.fit->barcode;
            p.barcode.x += p.label.x;
            p.barcode.y += p.label.y;
            p.pointSize = fit.fit->pointSize;
            p.textTop = fit.fit->textTop + p.label.y;
            p.textSize = fit.fit->textSize;
            p.item = sheets.items.size();
            sheets.placements.push_back(p);
        }
        sheets.items.push_back(std::move(item));
    };
    LabelLineSplitter splitter;
    splitter.feed(input, onLine);
    splitter.finish(onLine);
    report.labels = sheets.placements.size();
    sheets.pages = sheets.placements.empty() ? 0 : sheets.placements.back().page + 1;
    return sheets;
}

std::optional<std::string> labelsPdf(const LabelSheets& sheets, std::string& error) {
    std::string bytes;
    CairoPtr<cairo_surface_t> surface(cairo_pdf_surface_create_for_stream(
        appendToString, &bytes, sheets.sheet.pageWidth, sheets.sheet.pageHeight));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "bcfont");
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, sheets.sheet.name.c_str());
    {
        CairoPtr<cairo_t> cr(cairo_create(surface.get()));
        for (int page = 0; page < std::max(1, sheets.pages); ++page) {
            error = drawPage(cr.get(), sheets, page);
            if (!error.empty()) return std::nullopt;
            cairo_show_page(cr.get());
        }
    }
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = std::string("cairo could not write the labels: ") +
                cairo_status_to_string(cairo_surface_status(surface.get()));
        return std::nullopt;
    }
    return bytes;
}

std::optional<GrayImage> labelPage(const LabelSheets& sheets, int page, double dpi, std::string& error) {
    if (!(dpi >= kMinDpi && dpi <= kMaxDpi)) {
        error = "the resolution must lie between " + std::to_string(kMinDpi) + " and " +
                std::to_string(kMaxDpi) + " dpi";
        return std::nullopt;
    }
    const double scale = dpi / kPointsPerInch;
    const int width = std::max(1, static_cast<int>(std::ceil(sheets.sheet.pageWidth * scale)));
    const int height = std::max(1, static_cast<int>(std::ceil(sheets.sheet.pageHeight * scale)));
    CairoPtr<cairo_surface_t> surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = "cairo cannot make a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels";
        return std::nullopt;
    }
    {
        CairoPtr<cairo_t> cr(cairo_create(surface.get()));
        cairo_scale(cr.get(), scale, scale);
        error = drawPage(cr.get(), sheets, page);
        if (!error.empty()) return std::nullopt;
    }
    cairo_surface_flush(surface.get());
    GrayImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            // Grey outlines and black ink: the green channel stands for the grey level.
            image.pixels[static_cast<std::size_t>(y) * width + x] =
                static_cast<std::uint8_t>((row[x] >> 8) & 0xFF);
        }
    }
    return image;
}

std::string labelSummary(const LabelReport& report, int pages) {
    const std::uint64_t total = report.printed + report.rejected + report.notFitting;
    std::string s = "printed " + std::to_string(report.printed) + " of " + std::to_string(total) +
                    (total == 1 ? " line" : " lines");
    if (report.empty > 0) s += " (not counting " + std::to_string(report.empty) + " empty)";
    s += " on " + std::to_string(report.labels) + (report.labels == 1 ? " label, " : " labels, ") +
         std::to_string(pages) + (pages == 1 ? " page" : " pages");
    const auto listOf = [&](bool rejected, std::uint64_t count, const char* title) {
        if (count == 0) return;
        s += std::string("; ") + title + ": ";
        std::uint64_t named = 0;
        for (const LabelProblem& p : report.listed) {
            if (p.rejected != rejected) continue;
            s += (named++ > 0 ? ", " : "") + std::to_string(p.line);
        }
        if (count > named) s += (named > 0 ? " and " : "") + std::to_string(count - named) + " more";
    };
    listOf(true, report.rejected, "rejected");
    listOf(false, report.notFitting, "too large for the label");
    return s;
}

}  // namespace bcfont::render
