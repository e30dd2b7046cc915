// Font files of bcfont's faces, loaded once per process and kept.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <cairo.h>

namespace bcfont::render::detail {

// What the font generator tells about a face, in font units.
struct FaceMetrics {
    std::string family;
    std::string file;
    int unitsPerEm = 0;
    int moduleUnits = 0;
    int quietLeftModules = 0;
    int quietRightModules = 0;
    int narrowModules = 1;  // of the narrowest bar or space
};

// A loaded face with the glyph and advance of every byte; glyph 0 means the
// face draws nothing for that byte. Never changes once loaded.
struct Face {
    cairo_font_face_t* cairoFace = nullptr;
    std::filesystem::path file;
    FaceMetrics metrics;
    int fileUnitsPerEm = 0;  // of the file itself, for the advances
    int ascent = 0;          // file units above the baseline of a line's box
    int descent = 0;         // file units below it
    std::array<unsigned long, 256> glyphOfByte{};
    std::array<long, 256> advanceOfByte{};  // font units of the file
};

// The generator's metrics for `family`, or a generic stand-in (file name
// without spaces, ten narrow modules of a twentieth em each) for a face it
// does not know.
FaceMetrics metricsFor(std::string_view family);

// The face of `family` when it is loaded already; else nullptr.
const Face* loadedFace(std::string_view family);

// The face of `family`, loaded from the first directory that holds its file;
// nullptr with the reason in `error` when none does or the file is unusable.
const Face* loadFace(std::string_view family, const std::vector<std::filesystem::path>& directories,
                     std::string& error);

}  // namespace bcfont::render::detail
