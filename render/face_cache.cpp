#include "face_cache.h"

#include <map>
#include <memory>
#include <mutex>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include "macroman.h"

#ifdef BCFONT_HAVE_FACE_METRICS
#include "face_metrics.h"
#endif

namespace bcfont::render::detail {
namespace {

constexpr int kStandInQuietModules = 10;
constexpr int kStandInModulesPerEm = 20;

std::string withoutSpaces(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ') out += c;
    }
    return out;
}

unsigned long glyphOf(FT_Face face, unsigned char byte) {
    // Our fonts place each glyph at the Unicode character Mac OS Roman gives
    // its byte, and under the byte itself in a Mac Roman cmap; try both.
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0) {
        const FT_UInt glyph = FT_Get_Char_Index(face, macroman::toUnicode(byte));
        if (glyph != 0) return glyph;
    }
    if (FT_Select_Charmap(face, FT_ENCODING_APPLE_ROMAN) == 0) return FT_Get_Char_Index(face, byte);
    return 0;
}

struct Library {
    FT_Library ft = nullptr;
    std::mutex mutex;
    std::map<std::string, std::unique_ptr<Face>, std::less<>> faces;

    Library() { FT_Init_FreeType(&ft); }
};

// Faces stay loaded until the process ends: cairo keeps pointers into them.
Library& library() {
    static Library* lib = new Library;
    return *lib;
}

std::string joinDirectories(const std::vector<std::filesystem::path>& directories) {
    std::string out;
    for (const auto& d : directories) {
        if (!out.empty()) out += ", ";
        out += d.string();
    }
    return out.empty() ? "(no directory)" : out;
}

std::unique_ptr<Face> openFace(FT_Library ft, const std::filesystem::path& file, FaceMetrics metrics,
                               std::string& error) {
    FT_Face ftFace = nullptr;
    if (FT_New_Face(ft, file.c_str(), 0, &ftFace) != 0) {
        error = "cannot read the font file " + file.string() + " of \"" + metrics.family + "\"";
        return nullptr;
    }
    if (!FT_IS_SCALABLE(ftFace) || ftFace->units_per_EM == 0) {
        error = "the font file " + file.string() + " is not an outline font";
        FT_Done_Face(ftFace);
        return nullptr;
    }
    auto face = std::make_unique<Face>();
    face->file = file;
    face->fileUnitsPerEm = ftFace->units_per_EM;
    face->ascent = ftFace->ascender;
    face->descent = -ftFace->descender;
    if (metrics.unitsPerEm <= 0) metrics.unitsPerEm = ftFace->units_per_EM;
    if (metrics.moduleUnits <= 0) metrics.moduleUnits = ftFace->units_per_EM / kStandInModulesPerEm;
    face->metrics = std::move(metrics);
    for (int b = 0; b < 256; ++b) {
        const unsigned long glyph = glyphOf(ftFace, static_cast<unsigned char>(b));
        FT_Fixed advance = 0;
        if (glyph != 0) FT_Get_Advance(ftFace, static_cast<FT_UInt>(glyph), FT_LOAD_NO_SCALE, &advance);
        face->glyphOfByte[b] = glyph;
        face->advanceOfByte[b] = advance;
    }
    // Bars must keep their drawn widths: no hinting at any size.
    face->cairoFace = cairo_ft_font_face_create_for_ft_face(ftFace, FT_LOAD_NO_HINTING);
    return face;
}

}  // namespace

FaceMetrics metricsFor(std::string_view family) {
#ifdef BCFONT_HAVE_FACE_METRICS
    for (const auto& m : bcfont::kFaceMetrics) {
        if (std::string_view(m.family) != family) continue;
        return {std::string(m.family),
                std::string(m.file),
                static_cast<int>(m.unitsPerEm),
                static_cast<int>(m.moduleUnits),
                static_cast<int>(m.quietLeftModules),
                static_cast<int>(m.quietRightModules),
                static_cast<int>(m.narrowModules)};
    }
#endif
    return {std::string(family),  withoutSpaces(family) + ".ttf", 0, 0,
            kStandInQuietModules, kStandInQuietModules,           1};
}

const Face* loadedFace(std::string_view family) {
    Library& lib = library();
    const std::lock_guard lock(lib.mutex);
    const auto it = lib.faces.find(family);
    return it == lib.faces.end() ? nullptr : it->second.get();
}

const Face* loadFace(std::string_view family, const std::vector<std::filesystem::path>& directories,
                     std::string& error) {
    Library& lib = library();
    const std::lock_guard lock(lib.mutex);
    if (auto it = lib.faces.find(family); it != lib.faces.end()) return it->second.get();
    if (lib.ft == nullptr) {
        error = "FreeType could not be started";
        return nullptr;
    }
    FaceMetrics metrics = metricsFor(family);
    for (const auto& dir : directories) {
        const std::filesystem::path file = dir / metrics.file;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) continue;
        auto face = openFace(lib.ft, file, metrics, error);
        if (!face) return nullptr;
        const Face* loaded = face.get();
        lib.faces.emplace(std::string(family), std::move(face));
        return loaded;
    }
    error = "font \"" + std::string(family) + "\" not found: no " + metrics.file + " in " +
            joinDirectories(directories) + " (set BCFONT_FONT_DIR to the directory that holds it)";
    return nullptr;
}

}  // namespace bcfont::render::detail
