// The Print Labels dialog on the offscreen platform: the template search,
// the options feeding the plan, the lines not printed, the preview and
// Save as PDF, and its menu item and button in the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <cstdlib>

#include "LabelsDialog.h"
#include "MainWindow.h"
#include "named_cases.h"
#include "pdf_pages.h"
#include "run_bcfont.h"

namespace bcfont::test {
namespace {

using app::LabelsDialog;
using app::LabelsRequest;

const std::string kInput = "400638133393\tTea\nabc\n978014300723\n";

std::vector<std::string> shownNames(const LabelsDialog& d) {
    std::vector<std::string> names;
    for (int i = 0; i < d.templateList()->count(); ++i) {
        if (d.templateList()->item(i)->isHidden()) continue;
        const std::string text = d.templateList()->item(i)->text().toStdString();
        names.push_back(text.substr(0, text.find("  ")));
    }
    return names;
}

struct SearchCase {
    std::string name, typed;
    std::vector<std::string> shown;
    std::string chosen;  // the template planned after typing
    bool printable;      // EAN-13 does not fit Avery L7651's mini labels
};

const SearchCase kSearchCases[] = {
    {"nothing_typed_shows_all",
     "",
     {"Avery L7160", "Avery L7163", "Avery L7651", "Avery 5160", "Avery 5163"},
     "Avery L7160",
     true},
    {"part_any_case", "l76", {"Avery L7651"}, "Avery L7651", false},
    {"description_matches", "shipping", {"Avery 5163"}, "Avery 5163", true},
    {"no_match_plans_nothing", "zzz", {}, "", false},
};

class DialogSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(DialogSearchTest, FiltersAndChooses) {
    const SearchCase& c = GetParam();
    LabelsDialog d(LabelsRequest{kInput, EAN13, true}, render::builtinTemplates());
    d.search()->setText(QString::fromStdString(c.typed));
    EXPECT_EQ(shownNames(d), c.shown);
    EXPECT_EQ(d.sheets() ? d.sheets()->sheet.name : "", c.chosen);
    EXPECT_EQ(d.saveButton()->isEnabled(), c.printable);
    EXPECT_EQ(d.printButton()->isEnabled(), c.printable);
}

INSTANTIATE_TEST_SUITE_P(Search, DialogSearchTest, ::testing::ValuesIn(kSearchCases), byName);

TEST(LabelsDialog, OptionsReachThePlanAndProblemsAreListed) {
    LabelsDialog d(LabelsRequest{kInput, EAN13, true}, render::builtinTemplates());
    EXPECT_EQ(d.skip()->maximum(), 20);  // Avery L7160: 21 labels
    d.skip()->setValue(20);
    d.copies()->setValue(2);
    d.outline()->setChecked(true);
    ASSERT_TRUE(d.sheets());
    EXPECT_EQ(d.sheets()->job.skip, 20);
    EXPECT_EQ(d.sheets()->job.copies, 2);
    EXPECT_TRUE(d.sheets()->job.outline);
    EXPECT_EQ(d.summary()->text().toStdString(), "printed 2 of 3 lines on 4 labels, 2 pages; rejected: 2");
    ASSERT_EQ(d.problems()->count(), 1);
    EXPECT_EQ(d.problems()->item(0)->text().toStdString(), "Line 2: EAN-13 needs 12 or 13 digits, got 3");
    EXPECT_FALSE(d.preview()->pixmap().isNull());
    if (const char* shot = std::getenv("BCFONT_SCREENSHOT")) d.grab().save(QString::fromLocal8Bit(shot));
}

TEST(LabelsDialog, NothingPrintableDisablesSaveAndPrint) {
    LabelsDialog d(LabelsRequest{"abc\n", EAN13, true}, render::builtinTemplates());
    EXPECT_FALSE(d.saveButton()->isEnabled());
    EXPECT_FALSE(d.printButton()->isEnabled());
    EXPECT_EQ(d.saveTo("/nonexistent/x.pdf"), "there are no labels to save");
}

// The symbology comes from the batch area and can be changed for the sheet;
// with no lines the summary says where they come from.
TEST(LabelsDialog, NamesItsSymbologyAndWhereItsLinesComeFrom) {
    const struct {
        const char* name;
        std::string input;
        int chosen;  // the symbology chosen in the dialog; -1: the batch area's
        std::string summary;
    } rows[] = {
        {"the batch area's symbology", "400638133393\n", -1, "printed 1 of 1 line on 1 label, 1 page"},
        {"chosen in the dialog", "400638133393\n", EAN8, "printed 0 of 1 line on 0 labels, 0 pages; rejected: 1"},
        {"no lines", "\n\n", -1,
         "No lines to print: type or read them in the batch area's Input of the main window, one item per line, "
         "\u201Cdata\u201D or \u201Cdata<TAB>caption\u201D."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LabelsDialog d(LabelsRequest{row.input, EAN13, true}, render::builtinTemplates());
        EXPECT_EQ(d.symbology()->currentText().toStdString(), "EAN-13");
        if (row.chosen >= 0) d.symbology()->setCurrentIndex(row.chosen);
        EXPECT_EQ(d.summary()->text().toStdString(), row.summary);
    }
}

TEST(LabelsDialog, SavesThePdfOfThePlannedSheets) {
    LabelsDialog d(LabelsRequest{kInput, EAN13, true}, render::builtinTemplates());
    d.copies()->setValue(11);  // 22 labels: two sheets of Avery L7160
    const TempDir dir;
    const auto path = dir.path() / "labels.pdf";
    EXPECT_EQ(d.saveTo(path.string()), "");
    EXPECT_EQ(pageContents(readFile(path)).size(), 2u);
    EXPECT_NE(d.saveTo((dir.path() / "missing" / "x.pdf").string()), "");
}

// The dark pixels' bounding box: left, top, right, bottom.
std::array<int, 4> inkBox(const render::GrayImage& image) {
    std::array<int, 4> box{image.width, image.height, -1, -1};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y) < 128)
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
    return box;
}

// Printed to a PDF printer, every sheet lands where the PDF export puts it:
// same paper, the same ink within a pixel at 150 dpi, so no scaling or offset.
TEST(LabelsDialog, PrintsAtActualSize) {
    LabelsDialog d(LabelsRequest{kInput, EAN13, true}, render::builtinTemplates());
    d.search()->setText(QStringLiteral("5163"));
    d.copies()->setValue(6);  // 12 labels: two sheets of 10
    const TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((dir.path() / "printed.pdf").string()));
    printer.setResolution(300);
    d.preparePrinter(printer);
    ASSERT_EQ(d.printTo(printer), "");
    const std::string pdf = readFile(dir.path() / "printed.pdf");
    const auto box = mediaBox(pdf);
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->first, 612, 0.5);
    EXPECT_NEAR(box->second, 792, 0.5);
    const auto pages = rasterise(dir.path() / "printed.pdf", 150);
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->size(), 2u);
    for (int page = 0; page < 2; ++page) {
        std::string error;
        const auto expected = render::labelPage(*d.sheets(), page, 150, error);
        ASSERT_TRUE(expected) << error;
        const auto got = inkBox((*pages)[static_cast<std::size_t>(page)]);
        const auto want = inkBox(*expected);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], want[i], 1) << "page " << page << ", edge " << i;
    }
}

TEST(LabelsDialog, MainWindowOffersItInTheFileMenuAndTheBatchArea) {
    app::MainWindow window;
    const auto* action = window.findChild<QAction*>(QStringLiteral("printLabelsAction"));
    ASSERT_NE(action, nullptr);
    QMenu* file = window.menuBar()->actions().first()->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->actions().contains(const_cast<QAction*>(action)));
    const auto* button = window.findChild<QPushButton*>(QStringLiteral("labelsButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), window.widgets().saveButton->parentWidget());
}

}  // namespace
}  // namespace bcfont::test

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
