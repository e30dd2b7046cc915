// Which lines get labels and where: rejected and too large lines take none,
// skip and copies move the labels along, long lists run onto more sheets,
// and no barcode is ever smaller than its symbology allows or leaves its label.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "labels.h"
#include "named_cases.h"
#include "symbology.h"
#include "templates.h"

namespace bcfont::render {
// Failing rows print the problems as text.
void PrintTo(const LabelProblem& p, std::ostream* os) {
    *os << "{line " << p.line << (p.rejected ? ", rejected: " : ", does not fit: ") << p.reason << "}";
}
}  // namespace bcfont::render

namespace bcfont::test {
namespace {

using render::kPointsPerMm;

const render::LabelTemplate& sheet(const std::string& name) {
    static const auto all = render::builtinTemplates();
    for (const auto& t : all)
        if (t.name == name) return t;
    throw std::runtime_error("no built-in sheet " + name);
}

// The plan of `input` on the named sheet; a refusal fails the test.
std::optional<render::LabelSheets> plan(const std::string& input, const std::string& name,
                                        const render::LabelJob& job) {
    std::string error;
    auto sheets = render::planLabels(input, sheet(name), job, error);
    if (!sheets) ADD_FAILURE() << error;
    return sheets;
}

// Why the first line took no label, if one did not.
std::string firstProblem(const render::LabelSheets& sheets) {
    return sheets.report.listed.empty() ? "" : sheets.report.listed[0].reason;
}

std::string lines(int count, const std::string& line) {
    std::string s;
    for (int i = 0; i < count; ++i) s += line + "\n";
    return s;
}

// ---------------------------------------------------------------- planning rules

struct Expected {
    std::uint64_t printed, rejected, notFitting, empty, labels;
    int pages;
};

struct PlanCase {
    std::string name;
    std::string sheet;
    CodeType type;
    int skip, copies;
    std::string input;
    Expected expected;
    std::vector<std::pair<int, int>> where;  // (page, position) of the first labels, in order
    std::vector<std::uint64_t> lineOfLabel;  // input line of the first labels, in order
    std::vector<render::LabelProblem> problems;
    bool utf8 = false;
    std::pair<int, int> last{-1, -1};  // (page, position) of the last label; (-1, -1): not checked
};

const std::string kEan = "400638133393";
const std::string kTooTallOnMini =
    "the barcode does not fit on a 38.1 x 21.2 mm label: at its smallest (a module of 0.264 mm) it needs one "
    "of "
    "33.6 x 24.7 mm";

// clang-format off
const PlanCase kPlanCases[] = {
    // name, sheet, type, skip, copies, input,
    // {printed, rejected, notFitting, empty, labels, pages}, (page, position) and line of the first labels, problems
    {"skip_starts_further_on", "Avery L7160", EAN13, 5, 1, kEan + "\n978014300723\n",
     {2, 0, 0, 0, 2, 1}, {{0, 5}, {0, 6}}, {1, 2}, {}},
    {"copies_follow_each_other", "Avery L7160", EAN13, 0, 3, kEan + "\n978014300723\n",
     {2, 0, 0, 0, 6, 1}, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}}, {1, 1, 1, 2, 2, 2}, {}},
    {"skip_and_copies_run_onto_a_second_sheet", "Avery L7160", EAN13, 20, 2, lines(3, kEan),
     {3, 0, 0, 0, 6, 2}, {{0, 20}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}}, {1, 1, 2, 2, 3, 3}, {}},
    {"long_list_fills_sheets_in_turn", "Avery L7160", EAN13, 0, 1, lines(50, kEan),
     {50, 0, 0, 0, 50, 3}, {{0, 0}}, {1}, {}, false, {2, 7}},  // 50 = 21 + 21 + 8
    {"exactly_one_full_sheet", "Avery 5163", UPCA, 0, 1, lines(10, "03600029145"),
     {10, 0, 0, 0, 10, 1}, {{0, 0}}, {1}, {}},
    {"one_more_than_a_sheet", "Avery 5163", UPCA, 0, 1, lines(11, "03600029145"),
     {11, 0, 0, 0, 11, 2}, {{0, 0}}, {1}, {}},
    {"rejected_line_takes_no_label", "Avery L7160", EAN13, 0, 1, kEan + "\nabc\n978014300723\n",
     {2, 1, 0, 0, 2, 1}, {{0, 0}, {0, 1}}, {1, 3}, {{2, "EAN-13 needs 12 or 13 digits, got 3", true}}},
    {"empty_lines_are_counted_apart", "Avery L7160", EAN13, 0, 1, "\r\n" + kEan + "\r\n\r\n",
     {1, 0, 0, 2, 1, 1}, {{0, 0}}, {2}, {}},
    {"too_large_for_the_label_takes_no_label", "Avery L7651", EAN13, 0, 1, kEan + "\n",
     {0, 0, 1, 0, 0, 0}, {}, {}, {{1, kTooTallOnMini, false}}},
    {"small_barcodes_still_fit_between_too_large_ones", "Avery L7651", C128, 0, 1,
     "12345678\nThis line is far too long for a mini label\n87654321\n",
     {2, 0, 1, 0, 2, 1}, {{0, 0}, {0, 1}}, {1, 3},
     {{2, "the barcode does not fit on a 38.1 x 21.2 mm label: at its smallest (a narrow bar of 0.19 mm) it "
          "needs one of 101.2 x 12.8 mm", false}}},
    {"qr_not_shrunk_below_its_module_floor", "Avery L7651", QR, 0, 1, std::string(300, 'x') + "\n",
     {0, 0, 1, 0, 0, 0}, {}, {},
     {{1, "the barcode does not fit on a 38.1 x 21.2 mm label: at its smallest (a module of 0.396 mm) it "
          "needs one of 33.5 x 34.7 mm", false}}},
    {"datamatrix_floor_lets_the_same_data_fit", "Avery L7651", DATAMATRIX, 0, 1, std::string(300, 'x') + "\n",
     {1, 0, 0, 0, 1, 1}, {{0, 0}}, {1}, {}},
    {"gs1_matrix_data_rejected_by_the_gs1_rules", "Avery L7160", GS1QR, 0, 1, "(01)123\n",
     {0, 1, 0, 0, 0, 0}, {}, {}, {{1, "(01) needs 14 digits, got 3", true}}},
    {"line_too_long_with_its_caption", "Avery L7160", EAN13, 0, 1, kEan + "\t" + std::string(900, 'x') + "\n",
     {0, 1, 0, 0, 0, 0}, {}, {}, {{1, "longer than 797 bytes, caption included", true}}},
    {"caption_must_be_utf8_when_asked", "Avery L7160", EAN13, 0, 1, kEan + "\tb\xff\n",
     {0, 1, 0, 0, 0, 0}, {}, {}, {{1, "the caption is not UTF-8 text", true}}, true},
    {"data_must_be_utf8_when_asked", "Avery L7160", EAN13, 0, 1, "40063813339\xff\tcaption\n",
     {0, 1, 0, 0, 0, 0}, {}, {}, {{1, "is not valid UTF-8 (byte 12)", true}}, true},
    {"data_longer_than_a_batch_line_even_with_room_for_a_caption", "Avery L7160", C128, 0, 1,
     std::string(120, '1') + "\tcaption\n",
     {0, 1, 0, 0, 0, 0}, {}, {}, {{1, "data is longer than 48 characters (got 120)", true}}},
    {"caption_without_data", "Avery L7160", C39, 0, 1, "\tShelf 3\n\t\n",
     {0, 2, 0, 0, 0, 0}, {}, {},
     {{1, "no data before the caption's TAB", true}, {2, "no data before the caption's TAB", true}}},
    {"caption_of_any_bytes_without_utf8", "Avery L7160", EAN13, 0, 1, kEan + "\tb\xff\n",
     {1, 0, 0, 0, 1, 1}, {{0, 0}}, {1}, {}},
    {"twenty_problems_listed_all_counted", "Avery L7160", EAN13, 0, 1, lines(25, "1"),
     {0, 25, 0, 0, 0, 0}, {}, {}, {}},
};
// clang-format on

class PlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanTest, PlacesTheLabels) {
    const PlanCase& c = GetParam();
    const auto sheets =
        plan(c.input, c.sheet, {.type = c.type, .utf8 = c.utf8, .skip = c.skip, .copies = c.copies});
    ASSERT_TRUE(sheets);
    const render::LabelReport& r = sheets->report;
    EXPECT_EQ(r.printed, c.expected.printed);
    EXPECT_EQ(r.rejected, c.expected.rejected);
    EXPECT_EQ(r.notFitting, c.expected.notFitting);
    EXPECT_EQ(r.empty, c.expected.empty);
    EXPECT_EQ(r.labels, c.expected.labels);
    EXPECT_EQ(sheets->pages, c.expected.pages);
    ASSERT_GE(sheets->placements.size(), c.where.size());
    for (std::size_t i = 0; i < c.where.size(); ++i) {
        const auto& p = sheets->placements[i];
        EXPECT_EQ(std::make_pair(p.page, p.position), c.where[i]) << "label " << i;
        EXPECT_EQ(sheets->items[p.item].line, c.lineOfLabel[i]) << "label " << i;
    }
    if (c.last.first >= 0) {
        EXPECT_EQ(std::make_pair(sheets->placements.back().page, sheets->placements.back().position), c.last);
    }
    if (c.expected.rejected + c.expected.notFitting <= render::kListedLabelProblems) {
        EXPECT_EQ(r.listed, c.problems);
    }
    EXPECT_EQ(r.listed.size(), std::min<std::size_t>(c.expected.rejected + c.expected.notFitting,
                                                     render::kListedLabelProblems));
}

