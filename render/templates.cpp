#include "templates.h"

#include <expat.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "catalogue.h"

namespace bcfont::render {
namespace {

namespace fs = std::filesystem;

constexpr double kMm = kPointsPerMm;
constexpr double kIn = kPointsPerInch;

// The makers' published sheet layouts: label size, the top and side margins
// to the first label, and the pitches (label size plus gap). Avery's
// template specifications for the parts named; the pitches agree with the
// same parts in glabels-data (7160, 7163 and 8651 families; 5160, 5163).
struct BuiltinSheet {
    const char* name;
    const char* description;
    const char* paper;
    double unit;  // points per unit of the numbers that follow
    double pageWidth, pageHeight, labelWidth, labelHeight, left, top, pitchX, pitchY;
    int columns, rows;
};
constexpr BuiltinSheet kBuiltinSheets[] = {
    {"Avery L7160", "Address labels, 21 per sheet", "A4", kMm, 210, 297, 63.5, 38.1, 7.2, 15.15, 66.04, 38.1,
     3, 7},
    {"Avery L7163", "Address labels, 14 per sheet", "A4", kMm, 210, 297, 99.1, 38.1, 4.65, 15.15, 101.6, 38.1,
     2, 7},
    {"Avery L7651", "Mini address labels, 65 per sheet", "A4", kMm, 210, 297, 38.1, 21.2, 4.75, 10.7, 40.6,
     21.2, 5, 13},
    {"Avery 5160", "Address labels, 30 per sheet", "US Letter", kIn, 8.5, 11, 2.625, 1, 0.1875, 0.5, 2.75, 1,
     3, 10},
    {"Avery 5163", "Shipping labels, 10 per sheet", "US Letter", kIn, 8.5, 11, 4, 2, 0.15625, 0.5, 4.1875, 2,
     2, 5},
};

// Every built-in sheet must keep its labels on the page with the same white
// on both sides, as the makers' sheets do.
constexpr bool symmetric(const BuiltinSheet& s) {
    const double right = s.pageWidth - s.left - (s.columns - 1) * s.pitchX - s.labelWidth;
    const double bottom = s.pageHeight - s.top - (s.rows - 1) * s.pitchY - s.labelHeight;
    const double tolerance = 0.1 / (s.unit == kIn ? 25.4 : 1.0);  // 0.1 mm
    return right > 0 && bottom > 0 && right - s.left < tolerance && s.left - right < tolerance &&
           bottom - s.top < tolerance && s.top - bottom < tolerance;
}
static_assert(std::all_of(std::begin(kBuiltinSheets), std::end(kBuiltinSheets), symmetric),
              "a built-in sheet is not centred on its page");

LabelTemplate fromBuiltin(const BuiltinSheet& s) {
    LabelTemplate t;
    t.name = s.name;
    t.description = s.description;
    t.paper = s.paper;
    t.pageWidth = s.pageWidth * s.unit;
    t.pageHeight = s.pageHeight * s.unit;
    t.labelWidth = s.labelWidth * s.unit;
    t.labelHeight = s.labelHeight * s.unit;
    t.grids.push_back(
        {s.columns, s.rows, s.left * s.unit, s.top * s.unit, s.pitchX * s.unit, s.pitchY * s.unit});
    return t;
}

// ---------------------------------------------------------------- glabels files

// The length units glabels writes after a number; a bare number is points.
struct Unit {
    std::string_view suffix;
    double points;
};
constexpr Unit kUnits[] = {{"pt", 1.0}, {"in", kIn}, {"mm", kMm}, {"cm", 10 * kMm}, {"pc", 12.0}};

std::optional<double> parseLength(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || !(value >= 0) || value > 1e6) return std::nullopt;
    std::string_view unit(end, static_cast<std::size_t>(text.data() + text.size() - end));
    while (!unit.empty() && std::isspace(static_cast<unsigned char>(unit.back()))) unit.remove_suffix(1);
    if (unit.empty()) return value;
    for (const Unit& u : kUnits)
        if (u.suffix == unit) return value * u.points;
    return std::nullopt;
}

std::optional<int> parseCount(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > 10000)
        return std::nullopt;
    return value;
}

using Attributes = std::map<std::string, std::string, std::less<>>;

std::string attribute(const Attributes& a, std::string_view key) {
    const auto it = a.find(key);
    return it == a.end() ? std::string() : it->second;
}

