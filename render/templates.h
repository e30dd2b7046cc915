// Sheets of labels: where each label of a sheet lies, from bcfont's own
// table of common sheets and from the glabels template files when those are
// installed. Every length is in PDF points (1/72 in), measured from the top
// left corner of the page.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wording.h"

namespace bcfont::render {

inline constexpr double kPointsPerInch = 72.0;
inline constexpr double kPointsPerMm = kPointsPerInch / 25.4;

// Where Debian's glabels-data puts its template files.
inline constexpr std::string_view kGlabelsTemplateDir = "/usr/share/libglabels-3.0/templates";

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// A block of equal labels: `columns` x `rows` of them, the first with its
// top left corner at (x0, y0), the next ones `pitchX` and `pitchY` on.
struct LabelGrid {
    int columns = 0;
    int rows = 0;
    double x0 = 0;
    double y0 = 0;
    double pitchX = 0;
    double pitchY = 0;
};

struct LabelTemplate {
    std::string name;         // brand and part, e.g. "Avery L7160"
    std::string description;  // e.g. "Address labels"
    std::string paper;        // e.g. "A4", or the page size in mm
    double pageWidth = 0;
    double pageHeight = 0;
    double labelWidth = 0;
    double labelHeight = 0;
    std::vector<LabelGrid> grids;  // most sheets have one
};

// How many labels one sheet holds.
int labelsPerSheet(const LabelTemplate& sheet);

// The rectangle of label `index` (0-based, < labelsPerSheet) on its page:
// grid by grid, each row by row from the top, left to right.
Rect labelRect(const LabelTemplate& sheet, int index);

// The sheets bcfont knows without any other package.
const std::vector<LabelTemplate>& builtinTemplates();

// The rectangular templates of the glabels files in `dir`, named "Brand
// part", parts given as another's equivalent included. `problems` receives
// one sentence per file that could not be read; a missing directory is no
// problem, it just adds nothing.
std::vector<LabelTemplate> glabelsTemplates(const std::filesystem::path& dir,
                                            std::vector<std::string>* problems = nullptr);

// The built-in sheets, then those of `glabelsDir` sorted by name; a built-in
// name hides a glabels template of the same name.
std::vector<LabelTemplate> allTemplates(const std::filesystem::path& glabelsDir = kGlabelsTemplateDir);

// The template called `name` (case and runs of spaces ignored), or nothing.
std::optional<LabelTemplate> findTemplate(std::string_view name, const std::vector<LabelTemplate>& templates);

// "63.5 x 38.1 mm, 3 x 7 on A4": what a list of templates shows.
std::string templateSummary(const LabelTemplate& sheet, Language language = Language::English);

}  // namespace bcfont::render