INSTANTIATE_TEST_SUITE_P(Rules, PlanTest, ::testing::ValuesIn(kPlanCases), byName);

// ---------------------------------------------------------------- wrong jobs

struct JobCase {
    std::string name;
    int skip, copies;
    std::string error;
};

const JobCase kJobCases[] = {
    {"skip_a_whole_sheet", 21, 1,
     "the start position must skip 0 to 20 labels: \"Avery L7160\" has 21 on a sheet"},
    {"negative_skip", -1, 1,
     "the start position must skip 0 to 20 labels: \"Avery L7160\" has 21 on a sheet"},
    {"no_copies", 0, 0, "copies must lie between 1 and 1000"},
    {"too_many_copies", 0, 1001, "copies must lie between 1 and 1000"},
};

class JobTest : public ::testing::TestWithParam<JobCase> {};

TEST_P(JobTest, RefusesWithAReason) {
    const JobCase& c = GetParam();
    std::string error;
    const auto sheets =
        render::planLabels(kEan + "\n", sheet("Avery L7160"), {.skip = c.skip, .copies = c.copies}, error);
    EXPECT_FALSE(sheets);
    EXPECT_EQ(error, c.error);
}

INSTANTIATE_TEST_SUITE_P(Jobs, JobTest, ::testing::ValuesIn(kJobCases), byName);

// ---------------------------------------------------------------- text on the label

struct TextCase {
    std::string name;
    CodeType type;
    bool utf8;
    std::string line;
    std::string text, caption;  // UTF-8
};

// clang-format off
const TextCase kTextCases[] = {
    {"ean_face_draws_its_own_digits", EAN13, false, kEan + "\tTea", "", "Tea"},
    {"code39_gets_its_data_below", C39, false, "CODE39", "CODE39", ""},
    {"code128_data_and_caption", C128, false, "Box 7\tShelf 3", "Box 7", "Shelf 3"},
    {"mac_roman_caption_as_unicode", TOFIL, false, "123456\tCaf\x8E", "123456", "Caf\xC3\xA9"},
    {"utf8_caption_kept", CODABAR, true, "123456\tGr\xC3\xBC\xC3\x9F" "e", "123456", "Gr\xC3\xBC\xC3\x9F" "e"},
    {"second_tab_stays_in_the_caption", C128, false, "A\tB\tC", "A", "B\tC"},
    {"escapes_print_as_their_characters", C128, true, "A~066~~\tBin", "AB~", "Bin"},
    {"qr_prints_only_the_caption", QR, true, "https://example.com/\u00e9\tParcel", "", "Parcel"},
    {"gs1_matrix_prints_its_element_string", GS1DATAMATRIX, false, "(01)09501101530003\tPallet",
     "(01)09501101530003", "Pallet"},
    {"fnc1_prints_nothing", C128EAN, false, "0195012345678903~99910AB", "0195012345678903" "10AB", ""},
};
// clang-format on

class TextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextTest, TextAndCaption) {
    const TextCase& c = GetParam();
    const auto sheets = plan(c.line + "\n", "Avery 5163", {.type = c.type, .check = false, .utf8 = c.utf8});
    ASSERT_TRUE(sheets);
    ASSERT_EQ(sheets->items.size(), 1u) << firstProblem(*sheets);
    EXPECT_EQ(sheets->items[0].text, c.text);
    EXPECT_EQ(sheets->items[0].caption, c.caption);
}

INSTANTIATE_TEST_SUITE_P(Text, TextTest, ::testing::ValuesIn(kTextCases), byName);

// ---------------------------------------------------------------- sizes

struct SizeCase {
    std::string name;
    std::string sheet;
    CodeType type;
    std::string line;
    double minElementMm;
};