struct PaperSize {
    double width = 0;
    double height = 0;
};

// A <Template> as written: either a full description or an `equiv` naming
// another part of the same brand.
struct RawTemplate {
    Attributes attributes;
    bool rectangular = false;
    bool otherShape = false;
    bool bad = false;  // a number that does not parse
    double labelWidth = 0;
    double labelHeight = 0;
    std::vector<LabelGrid> grids;
};

// Collects the elements bcfont reads, whatever file they come from.
struct Collector {
    std::map<std::string, PaperSize, std::less<>> papers;
    std::vector<RawTemplate> templates;
    bool inTemplate = false;
    bool inRectangle = false;

    void start(std::string_view name, const Attributes& a) {
        if (name == "Paper-size") {
            const auto w = parseLength(attribute(a, "width"));
            const auto h = parseLength(attribute(a, "height"));
            if (w && h) papers[attribute(a, "id")] = {*w, *h};
        } else if (name == "Template") {
            templates.push_back({a, false, false, false, 0, 0, {}});
            inTemplate = true;
        } else if (inTemplate && name == "Label-rectangle") {
            RawTemplate& t = templates.back();
            const auto w = parseLength(attribute(a, "width"));
            const auto h = parseLength(attribute(a, "height"));
            t.rectangular = true;
            t.bad = t.bad || !w || !h;
            t.labelWidth = w.value_or(0);
            t.labelHeight = h.value_or(0);
            inRectangle = true;
        } else if (inTemplate && name.substr(0, 6) == "Label-") {
            templates.back().otherShape = true;
        } else if (inRectangle && name == "Layout") {
            RawTemplate& t = templates.back();
            const auto nx = parseCount(attribute(a, "nx"));
            const auto ny = parseCount(attribute(a, "ny"));
            const auto x0 = parseLength(attribute(a, "x0"));
            const auto y0 = parseLength(attribute(a, "y0"));
            const auto dx = parseLength(a.count("dx") ? attribute(a, "dx") : "0");
            const auto dy = parseLength(a.count("dy") ? attribute(a, "dy") : "0");
            if (!nx || !ny || !x0 || !y0 || !dx || !dy) {
                t.bad = true;
                return;
            }
            t.grids.push_back({*nx, *ny, *x0, *y0, *dx, *dy});
        }
    }
    void end(std::string_view name) {
        if (name == "Template") inTemplate = false;
        if (name == "Label-rectangle") inRectangle = false;
    }
};

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** atts) {
    Attributes a;
    for (int i = 0; atts[i] != nullptr && atts[i + 1] != nullptr; i += 2) a[atts[i]] = atts[i + 1];
    static_cast<Collector*>(data)->start(name, a);
}

void XMLCALL onEnd(void* data, const XML_Char* name) {
    static_cast<Collector*>(data)->end(name);
}

// Reads one XML file into `collector`; the reason when it cannot.
std::string parseFile(const fs::path& file, Collector& collector) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "cannot read " + file.string();
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate(nullptr), &XML_ParserFree);
    if (!parser) return "out of memory reading " + file.string();
    XML_SetUserData(parser.get(), &collector);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    if (XML_Parse(parser.get(), text.data(), static_cast<int>(text.size()), XML_TRUE) == XML_STATUS_ERROR) {
        return file.string() + ", line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
               XML_ErrorString(XML_GetErrorCode(parser.get()));
    }
    collector.inTemplate = collector.inRectangle = false;
    return {};
}

std::string templateName(const Attributes& a) {
    return attribute(a, "brand") + " " + attribute(a, "part");
}

std::string describeMm(double points) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", std::round(points / kMm * 10) / 10);
    return text;
}

// A complete template, or nothing when it is no usable rectangular sheet.
std::optional<LabelTemplate> resolve(const RawTemplate& raw, const Attributes& naming,
                                     const std::map<std::string, PaperSize, std::less<>>& papers) {
    if (!raw.rectangular || raw.otherShape || raw.bad || raw.grids.empty()) return std::nullopt;
    if (!(raw.labelWidth > 0 && raw.labelHeight > 0)) return std::nullopt;
    LabelTemplate t;
    t.name = templateName(naming);
    t.description = attribute(raw.attributes, "_description");
    const std::string size = attribute(raw.attributes, "size");
    if (const auto paper = papers.find(size); paper != papers.end()) {
        t.paper = size;
        t.pageWidth = paper->second.width;
        t.pageHeight = paper->second.height;
    } else {
        const auto w = parseLength(attribute(raw.attributes, "width"));
        const auto h = parseLength(attribute(raw.attributes, "height"));
        if (!w || !h) return std::nullopt;
        t.pageWidth = *w;
        t.pageHeight = *h;
        t.paper = describeMm(*w) + " x " + describeMm(*h) + " mm";
    }
    if (!(t.pageWidth > 0 && t.pageHeight > 0)) return std::nullopt;
    t.labelWidth = raw.labelWidth;
    t.labelHeight = raw.labelHeight;
    t.grids = raw.grids;
    return t;
}

