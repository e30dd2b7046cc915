#include "render.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include "atomic_file.h"
#include "face_cache.h"
#include "paths.h"
#include "png_resolution.h"

namespace bcfont::render {
namespace {

namespace fs = std::filesystem;
using detail::Face;

constexpr double kPointsPerInch = 72.0;
constexpr unsigned char kLineFeed = '\n';
// Cairo's image surfaces stop at this many pixels a side.
constexpr int kMaxPixels = 32767;
// A raster of 4 bytes a pixel is held whole before it is encoded: 100
// megapixels is 400 MB, far beyond any printed barcode (a 1000 pt EAN-13 at
// 560 dpi), and keeps a mistyped size or resolution from exhausting memory.
constexpr double kMaxPixelArea = 100e6;
// White above and below the tallest glyph, in modules.
constexpr double kVerticalMarginModules = 2.0;

struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    void operator()(cairo_scaled_font_t* f) const { cairo_scaled_font_destroy(f); }
    void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};
template <typename T>
using CairoPtr = std::unique_ptr<T, CairoDeleter>;

std::string describeByte(unsigned char byte) {
    std::string text = std::to_string(byte);
    if (byte >= 0x21 && byte < 0x7F) text += std::string(" ('") + static_cast<char>(byte) + "')";
    return text;
}

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

using Prepared = PreparedString;

std::vector<cairo_glyph_t> cairoGlyphs(const Prepared& p) {
    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(p.glyphs.size());
    for (const PlacedGlyph& g : p.glyphs) glyphs.push_back({g.index, g.x, g.y});
    return glyphs;
}

CairoPtr<cairo_font_options_t> unhintedOptions() {
    CairoPtr<cairo_font_options_t> options(cairo_font_options_create());
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    return options;
}

std::optional<Prepared> prepare(std::string_view fontString, std::string_view family, double pointSize,
                                std::string& error) {
    if (fontString.empty()) {
        error = "nothing to draw: the font string is empty";
        return std::nullopt;
    }
    if (!(pointSize >= kMinPointSize && pointSize <= kMaxPointSize)) {
        error = "the size must lie between " + std::to_string(static_cast<int>(kMinPointSize)) + " and " +
                std::to_string(static_cast<int>(kMaxPointSize)) + " points";
        return std::nullopt;
    }
    Prepared p;
    p.pointSize = pointSize;
    // A face once loaded stays: the font folders are searched only for a new one.
    p.face = detail::loadedFace(family);
    if (p.face == nullptr) p.face = detail::loadFace(family, fileio::fontDirectories(), error);
    if (p.face == nullptr) return std::nullopt;
    p.glyphs.reserve(fontString.size());

    const double pointsPerFileUnit = pointSize / p.face->fileUnitsPerEm;
    double pen = 0;
    double widest = 0;
    int line = 0;
    for (char c : fontString) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == kLineFeed) {
            widest = std::max(widest, pen);
            pen = 0;
            ++line;
            continue;
        }
        const unsigned long glyph = p.face->glyphOfByte[byte];
        if (glyph == 0) {
            error = "the font \"" + std::string(family) + "\" has no glyph for byte " + describeByte(byte);
            return std::nullopt;
        }
        p.glyphs.push_back({glyph, pen, line * pointSize});
        pen += p.face->advanceOfByte[byte] * pointsPerFileUnit;
    }
    pen = std::max(widest, pen);

    cairo_matrix_t fontMatrix;
    cairo_matrix_t identity;
    cairo_matrix_init_scale(&fontMatrix, pointSize, pointSize);
    cairo_matrix_init_identity(&identity);
    const auto options = unhintedOptions();
    CairoPtr<cairo_scaled_font_t> font(
        cairo_scaled_font_create(p.face->cairoFace, &fontMatrix, &identity, options.get()));
    if (cairo_scaled_font_status(font.get()) != CAIRO_STATUS_SUCCESS) {
        error = "cairo cannot use the font file " + p.face->file.string();
        return std::nullopt;
    }
    cairo_text_extents_t ink;
    const auto glyphs = cairoGlyphs(p);
    cairo_scaled_font_glyph_extents(font.get(), glyphs.data(), static_cast<int>(glyphs.size()), &ink);

    Layout& l = p.layout;
    l.modulePoints = p.face->metrics.moduleUnits * pointSize / p.face->metrics.unitsPerEm;
    l.narrowPoints = p.face->metrics.narrowModules * l.modulePoints;
    l.quietLeft = p.face->metrics.quietLeftModules * l.modulePoints;
    l.quietRight = p.face->metrics.quietRightModules * l.modulePoints;
    l.lines = line + 1;
    if (l.lines > 1) {
        // The advance and em boxes, not the ink: blank lines and columns (a
        // quiet zone) have none, and ink bleeding past a box edge is cut.
        l.originX = l.quietLeft;
        l.width = l.quietLeft + pen + l.quietRight;
        l.baselineY = p.face->ascent * pointsPerFileUnit;
        l.height = line * pointSize + (p.face->ascent + p.face->descent) * pointsPerFileUnit;
        return p;
    }
    // The quiet zones lie outside both the ink and the advance box, so a
    // glyph with side bearings never eats into them.
    const double left = std::min(0.0, ink.x_bearing);
    const double right = std::max(pen, ink.x_bearing + ink.width);
    const double margin = kVerticalMarginModules * l.modulePoints;
    l.originX = l.quietLeft - left;
    l.width = l.quietLeft + (right - left) + l.quietRight;
    l.baselineY = margin - ink.y_bearing;
    l.height = ink.height + 2 * margin;
    return p;
}

