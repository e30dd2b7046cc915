// Label sheets: the built-in sheets hold the makers' published numbers, the
// glabels files are read as they are meant, and the outlines in the PDF lie
// where the template says, within 0.1 mm.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "labels.h"
#include "named_cases.h"
#include "pdf_pages.h"
#include "run_bcfont.h"
#include "templates.h"

namespace bcfont::test {
namespace {

using render::kPointsPerMm;
constexpr double kToleranceMm = 0.1;

double mm(double points) {
    return points / kPointsPerMm;
}

const render::LabelTemplate& named(const std::vector<render::LabelTemplate>& list, const std::string& name) {
    static const render::LabelTemplate none;
    for (const auto& t : list)
        if (t.name == name) return t;
    ADD_FAILURE() << "no template \"" << name << "\"";
    return none;
}

// ---------------------------------------------------------------- where labels lie

struct LabelCase {
    std::string name;
    std::string sheet;
    int labels;  // on a sheet
    double pageWidth, pageHeight;
    int index;
    double x, y, width, height;  // mm, from the maker's sheet or the glabels file
};

// Built-in numbers: Avery's published margins and pitches; glabels numbers:
// worked by hand from the template files.
const LabelCase kLabelCases[] = {
    {"L7160_first", "Avery L7160", 21, 210, 297, 0, 7.2, 15.15, 63.5, 38.1},
    {"L7160_last", "Avery L7160", 21, 210, 297, 20, 139.28, 243.75, 63.5, 38.1},
    {"L7163_first", "Avery L7163", 14, 210, 297, 0, 4.65, 15.15, 99.1, 38.1},
    {"L7163_last", "Avery L7163", 14, 210, 297, 13, 106.25, 243.75, 99.1, 38.1},
    {"L7651_first", "Avery L7651", 65, 210, 297, 0, 4.75, 10.7, 38.1, 21.2},
    {"L7651_end_of_first_row", "Avery L7651", 65, 210, 297, 4, 167.15, 10.7, 38.1, 21.2},
    {"L7651_last", "Avery L7651", 65, 210, 297, 64, 167.15, 265.1, 38.1, 21.2},
    {"A5160_first", "Avery 5160", 30, 215.9, 279.4, 0, 4.7625, 12.7, 66.675, 25.4},
    {"A5160_last", "Avery 5160", 30, 215.9, 279.4, 29, 144.4625, 241.3, 66.675, 25.4},
    {"A5163_first", "Avery 5163", 10, 215.9, 279.4, 0, 3.96875, 12.7, 101.6, 50.8},
    {"A5163_last", "Avery 5163", 10, 215.9, 279.4, 9, 110.33125, 215.9, 101.6, 50.8},
    {"glabels_points_first", "Zweckform 3475", 24, 210, 297, 0, 0, 4.4330, 70.0511, 36.0260},
    {"glabels_points_last", "Zweckform 3475", 24, 210, 297, 23, 140.1022, 256.6151, 70.0511, 36.0260},
    {"glabels_equivalent_mm_first", "Avery J8658", 189, 210, 297, 0, 5, 13, 25.4, 10},
    {"glabels_equivalent_mm_last", "Avery J8658", 189, 210, 297, 188, 176, 276.64, 25.4, 10},
};

class LabelRectTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(LabelRectTest, MatchesThePublishedNumbers) {
    const LabelCase& c = GetParam();
    static const auto all = render::allTemplates();
    const auto& t = named(all, c.sheet);
    EXPECT_EQ(render::labelsPerSheet(t), c.labels);
    const render::Rect r = render::labelRect(t, c.index);
    EXPECT_NEAR(mm(r.x), c.x, kToleranceMm);
    EXPECT_NEAR(mm(r.y), c.y, kToleranceMm);
    EXPECT_NEAR(mm(r.width), c.width, kToleranceMm);
    EXPECT_NEAR(mm(r.height), c.height, kToleranceMm);
}

INSTANTIATE_TEST_SUITE_P(Sheets, LabelRectTest, ::testing::ValuesIn(kLabelCases), byName);

// ---------------------------------------------------------------- the PDF

// An empty list with outlines: one page whose stroked rectangles are the
// labels, on every sheet the table above names.
TEST(OutlinePdf, OutlinesLieOnTheTemplateLabels) {
    static const auto all = render::allTemplates();
    for (const LabelCase& c : kLabelCases) {
        if (c.index != 0) continue;
        SCOPED_TRACE(c.sheet);
        const auto& t = named(all, c.sheet);
        std::string error;
        const auto sheets = render::planLabels("", t, {.outline = true}, error);
        ASSERT_TRUE(sheets) << error;
        const auto pdf = render::labelsPdf(*sheets, error);
        ASSERT_TRUE(pdf) << error;
        const auto box = mediaBox(*pdf);
        ASSERT_TRUE(box);
        EXPECT_NEAR(mm(box->first), c.pageWidth, kToleranceMm);
        EXPECT_NEAR(mm(box->second), c.pageHeight, kToleranceMm);
        const auto pages = pageContents(*pdf);
        ASSERT_EQ(pages.size(), 1u);
        // The stream draws top down under a flip about the page height.
        EXPECT_NEAR(flipHeight(pages[0]).value_or(0), t.pageHeight, 0.01);
        const auto rects = strokedRects(pages[0]);
        ASSERT_EQ(rects.size(), static_cast<std::size_t>(c.labels));
        for (int i = 0; i < c.labels; ++i) {
            const render::Rect want = render::labelRect(t, i);
            const render::Rect& got = rects[static_cast<std::size_t>(i)];
            EXPECT_NEAR(mm(got.x), mm(want.x), kToleranceMm) << "label " << i;
            EXPECT_NEAR(mm(got.y), mm(want.y), kToleranceMm) << "label " << i;
            EXPECT_NEAR(mm(got.width), mm(want.width), kToleranceMm) << "label " << i;
            EXPECT_NEAR(mm(got.height), mm(want.height), kToleranceMm) << "label " << i;
        }
    }
}

// ---------------------------------------------------------------- reading glabels files

constexpr const char* kPapers = R"(<?xml version="1.0"?>
<Glabels-paper-sizes>
  <Paper-size id="A4" _name="A4" width="210mm" height="297mm"/>
  <Paper-size id="US-Letter" _name="US Letter" width="8.5in" height="11in"/>
</Glabels-paper-sizes>
)";

struct GlabelsCase {
    std::string name;
    std::string templates;  // the body of a *-templates.xml file
    std::string sheet;      // the name looked up; empty: none is expected
    int labels = 0;
    double labelWidth = 0, labelHeight = 0, pageWidth = 0, pageHeight = 0;  // mm
    int index = 0;
    double x = 0, y = 0;  // mm
};

std::string wrapped(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<Glabels-templates>\n" + body + "\n</Glabels-templates>\n";
}

const GlabelsCase kGlabelsCases[] = {
    {"bare_numbers_are_points",
     R"(<Template brand="B" part="1" size="A4"><Label-rectangle width="72" height="36"><Layout nx="2" ny="3" x0="36" y0="72" dx="144" dy="36"/></Label-rectangle></Template>)",
     "B 1", 6, 25.4, 12.7, 210, 297, 5, 63.5, 50.8},
    {"inches_on_letter",
     R"(<Template brand="B" part="2" size="US-Letter"><Label-rectangle width="2in" height="1in"><Layout nx="1" ny="2" x0="0.5in" y0="1in" dx="0in" dy="1.5in"/></Label-rectangle></Template>)",
     "B 2", 2, 50.8, 25.4, 215.9, 279.4, 1, 12.7, 63.5},
    {"centimetres_and_picas",
     R"(<Template brand="B" part="3" size="A4"><Label-rectangle width="5cm" height="6pc"><Layout nx="1" ny="1" x0="1cm" y0="2pc"/></Label-rectangle></Template>)",
     "B 3", 1, 50, 25.4, 210, 297, 0, 10, 8.4667},
    {"page_of_its_own_size",
     R"(<Template brand="B" part="4" size="Other" width="100mm" height="50mm"><Label-rectangle width="90mm" height="40mm"><Layout nx="1" ny="1" x0="5mm" y0="5mm"/></Label-rectangle></Template>)",
     "B 4", 1, 90, 40, 100, 50, 0, 5, 5},
    {"equivalent_takes_the_original",
     R"(<Template brand="B" part="5" size="A4"><Label-rectangle width="10mm" height="10mm"><Layout nx="3" ny="1" x0="1mm" y0="2mm" dx="12mm" dy="0"/></Label-rectangle></Template><Template brand="B" part="X5" equiv="5"/>)",
     "b x5", 3, 10, 10, 210, 297, 2, 25, 2},
    {"two_layouts_follow_each_other",
     R"(<Template brand="B" part="6" size="A4"><Label-rectangle width="10mm" height="10mm"><Layout nx="2" ny="1" x0="0mm" y0="0mm" dx="20mm" dy="0"/><Layout nx="1" ny="2" x0="100mm" y0="50mm" dx="0" dy="30mm"/></Label-rectangle></Template>)",
     "B 6", 4, 10, 10, 210, 297, 3, 100, 80},
    {"round_labels_are_left_out",
     R"(<Template brand="B" part="7" size="A4"><Label-round radius="10mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-round></Template>)",
     "", 0},
    {"an_unknown_unit_leaves_it_out",
     R"(<Template brand="B" part="9" size="A4"><Label-rectangle width="10furlong" height="10mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle></Template>)",
     "", 0},
    {"an_unknown_paper_leaves_it_out",
     R"(<Template brand="B" part="11" size="A99"><Label-rectangle width="10mm" height="10mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle></Template>)",
     "", 0},
    {"an_equivalent_of_nothing_is_left_out", R"(<Template brand="B" part="12" equiv="404"/>)", "", 0},
};