std::string normalized(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!out.empty() && out.back() != ' ') out += ' ';
            continue;
        }
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace

int labelsPerSheet(const LabelTemplate& sheet) {
    int n = 0;
    for (const LabelGrid& g : sheet.grids) n += g.columns * g.rows;
    return n;
}

Rect labelRect(const LabelTemplate& sheet, int index) {
    for (const LabelGrid& g : sheet.grids) {
        const int count = g.columns * g.rows;
        if (index >= count) {
            index -= count;
            continue;
        }
        const int row = index / g.columns;
        const int column = index % g.columns;
        return {g.x0 + column * g.pitchX, g.y0 + row * g.pitchY, sheet.labelWidth, sheet.labelHeight};
    }
    return {};
}

const std::vector<LabelTemplate>& builtinTemplates() {
    static const std::vector<LabelTemplate> templates = [] {
        std::vector<LabelTemplate> list;
        for (const BuiltinSheet& s : kBuiltinSheets) list.push_back(fromBuiltin(s));
        return list;
    }();
    return templates;
}

std::vector<LabelTemplate> glabelsTemplates(const fs::path& dir, std::vector<std::string>* problems) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return {};
    Collector collector;
    const auto report = [&](const std::string& problem) {
        if (!problem.empty() && problems) problems->push_back(problem);
    };
    // Paper sizes first: the templates name them.
    if (fs::exists(dir / "paper-sizes.xml", ec)) report(parseFile(dir / "paper-sizes.xml", collector));
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 14 && name.ends_with("-templates.xml")) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) report(parseFile(file, collector));

    std::map<std::string, const RawTemplate*, std::less<>> byName;
    for (const RawTemplate& raw : collector.templates)
        if (attribute(raw.attributes, "equiv").empty()) byName.emplace(templateName(raw.attributes), &raw);

    std::map<std::string, LabelTemplate, std::less<>> result;
    for (const RawTemplate& raw : collector.templates) {
        const std::string equiv = attribute(raw.attributes, "equiv");
        const RawTemplate* full = &raw;
        if (!equiv.empty()) {
            const auto it = byName.find(attribute(raw.attributes, "brand") + " " + equiv);
            if (it == byName.end()) continue;
            full = it->second;
        }
        if (auto t = resolve(*full, raw.attributes, collector.papers)) result.emplace(t->name, std::move(*t));
    }
    std::vector<LabelTemplate> list;
    for (auto& [name, t] : result) list.push_back(std::move(t));
    return list;
}

std::vector<LabelTemplate> allTemplates(const fs::path& glabelsDir) {
    std::vector<LabelTemplate> list = builtinTemplates();
    for (LabelTemplate& t : glabelsTemplates(glabelsDir)) {
        if (!findTemplate(t.name, builtinTemplates())) list.push_back(std::move(t));
    }
    return list;
}

std::optional<LabelTemplate> findTemplate(std::string_view name,
                                          const std::vector<LabelTemplate>& templates) {
    const std::string wanted = normalized(name);
    for (const LabelTemplate& t : templates)
        if (normalized(t.name) == wanted) return t;
    return std::nullopt;
}

std::string templateSummary(const LabelTemplate& sheet, Language language) {
    const std::string labels =
        sheet.grids.size() == 1
            ? std::to_string(sheet.grids[0].columns) + " x " + std::to_string(sheet.grids[0].rows)
            : std::to_string(labelsPerSheet(sheet));
    return say(language, text::kTemplateSummary,
               {decimal(describeMm(sheet.labelWidth), language), decimal(describeMm(sheet.labelHeight), language),
                // A paper named by its size is in millimetres; a name such as "No. 10" stays.
                labels, sheet.paper.ends_with(" mm") ? decimal(sheet.paper, language) : sheet.paper});
}

}  // namespace bcfont::render
