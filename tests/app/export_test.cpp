// File > Export: the controller against a recording window, drawing through
// the real renderer into a temporary folder (BCFONT_FONT_DIR names the fonts
// of this build).
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BCController.h"
#include "ExportFile.h"
#include "RecordingWindow.h"
#include "encode.h"
#include "render.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;
using Id = ControlId;

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

// ------------------------------------------------------------ file names

TEST(ExportFileName, TheFilterExtensionIsAddedOnlyWhenNoneWasTyped) {
    struct Row {
        const char* name;
        const char* typed;
        const char* extension;
        const char* expected;
    };
    constexpr std::array<Row, 6> rows = {{
        {"bare name", "/tmp/label", "svg", "/tmp/label.svg"},
        {"same extension", "/tmp/label.png", "png", "/tmp/label.png"},
        {"other known extension wins over the filter", "/tmp/label.PDF", "svg", "/tmp/label.PDF"},
        {"unknown extension is left for the renderer to refuse", "/tmp/label.txt", "pdf", "/tmp/label.txt"},
        {"dot in a folder name only", "/tmp/v1.2/label", "png", "/tmp/v1.2/label.png"},
        {"no filter extension", "/tmp/label", "", "/tmp/label"},
    }};
    for (const auto& row : rows)
        EXPECT_EQ(pathWithExtension(row.typed, row.extension), row.expected) << row.name;
}

TEST(ExportFileName, EveryFilterNamesAFormatTheRendererWrites) {
    constexpr std::array<render::Format, 3> formats = {render::Format::Svg, render::Format::Png,
                                                       render::Format::Pdf};
    static_assert(formats.size() == kExportFilters.size());
    for (std::size_t i = 0; i < kExportFilters.size(); ++i) {
        const auto extension = extensionOfFilter(kExportFilters[i].label);
        ASSERT_TRUE(extension.has_value()) << kExportFilters[i].label;
        EXPECT_EQ(render::formatOf(pathWithExtension("label", *extension)), formats[i])
            << kExportFilters[i].label;
    }
    EXPECT_FALSE(extensionOfFilter("All files (*)").has_value());
}

// ------------------------------------------------------------ the action

class Export : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "bcfont-export-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        controller.awakeFromNib();  // EAN-8 of 1234567
        window.log.clear();
    }
    void TearDown() override { fs::remove_all(dir); }

    void choose(CodeType type, const std::string& data, int halfHeight = 0, int highDensity = 0) {
        window.selectedIndex[Id::codeSelector] = type;
        controller.changeCode(Id::codeSelector);
        window.text[Id::dataToEncode] = data;
        controller.controlTextDidChange(Id::dataToEncode);
        window.states[Id::halfHeight] = halfHeight;
        controller.changeHalfheight(Id::halfHeight);
        window.states[Id::highDensity] = highDensity;
        controller.changeHighdensity(Id::highDensity);
        window.log.clear();
    }
    // Exports to `name` in the temporary folder, answering the resolution
    // dialog with `dpi`; returns the path.
    fs::path exportTo(const std::string& name, std::optional<int> dpi = std::nullopt) {
        const fs::path path = dir / name;
        window.exportPanelAnswer = path.string();
        window.resolutionAnswer = dpi;
        controller.exportPreview(Id::preview);
        return path;
    }
    std::vector<std::string> filesInDir() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
        return names;
    }

    fs::path dir;
    RecordingWindow window;
    Converter converter;
    BCController controller{window, converter};
};

TEST_F(Export, AsksForTheFileThenForAPngResolutionAndWritesTheFile) {
    struct Row {
        const char* name;
        const char* file;
        std::optional<int> dpi;
        Log expected;
        bool written;
    };
    const std::array<Row, 5> rows = {{
        {"SVG needs no resolution", "a.svg", std::nullopt, {"string(preview)", "runExportPanel()"}, true},
        {"PDF needs no resolution", "a.pdf", std::nullopt, {"string(preview)", "runExportPanel()"}, true},
        {"PNG offers the default resolution",
         "a.png",
         150,
         {"string(preview)", "runExportPanel()", "runResolutionPanel(300, 72, 2400)"},
         true},
        {"the next PNG offers the last resolution chosen",
         "b.png",
         600,
         {"string(preview)", "runExportPanel()", "runResolutionPanel(150, 72, 2400)"},
         true},
        {"cancelling the resolution writes nothing",
         "c.png",
         std::nullopt,
         {"string(preview)", "runExportPanel()", "runResolutionPanel(600, 72, 2400)"},
         false},
    }};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        window.log.clear();
        const fs::path path = exportTo(row.file, row.dpi);
        EXPECT_EQ(window.log, row.expected);
        EXPECT_EQ(fs::exists(path), row.written);
        EXPECT_EQ(window.errors, std::vector<std::string>{});
    }
    EXPECT_EQ(window.text[Id::convertString], "<BCDE=fgha>") << "an export changes nothing in the window";
}

