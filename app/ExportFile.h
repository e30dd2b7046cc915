// The file types the preview can be exported to, and how a name typed into
// the save dialog becomes the path handed to the renderer.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace bcfont::app {

struct ExportFilter {
    std::string_view label;      // as the save dialog lists it, translated in the scope "ExportFilter"
    std::string_view extension;  // without the dot
};

// In the order the save dialog offers them; the first is the default.
inline constexpr std::array<ExportFilter, 3> kExportFilters = {{
    {"SVG image (*.svg)", "svg"},
    {"PNG image (*.png)", "png"},
    {"PDF document (*.pdf)", "pdf"},
}};

// The resolutions a PNG can be exported at; the first export offers the default.
inline constexpr int kExportMinDpi = 72;
inline constexpr int kExportMaxDpi = 2400;
inline constexpr int kExportDefaultDpi = 300;

// `path` as typed, with ".<extension>" added when its file name has no
// extension at all. A name with some other extension is left alone, so the
// renderer can say it cannot tell the format rather than writing "a.txt.svg".
std::string pathWithExtension(const std::string& path, std::string_view extension);

}  // namespace bcfont::app
