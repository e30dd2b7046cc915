// File > Export: the controller against a recording window, drawing through
// the real renderer into a temporary folder (BCFONT_FONT_DIR names the fonts
// of this build).
#include <gtest/gtest.h>

#include <array>
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

TEST(ExportFileName, TheFilterExtensionIsAddedOnlyWhenNoneWasTyped) {
    constexpr std::array<std::array<const char*, 3>, 4> rows = {{
        // typed, filter extension, expected
        {"/tmp/label", "svg", "/tmp/label.svg"},
        {"/tmp/label.PDF", "svg", "/tmp/label.PDF"},  // a typed format wins
        {"/tmp/label.txt", "pdf", "/tmp/label.txt"},  // left for the renderer to refuse
        {"/tmp/v1.2/label", "png", "/tmp/v1.2/label.png"},
    }};
    for (const auto& [typed, extension, expected] : rows)
        EXPECT_EQ(pathWithExtension(typed, extension), expected) << typed;
}

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
        window.errors.clear();
    }
    // Exports to `name` in the folder (nothing: cancel), answering a resolution dialog with `dpi`.
    fs::path exportTo(std::optional<std::string> name, std::optional<int> dpi = std::nullopt) {
        window.exportPanelAnswer = name ? std::optional((dir / *name).string()) : std::nullopt;
        window.resolutionAnswer = dpi;
        controller.exportPreview(Id::preview);
        return dir / name.value_or("");
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

TEST_F(Export, AsksForTheFileThenForAPngResolution) {
    struct Row {
        const char* name;
        std::optional<std::string> file;
        std::optional<int> dpi;
        Log expected;  // after string(preview), runExportPanel()
        bool written;
    };
    const std::array<Row, 5> rows = {{
        {"SVG needs no resolution", "a.svg", std::nullopt, {}, true},
        {"cancelling the file dialog", std::nullopt, std::nullopt, {}, false},
        {"PNG offers the default", "a.png", 150, {"runResolutionPanel(300, 72, 2400)"}, true},
        {"the next PNG offers the last choice", "b.png", 600, {"runResolutionPanel(150, 72, 2400)"}, true},
        {"cancelling the resolution", "c.png", std::nullopt, {"runResolutionPanel(600, 72, 2400)"}, false},
    }};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        window.log.clear();
        const fs::path path = exportTo(row.file, row.dpi);
        Log expected = {"string(preview)", "runExportPanel()"};
        expected.insert(expected.end(), row.expected.begin(), row.expected.end());
        EXPECT_EQ(window.log, expected);
        EXPECT_EQ(fs::is_regular_file(path), row.written);
        EXPECT_EQ(window.errors, Log{});
    }
}

TEST_F(Export, AnEmptyPreviewIsReportedBeforeAnyDialog) {
    // Both follow a good EAN-8 string, which the controller still holds.
    for (const char* data : {"", "12A4567"}) {
        choose(EAN8, data);
        exportTo("a.svg");
        ASSERT_EQ(window.errors.size(), 1u) << data;
        EXPECT_NE(window.errors[0].find("nothing to export"), std::string::npos) << window.errors[0];
        EXPECT_EQ(window.log.size(), 2u) << "string(preview) and the message, no dialog";
        EXPECT_TRUE(filesInDir().empty());
    }
}

TEST_F(Export, RendererFailuresAreShownAndLeaveNoFileBehind) {
    constexpr std::array<std::array<const char*, 2>, 3> rows = {{
        // file, part of the renderer's reason
        {"missing/a.svg", "No such file or directory"},
        {"a.txt", "name it .svg, .png or .pdf"},
        {"taken.pdf", "is not a regular file"},  // a folder
    }};
    fs::create_directory(dir / "taken.pdf");
    for (const auto& [file, reason] : rows) {
        window.errors.clear();
        exportTo(file);
        ASSERT_EQ(window.errors.size(), 1u) << file;
        EXPECT_EQ(window.errors[0].rfind("The barcode was not exported: ", 0), 0u) << window.errors[0];
        EXPECT_NE(window.errors[0].find(reason), std::string::npos) << window.errors[0];
        EXPECT_EQ(filesInDir(), Log{"taken.pdf"});
    }
}

TEST_F(Export, WritesSvgPngAndPdfFiles) {
    const std::string svg = fileBytes(exportTo("label.svg"));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << svg.substr(0, 40);
    EXPECT_NE(svg.find("<svg"), std::string::npos);

    const std::string png = fileBytes(exportTo("label.png", 150));
    ASSERT_EQ(png.rfind("\x89PNG\r\n\x1a\n", 0), 0u);
    const auto phys = png.find("pHYs");
    ASSERT_NE(phys, std::string::npos) << "the PNG does not carry its resolution";
    // 150 dots per inch as PNG keeps it: dots per metre, unit 1.
    EXPECT_EQ(bigEndian32(png, phys + 4), 5906u);
    EXPECT_EQ(bigEndian32(png, phys + 8), 5906u);
    EXPECT_EQ(png.at(phys + 12), 1);

    const std::string pdf = fileBytes(exportTo("label.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u) << pdf.substr(0, 10);
    EXPECT_EQ(window.errors, Log{});
}

TEST_F(Export, DrawsThePreviewStringInThePreviewFace) {
    struct Row {
        const char* name;
        CodeType type;
        const char* data;
        int halfHeight, highDensity;
    };
    constexpr std::array<Row, 3> rows = {{
        {"EAN-13 half height", EAN13, "400638133393", 1, 0},
        {"Code 39", C39, "CODE39", 0, 0},
        {"Code 39 high density", C39, "CODE39", 0, 1},
    }};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        choose(row.type, row.data, row.halfHeight, row.highDensity);
        const std::string png = fileBytes(exportTo(std::string(row.name) + ".png", 150));
        ASSERT_GT(png.size(), 24u) << (window.errors.empty() ? "" : window.errors.back());
        // The same string in the same face at the same resolution has the same pixel size.
        const FontChoice face = fontFor(row.type, row.halfHeight != 0, row.highDensity != 0);
        const auto image =
            render::renderGray(*encode(row.type, row.data, "", true), face.family, face.pointSize, 150);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(bigEndian32(png, 16), static_cast<std::uint32_t>(image->width));  // IHDR
        EXPECT_EQ(bigEndian32(png, 20), static_cast<std::uint32_t>(image->height));
    }
}

}  // namespace
}  // namespace bcfont::app