// Glyphs of several lines are filled as one outline: set as text, each
// glyph is rasterised on its own and where glyphs meet off the pixel grid a
// viewer (poppler among them) leaves a light seam that cuts a 2D symbol's
// finder patterns; one filled outline has none. One line stays text.
void paintGlyphs(cairo_t* cr, const std::vector<cairo_glyph_t>& glyphs, int lines) {
    if (lines == 1) {
        cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
        return;
    }
    cairo_glyph_path(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    cairo_fill(cr);
}

// The glyphs in black with the pen start at the current origin.
void showGlyphs(cairo_t* cr, const Prepared& p, double pointSize) {
    cairo_set_font_face(cr, p.face->cairoFace);
    cairo_set_font_size(cr, pointSize);
    const auto options = unhintedOptions();
    cairo_set_font_options(cr, options.get());
    cairo_set_source_rgb(cr, 0, 0, 0);
    paintGlyphs(cr, cairoGlyphs(p), p.layout.lines);
}

// White page, black glyphs; `scale` turns points into device units. With
// `snapToPixels` the pen start and every line's baseline lie on pixel edges,
// placed in device units so that no rounding error moves a line by a pixel.
void draw(cairo_t* cr, const Prepared& p, double pointSize, double scale, bool snapToPixels) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    if (!snapToPixels) {
        cairo_scale(cr, scale, scale);
        cairo_translate(cr, p.layout.originX, p.layout.baselineY);
        showGlyphs(cr, p, pointSize);
        return;
    }
    const double x = std::round(p.layout.originX * scale);
    const double y = std::round(p.layout.baselineY * scale);
    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(p.glyphs.size());
    for (const PlacedGlyph& g : p.glyphs) glyphs.push_back({g.index, x + g.x * scale, y + std::round(g.y * scale)});
    cairo_set_font_face(cr, p.face->cairoFace);
    cairo_set_font_size(cr, pointSize * scale);
    const auto options = unhintedOptions();
    cairo_set_font_options(cr, options.get());
    cairo_set_source_rgb(cr, 0, 0, 0);
    paintGlyphs(cr, glyphs, p.layout.lines);
}

struct PixelSize {
    double width;
    double height;
};

PixelSize pixelsAt(const Layout& layout, double dpi) {
    const double scale = dpi / kPointsPerInch;
    // A length of whole pixels stays whole despite the rounding of its points.
    constexpr double kSlack = 1e-6;
    return {std::ceil(layout.width * scale - kSlack), std::ceil(layout.height * scale - kSlack)};
}

bool fitsInRaster(const PixelSize& size) {
    return size.width <= kMaxPixels && size.height <= kMaxPixels && size.width * size.height <= kMaxPixelArea;
}

// The highest whole resolution at which `layout` still fits; below kMinDpi
// when none does.
int largestFittingDpi(const Layout& layout) {
    const double area = layout.width * layout.height / (kPointsPerInch * kPointsPerInch);
    const double side = std::max(layout.width, layout.height) / kPointsPerInch;
    // The exact bound ignores the rounding up to whole pixels; step down from it.
    int dpi =
        static_cast<int>(std::min({std::sqrt(kMaxPixelArea / area), kMaxPixels / side, double(kMaxDpi)}));
    while (dpi >= kMinDpi && !fitsInRaster(pixelsAt(layout, dpi))) --dpi;
    return dpi;
}