const SizeCase kSizeCases[] = {
    {"ean13_large_label", "Avery 5163", EAN13, kEan, 0.264},
    {"ean13_address_label", "Avery L7160", EAN13, kEan + "\tcaption", 0.264},
    {"upce_wide_label", "Avery L7163", UPCE, "0123456", 0.264},
    {"code39_mini_label", "Avery L7651", C39, "AB1", 0.19},
    {"code128_address_label", "Avery 5160", C128, "Shelf 12-3\tcaption", 0.19},
    {"itf_wide_label", "Avery L7163", TOFIL, "12345678901234", 0.19},
    {"postnet_address_label", "Avery L7160", POSTNET, "12345", 0.19},
};

class SizeTest : public ::testing::TestWithParam<SizeCase> {};

// The barcode with its quiet zones stays inside the label's padding, and its
// narrowest element is at least the symbology's minimum.
TEST_P(SizeTest, InsideTheLabelAndNeverTooSmall) {
    const SizeCase& c = GetParam();
    const auto sheets = plan(c.line + "\n", c.sheet, {.type = c.type});
    ASSERT_TRUE(sheets);
    ASSERT_EQ(sheets->placements.size(), 1u) << firstProblem(*sheets);
    const auto& p = sheets->placements[0];
    const double pad = render::kLabelPaddingMm * kPointsPerMm - 1e-6;
    EXPECT_GE(p.barcode.x, p.label.x + pad);
    EXPECT_GE(p.barcode.y, p.label.y + pad);
    EXPECT_LE(p.barcode.x + p.barcode.width, p.label.x + p.label.width - pad);
    const auto& item = sheets->items[0];
    const int textLines = (item.text.empty() ? 0 : 1) + (item.caption.empty() ? 0 : 1);
    const double textBottom = p.textTop + textLines * p.textSize * 1.25;
    EXPECT_LE(textBottom, p.label.y + p.label.height - pad);
    const FontChoice font = fontFor(c.type, false, false);
    std::string error;
    const auto layout = render::layoutFor(item.fontString, font.family, p.pointSize, &error);
    ASSERT_TRUE(layout) << error;
    // The barcode the page draws, prepared once at the nominal size and scaled, is this one.
    EXPECT_NEAR(item.bars.pointSize, p.pointSize, 1e-9);
    EXPECT_NEAR(item.bars.layout.width, layout->width, 1e-6);
    EXPECT_NEAR(item.bars.layout.baselineY, layout->baselineY, 1e-3);
    EXPECT_GE(layout->narrowPoints / kPointsPerMm, c.minElementMm - 1e-9);
    // As large as fits: the width or the height is used up.
    const double innerW = p.label.width - 2 * pad;
    const double innerH = p.label.height - 2 * pad;
    const double usedH = textBottom - p.barcode.y;
    EXPECT_TRUE(std::abs(p.barcode.width - innerW) < 0.01 || std::abs(usedH - innerH) < 0.01)
        << "barcode " << p.barcode.width << " of " << innerW << " wide, " << usedH << " of " << innerH
        << " high";
}

INSTANTIATE_TEST_SUITE_P(Sizes, SizeTest, ::testing::ValuesIn(kSizeCases), byName);

// ---------------------------------------------------------------- summary

struct SummaryCase {
    std::string name;
    render::LabelReport report;
    int pages;
    std::string summary;
};

// clang-format off
const SummaryCase kSummaryCases[] = {
    {"all_printed", {3, 0, 0, 0, 3, {}}, 1, "printed 3 of 3 lines on 3 labels, 1 page"},
    {"one_of_each", {1, 0, 0, 0, 1, {}}, 1, "printed 1 of 1 line on 1 label, 1 page"},
    {"empty_lines_named_apart", {2, 0, 0, 4, 6, {}}, 2,
     "printed 2 of 2 lines (not counting 4 empty) on 6 labels, 2 pages"},
    {"rejected_and_too_large", {998, 1, 1, 0, 998, {{17, "r", true}, {404, "f", false}}}, 48,
     "printed 998 of 1000 lines on 998 labels, 48 pages; rejected: 17; too large for the label: 404"},
    {"more_than_listed", {0, 22, 0, 0, 0, {{1, "r", true}, {2, "r", true}}}, 0,
     "printed 0 of 22 lines on 0 labels, 0 pages; rejected: 1, 2 and 20 more"},
};
// clang-format on

class SummaryTest : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryTest, Says) {
    EXPECT_EQ(render::labelSummary(GetParam().report, GetParam().pages), GetParam().summary);
}

INSTANTIATE_TEST_SUITE_P(Summary, SummaryTest, ::testing::ValuesIn(kSummaryCases), byName);

}  // namespace
}  // namespace bcfont::test
