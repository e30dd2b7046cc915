// Draws font strings in bcfont's own barcode fonts: black bars on white with
// the quiet zone of the face, to SVG, PNG or PDF, or to a grey raster.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// cairo's drawing context, for drawing into pages made elsewhere.
typedef struct _cairo cairo_t;

namespace bcfont::render {

namespace detail {
struct Face;
}

inline constexpr int kDefaultDpi = 300;
inline constexpr int kMinDpi = 10;
inline constexpr int kMaxDpi = 2400;
inline constexpr double kMinPointSize = 1.0;
inline constexpr double kMaxPointSize = 1000.0;

// An 8-bit grey picture, rows top to bottom: 0 is black, 255 white.
struct GrayImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Where a face is drawn and how wide its quiet zones are, in points.
struct Layout {
    double width = 0;    // whole picture
    double height = 0;   // whole picture
    double originX = 0;  // pen position of the first glyph
    double baselineY = 0;
    double modulePoints = 0;  // the smallest step of bars and spaces at this size
    double narrowPoints = 0;  // the narrowest bar or space: one or more modules
    double quietLeft = 0;     // white left of the glyphs' advance and ink
    double quietRight = 0;    // white right of them
    int lines = 1;            // lines of the font string, one em apart
};

enum class Format { Svg, Png, Pdf };

// The file format a path names by its extension (.svg, .png or .pdf, any
// case); nothing for any other name.
std::optional<Format> formatOf(std::string_view path);

// Draws `fontString` (bytes as the encoders wrote them) in `family` at
// `pointSize` into `path`; the extension (.svg, .png or .pdf, any case) picks
// the format and `dpi` the resolution of a PNG. Returns an empty string on
// success, else why nothing was written. The file appears complete or not
// at all.
// LF starts a new line one em below. The lines' em boxes are then the
// picture's height, with no margin, so a 2D symbol keeps exactly the quiet
// zone its string holds; in a PNG a module, and so the em, is a whole number
// of pixels (the size rounded to it), so that lines and glyphs meet on pixel
// edges with no grey seam between them.
std::string renderToFile(std::string_view fontString, std::string_view family, double pointSize, int dpi,
                         const std::string& path);

// The bytes of the file renderToFile would write in `format`; nothing when
// it cannot, and then `error` says why.
std::optional<std::string> renderToBytes(std::string_view fontString, std::string_view family,
                                         double pointSize, int dpi, Format format, std::string& error);

// Draws `fontString` like renderToFile into memory at `dpi`; nothing when it
// cannot, and then `error`, when given, says why.
std::optional<GrayImage> renderGray(std::string_view fontString, std::string_view family, double pointSize,
                                    double dpi, std::string* error = nullptr);

// The placement renderGray and renderToFile use; nothing when the face
// cannot draw the string, with the reason in `error`.
std::optional<Layout> layoutFor(std::string_view fontString, std::string_view family, double pointSize,
                                std::string* error = nullptr);

// One glyph of a prepared font string: its pen position in points from the
// pen start on the first line's baseline (y grows down, one em a line).
struct PlacedGlyph {
    unsigned long index = 0;
    double x = 0;
    double y = 0;
};

// A font string made ready to draw: its face looked up and its glyphs placed
// at `pointSize`, so that drawing it many times looks nothing up again.
struct PreparedString {
    const detail::Face* face = nullptr;
    double pointSize = 0;
    Layout layout;
    std::vector<PlacedGlyph> glyphs;
};

// `fontString` in `family` at `pointSize`, ready to draw; nothing when the
// face cannot draw it, with the reason in `error`.
std::optional<PreparedString> prepareFontString(std::string_view fontString, std::string_view family,
                                                double pointSize, std::string& error);

// The same string at `pointSize`: every length of it grows with the size.
PreparedString resized(PreparedString prepared, double pointSize);

// A prepared string and the top left corner of its layout box, in the
// context's units taken as points.
struct PlacedString {
    const PreparedString* string = nullptr;
    double x = 0;
    double y = 0;
};

// Draws the strings in black onto `cr`; paints no background. Neighbours of
// one face and size go to cairo as one run of glyphs, which costs it far
// less than one run each.
void drawPreparedStrings(cairo_t* cr, const std::vector<PlacedString>& strings);

}  // namespace bcfont::render