std::string formatMegapixels(double pixels) {
    return std::to_string(static_cast<long long>(std::ceil(pixels / 1e6)));
}

std::optional<std::pair<int, int>> pixelSize(const Layout& layout, double pointSize, double dpi,
                                             std::string& error) {
    if (!(dpi >= kMinDpi && dpi <= kMaxDpi)) {
        error = "the resolution must lie between " + std::to_string(kMinDpi) + " and " +
                std::to_string(kMaxDpi) + " dpi";
        return std::nullopt;
    }
    const PixelSize size = pixelsAt(layout, dpi);
    if (!fitsInRaster(size)) {
        const int fitting = largestFittingDpi(layout);
        std::ostringstream points;
        points << pointSize;
        error = "at " + points.str() + " points and " + std::to_string(static_cast<long long>(dpi)) +
                " dpi the picture would be " + std::to_string(static_cast<long long>(size.width)) + " x " +
                std::to_string(static_cast<long long>(size.height)) + " pixels (" +
                formatMegapixels(size.width * size.height) + " megapixels), more than " +
                (size.width * size.height > kMaxPixelArea
                     ? "the " + formatMegapixels(kMaxPixelArea) + " megapixels"
                     : std::to_string(kMaxPixels) + " pixels a side") +
                " a picture may have; " +
                (fitting >= kMinDpi ? "at this size at most " + std::to_string(fitting) + " dpi fits"
                                    : "choose a smaller size") +
                ", or write SVG or PDF, which have no pixels";
        return std::nullopt;
    }
    return std::pair{std::max(1, static_cast<int>(size.width)), std::max(1, static_cast<int>(size.height))};
}

// Lines set one em apart meet on a pixel edge only when the em is whole
// pixels, and glyphs side by side meet without a grey seam only when their
// advance is: the size nearest the given one at which a module, and so the
// em made of modules, is whole pixels.
double wholePixelSize(const Prepared& p, double pointSize, double dpi) {
    const double scale = dpi / kPointsPerInch;
    const double modulesPerEm = double(p.face->metrics.unitsPerEm) / p.face->metrics.moduleUnits;
    const double modulePixels = std::max(1.0, std::round(pointSize * scale / modulesPerEm));
    return modulePixels * modulesPerEm / scale;
}

CairoPtr<cairo_surface_t> rasterSurface(const Prepared& given, double givenSize, double dpi, std::string& error) {
    const double pointSize = given.layout.lines > 1 ? wholePixelSize(given, givenSize, dpi) : givenSize;
    const Prepared p = pointSize == givenSize ? given : resized(given, pointSize);
    const auto size = pixelSize(p.layout, pointSize, dpi, error);
    if (!size) return nullptr;
    CairoPtr<cairo_surface_t> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, size->first, size->second));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = "cairo cannot make a picture of " + std::to_string(size->first) + " x " +
                std::to_string(size->second) + " pixels";
        return nullptr;
    }
    CairoPtr<cairo_t> cr(cairo_create(surface.get()));
    draw(cr.get(), p, pointSize, dpi / kPointsPerInch, true);
    cairo_surface_flush(surface.get());
    return surface;
}

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::optional<std::string> encodeFile(Format format, const Prepared& p, double pointSize, int dpi,
                                      std::string& error) {
    std::string bytes;
    if (format == Format::Png) {
        auto surface = rasterSurface(p, pointSize, dpi, error);
        if (!surface) return std::nullopt;
        if (cairo_surface_write_to_png_stream(surface.get(), appendToString, &bytes) !=
            CAIRO_STATUS_SUCCESS) {
            error = "cairo could not encode the PNG picture";
            return std::nullopt;
        }
        return withResolution(bytes, dpi);
    }
    CairoPtr<cairo_surface_t> surface(
        format == Format::Svg
            ? cairo_svg_surface_create_for_stream(appendToString, &bytes, p.layout.width, p.layout.height)
            : cairo_pdf_surface_create_for_stream(appendToString, &bytes, p.layout.width, p.layout.height));
    if (format == Format::Svg) cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PT);
    {
        CairoPtr<cairo_t> cr(cairo_create(surface.get()));
        draw(cr.get(), p, pointSize, 1.0, false);
    }
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = std::string("cairo could not write the drawing: ") +
                cairo_status_to_string(cairo_surface_status(surface.get()));
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<Format> formatOf(std::string_view path) {
    const std::string ext = lowerCase(fs::path(path).extension().string());
    if (ext == ".svg") return Format::Svg;
    if (ext == ".png") return Format::Png;
    if (ext == ".pdf") return Format::Pdf;
    return std::nullopt;
}