class GlabelsFileTest : public ::testing::TestWithParam<GlabelsCase> {};

TEST_P(GlabelsFileTest, ReadsTheTemplate) {
    const GlabelsCase& c = GetParam();
    const TempDir dir;
    dir.write("paper-sizes.xml", kPapers);
    dir.write("test-templates.xml", wrapped(c.templates));
    std::vector<std::string> problems;
    const auto list = render::glabelsTemplates(dir.path(), &problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    if (c.sheet.empty()) {
        EXPECT_TRUE(list.empty()) << list.front().name;
        return;
    }
    const auto t = render::findTemplate(c.sheet, list);
    ASSERT_TRUE(t) << c.sheet;
    EXPECT_EQ(render::labelsPerSheet(*t), c.labels);
    EXPECT_NEAR(mm(t->labelWidth), c.labelWidth, 0.001);
    EXPECT_NEAR(mm(t->labelHeight), c.labelHeight, 0.001);
    EXPECT_NEAR(mm(t->pageWidth), c.pageWidth, 0.001);
    EXPECT_NEAR(mm(t->pageHeight), c.pageHeight, 0.001);
    const render::Rect r = render::labelRect(*t, c.index);
    EXPECT_NEAR(mm(r.x), c.x, 0.001);
    EXPECT_NEAR(mm(r.y), c.y, 0.001);
}

INSTANTIATE_TEST_SUITE_P(Glabels, GlabelsFileTest, ::testing::ValuesIn(kGlabelsCases), byName);

TEST(GlabelsFiles, ABrokenFileIsNamedAndTheOthersStillCount) {
    const TempDir dir;
    dir.write("paper-sizes.xml", kPapers);
    dir.write("a-templates.xml", wrapped(R"(<Template brand="B" part="1" size="A4">)"));
    dir.write(
        "b-templates.xml",
        wrapped(
            R"(<Template brand="B" part="2" size="A4"><Label-rectangle width="1in" height="1in"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle></Template>)"));
    std::vector<std::string> problems;
    const auto list = render::glabelsTemplates(dir.path(), &problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("a-templates.xml, line "), std::string::npos) << problems[0];
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "B 2");
}

TEST(GlabelsFiles, AMissingDirectoryLeavesTheBuiltInSheets) {
    const auto list = render::allTemplates("/nonexistent/glabels");
    EXPECT_EQ(list.size(), render::builtinTemplates().size());
    EXPECT_TRUE(render::findTemplate("avery  l7160", list));
}

// ---------------------------------------------------------------- finding by name

struct NameCase {
    std::string name, typed, found;  // found empty: none
};

const NameCase kNameCases[] = {
    {"any_case", "AVERY l7651", "Avery L7651"},
    {"spaces_collapse", "  Avery   5163 ", "Avery 5163"},
    {"built_in_hides_glabels_twin", "Avery 5160", "Avery 5160"},
    {"glabels_part", "zweckform 3475", "Zweckform 3475"},
    {"part_alone_is_not_enough", "L7160", ""},
    {"unknown", "Avery L0000", ""},
};

class FindTemplateTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FindTemplateTest, FindsByBrandAndPart) {
    static const auto all = render::allTemplates();
    const auto t = render::findTemplate(GetParam().typed, all);
    EXPECT_EQ(t ? t->name : "", GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(Names, FindTemplateTest, ::testing::ValuesIn(kNameCases), byName);

}  // namespace
}  // namespace bcfont::test
