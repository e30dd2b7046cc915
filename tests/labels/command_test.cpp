// `bcfont labels` run as a program: exit statuses, messages, and a PDF that
// is written whole or not at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "named_cases.h"
#include "run_bcfont.h"

namespace bcfont::test {
namespace {

struct CommandCase {
    std::string name;
    std::vector<std::string> args;  // "OUT" stands for the output path
    std::string input;
    int status;
    std::string errHas;  // a piece of standard error; empty: nothing checked
    bool written;
};

// clang-format off
const CommandCase kCommandCases[] = {
    // name, arguments, standard input, exit status, part of standard error, PDF written
    {"all_printed", {"--type", "ean13", "--template", "Avery L7160", "-o", "OUT"},
     "400638133393\n", 0, "printed 1 of 1 line on 1 label, 1 page\n", true},
    {"rejected_line_still_prints_the_rest", {"--type", "ean13", "--template", "Avery L7160", "-o", "OUT"},
     "400638133393\n12\n", 1, "bcfont: line 2: EAN-13 needs 12 or 13 digits, got 2\nprinted 1 of 2 lines", true},
    {"too_large_line_is_reported", {"-t", "ean13", "--template", "avery l7651", "-o", "OUT", "--copies", "2"},
     "400638133393\n", 1, "bcfont: line 1: the barcode does not fit on a 38.1 x 21.2 mm label", false},
    {"skip_and_copies_over_two_sheets",
     {"--type", "upca", "--template", "Avery 5163", "--skip", "9", "--copies", "2", "--outline", "-o", "OUT"},
     "03600029145\n", 0, "printed 1 of 1 line on 2 labels, 2 pages\n", true},
    {"unknown_template", {"--type", "ean13", "--template", "Avery L0000", "-o", "OUT"},
     "400638133393\n", 2, "no label template is called 'Avery L0000'", false},
    {"no_type", {"--template", "Avery L7160", "-o", "OUT"},
     "400638133393\n", 2, "--type is required", false},
    {"no_output", {"--type", "ean13", "--template", "Avery L7160"},
     "400638133393\n", 2, "-o OUT.pdf is required", false},
    {"nothing_printable_writes_nothing", {"--type", "ean13", "--template", "Avery L7160", "-o", "OUT"},
     "x\n\n", 1, "nothing to print", false},
    {"missing_input_file", {"--type", "ean13", "--template", "Avery L7160", "-o", "OUT", "/nonexistent/in.txt"},
     "", 2, "cannot open '/nonexistent/in.txt'", false},
};
// clang-format on

class LabelsCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(LabelsCommandTest, StatusMessageAndFile) {
    const CommandCase& c = GetParam();
    const TempDir dir;
    const std::string out = (dir.path() / "labels.pdf").string();
    std::vector<std::string> args = {"labels"};
    for (const std::string& a : c.args) args.push_back(a == "OUT" ? out : a);
    const RunResult r = runBcfont(args, c.input);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.errHas), std::string::npos) << r.err;
    const std::string pdf = readFile(out);
    EXPECT_EQ(!pdf.empty(), c.written);
    if (c.written) {
        EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
        EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    }
    // No temporary file is left beside the output.
    EXPECT_EQ(dir.entries().size(), c.written ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Labels, LabelsCommandTest, ::testing::ValuesIn(kCommandCases), byName);

TEST(LabelsCommand, RefusesToWriteOverItsInput) {
    const TempDir dir;
    const std::string list = "400638133393\n";
    const auto in = dir.write("list.txt", list);
    const RunResult r = runBcfont({"labels", "--type", "ean13", "--template", "Avery L7160", in.string(),
                                   "-o", (dir.path() / "." / "list.txt").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("are the same file"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(in), list);
}

TEST(LabelsCommand, ListsBuiltInAndGlabelsTemplates) {
    const RunResult r = runBcfont({"labels", "--list-templates"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Avery L7160 ", 0), 0u) << r.out.substr(0, 200);
    EXPECT_NE(r.out.find("\nAvery 5163  "), std::string::npos);
    EXPECT_NE(r.out.find("\nZweckform 3475 "), std::string::npos);
}

TEST(LabelsCommand, FontsAreEmbedded) {
    const TempDir dir;
    const std::string out = (dir.path() / "labels.pdf").string();
    const RunResult r = runBcfont({"labels", "--type", "code39", "--template", "Avery L7163", "-o", out},
                                  "CODE39\tcaption\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string listing = (dir.path() / "fonts.txt").string();
    ASSERT_EQ(std::system(("pdffonts '" + out + "' > '" + listing + "'").c_str()), 0);
    const std::string fonts = readFile(listing);
    // One line per font after the two heading lines: the barcode face and the text face, both embedded.
    std::vector<std::string> lines;
    std::istringstream in(fonts);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 4u) << fonts;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        EXPECT_NE(lines[i].find(" yes yes "), std::string::npos) << lines[i];
    }
    EXPECT_NE(fonts.find("Code39"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("DejaVuSans"), std::string::npos) << fonts;
}

}  // namespace
}  // namespace bcfont::test