std::optional<Layout> layoutFor(std::string_view fontString, std::string_view family, double pointSize,
                                std::string* error) {
    std::string why;
    auto p = prepare(fontString, family, pointSize, why);
    if (!p) {
        if (error) *error = why;
        return std::nullopt;
    }
    return p->layout;
}

std::optional<std::string> renderToBytes(std::string_view fontString, std::string_view family,
                                         double pointSize, int dpi, Format format, std::string& error) {
    const auto p = prepare(fontString, family, pointSize, error);
    if (!p) return std::nullopt;
    return encodeFile(format, *p, pointSize, dpi, error);
}

std::string renderToFile(std::string_view fontString, std::string_view family, double pointSize, int dpi,
                         const std::string& path) {
    const auto format = formatOf(path);
    if (!format) return "cannot tell the format of " + path + ": name it .svg, .png or .pdf";
    std::string error;
    const auto bytes = renderToBytes(fontString, family, pointSize, dpi, *format, error);
    if (!bytes) return error;
    return fileio::writeFileAtomically(path, *bytes);
}

std::optional<PreparedString> prepareFontString(std::string_view fontString, std::string_view family,
                                                double pointSize, std::string& error) {
    return prepare(fontString, family, pointSize, error);
}

PreparedString resized(PreparedString p, double pointSize) {
    const double k = pointSize / p.pointSize;
    p.pointSize = pointSize;
    for (PlacedGlyph& g : p.glyphs) {
        g.x *= k;
        g.y *= k;
    }
    Layout& l = p.layout;
    for (double* length : {&l.width, &l.height, &l.originX, &l.baselineY, &l.modulePoints, &l.narrowPoints,
                           &l.quietLeft, &l.quietRight})
        *length *= k;
    return p;
}

void drawPreparedStrings(cairo_t* cr, const std::vector<PlacedString>& strings) {
    cairo_save(cr);
    const auto options = unhintedOptions();
    cairo_set_font_options(cr, options.get());
    cairo_set_source_rgb(cr, 0, 0, 0);
    std::vector<cairo_glyph_t> run;
    const PreparedString* runOf = nullptr;
    const auto flush = [&] {
        if (run.empty()) return;
        cairo_set_font_face(cr, runOf->face->cairoFace);
        cairo_set_font_size(cr, runOf->pointSize);
        cairo_show_glyphs(cr, run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    for (const PlacedString& placed : strings) {
        const PreparedString& p = *placed.string;
        if (runOf != nullptr && (p.face != runOf->face || p.pointSize != runOf->pointSize)) flush();
        runOf = &p;
        const double x = placed.x + p.layout.originX;
        const double y = placed.y + p.layout.baselineY;
        for (const PlacedGlyph& g : p.glyphs) run.push_back({g.index, x + g.x, y + g.y});
    }
    flush();
    cairo_restore(cr);
}

std::optional<GrayImage> renderGray(std::string_view fontString, std::string_view family, double pointSize,
                                    double dpi, std::string* error) {
    std::string why;
    const auto p = prepare(fontString, family, pointSize, why);
    auto surface = p ? rasterSurface(*p, pointSize, dpi, why) : nullptr;
    if (!surface) {
        if (error) *error = why;
        return std::nullopt;
    }
    GrayImage image;
    image.width = cairo_image_surface_get_width(surface.get());
    image.height = cairo_image_surface_get_height(surface.get());
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    for (int y = 0; y < image.height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        // Black on white: any one channel is the grey value.
        for (int x = 0; x < image.width; ++x)
            image.pixels[static_cast<std::size_t>(y) * image.width + x] =
                static_cast<std::uint8_t>(row[x] & 0xFF);
    }
    return image;
}

}  // namespace bcfont::render