TEST_F(Export, CancellingTheFileDialogDoesNothing) {
    window.exportPanelAnswer = std::nullopt;
    controller.exportPreview(Id::preview);
    EXPECT_EQ(window.log, (Log{"string(preview)", "runExportPanel()"}));
    EXPECT_TRUE(filesInDir().empty());
}

TEST_F(Export, AnEmptyPreviewSaysThereIsNothingToExportBeforeAnyDialog) {
    struct Row {
        const char* name;
        CodeType type;
        const char* data;
    };
    // Both follow a good EAN-8 string, which the controller still holds.
    constexpr std::array<Row, 2> rows = {{
        {"no data", EAN8, ""},
        {"letters for EAN-8", EAN8, "12A4567"},
    }};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        choose(row.type, row.data);
        window.errors.clear();
        exportTo("a.svg");
        ASSERT_EQ(window.errors.size(), 1u);
        EXPECT_NE(window.errors[0].find("nothing to export"), std::string::npos) << window.errors[0];
        EXPECT_EQ(window.log.front(), "string(preview)");
        EXPECT_EQ(window.log.size(), 2u) << "no dialog after the message";
        EXPECT_TRUE(filesInDir().empty());
    }
}

TEST_F(Export, RendererFailuresAreShownAndLeaveNoFileBehind) {
    struct Row {
        const char* name;
        const char* file;
        const char* reason;  // part of the renderer's message
    };
    constexpr std::array<Row, 3> rows = {{
        {"folder that does not exist", "missing/a.svg", "No such file or directory"},
        {"name the renderer cannot tell the format of", "a.txt", "name it .svg, .png or .pdf"},
        {"a folder where the file should go", "taken.pdf", "is not a regular file"},
    }};
    fs::create_directory(dir / "taken.pdf");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        window.errors.clear();
        exportTo(row.file);
        ASSERT_EQ(window.errors.size(), 1u);
        EXPECT_EQ(window.errors[0].rfind("The barcode was not exported: ", 0), 0u) << window.errors[0];
        EXPECT_NE(window.errors[0].find(row.reason), std::string::npos) << window.errors[0];
        EXPECT_EQ(filesInDir(), std::vector<std::string>{"taken.pdf"});
    }
}

// ------------------------------------------------------------ the files

TEST_F(Export, WritesSvgPngAndPdfFiles) {
    const std::string svg = fileBytes(exportTo("label.svg"));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << svg.substr(0, 40);
    EXPECT_NE(svg.find("<svg"), std::string::npos);

    const std::string png = fileBytes(exportTo("label.png", 150));
    ASSERT_EQ(png.rfind("\x89PNG\r\n\x1a\n", 0), 0u);
    const auto phys = png.find("pHYs");
    ASSERT_NE(phys, std::string::npos) << "the PNG does not carry its resolution";
    // 150 dots per inch, in dots per metre as PNG keeps it; unit 1 is the metre.
    EXPECT_EQ(bigEndian32(png, phys + 4), 5906u);
    EXPECT_EQ(bigEndian32(png, phys + 8), 5906u);
    EXPECT_EQ(png.at(phys + 12), 1);

    const std::string pdf = fileBytes(exportTo("label.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u) << pdf.substr(0, 10);
    EXPECT_EQ(window.errors, std::vector<std::string>{});
}

TEST_F(Export, DrawsThePreviewStringInThePreviewFace) {
    struct Row {
        const char* name;
        CodeType type;
        const char* data;
        int halfHeight, highDensity;
    };
    constexpr std::array<Row, 4> rows = {{
        {"EAN-8", EAN8, "1234567", 0, 0},
        {"EAN-13 half height", EAN13, "400638133393", 1, 0},
        {"Code 39", C39, "CODE39", 0, 0},
        {"Code 39 high density", C39, "CODE39", 0, 1},
    }};
    constexpr int dpi = 150;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        choose(row.type, row.data, row.halfHeight, row.highDensity);
        const std::string png = fileBytes(exportTo(std::string(row.name) + ".png", dpi));
        ASSERT_GT(png.size(), 24u) << (window.errors.empty() ? "" : window.errors.back());

        const auto fontString = encode(row.type, row.data, "", true);
        ASSERT_TRUE(fontString.has_value());
        const FontChoice face = fontFor(row.type, row.halfHeight != 0, row.highDensity != 0);
        std::string why;
        const auto image = render::renderGray(*fontString, face.family, face.pointSize, dpi, &why);
        ASSERT_TRUE(image.has_value()) << why;
        // IHDR holds width and height right after the signature and chunk header.
        EXPECT_EQ(bigEndian32(png, 16), static_cast<std::uint32_t>(image->width));
        EXPECT_EQ(bigEndian32(png, 20), static_cast<std::uint32_t>(image->height));
    }
}

}  // namespace
}  // namespace bcfont::app
