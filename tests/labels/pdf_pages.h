// Reading back what bcfont wrote: the page streams of a PDF, the rectangles
// stroked on a page, and pictures rasterised by pdftoppm.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "render.h"
#include "templates.h"

namespace bcfont::test {

// The decompressed content stream of every page, in page order.
std::vector<std::string> pageContents(const std::string& pdf);

// The page size of the first /MediaBox, in points.
std::optional<std::pair<double, double>> mediaBox(const std::string& pdf);

// The height the page's flip matrix ("1 0 0 -1 0 H cm") names; nothing
// when the stream does not start with one.
std::optional<double> flipHeight(const std::string& content);

// Every "x y w h re" that is stroked ("S"), in the stream's top-down units.
std::vector<render::Rect> strokedRects(const std::string& content);

// A binary PGM (P5, 8 bits) as pdftoppm -gray writes it.
std::optional<render::GrayImage> readPgm(const std::filesystem::path& file);

// Rasterises every page of `pdf` at `dpi` with pdftoppm; nothing when it fails.
std::optional<std::vector<render::GrayImage>> rasterise(const std::filesystem::path& pdf, int dpi);

}  // namespace bcfont::test
