// File > Export: the controller against a recording window, drawing through
// the real renderer into a temporary folder (BCFONT_FONT_DIR names the fonts
// of this build).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ExportFile.h"
#include "RecordingWindow.h"
#include "encode.h"
#include "render.h"

namespace bcfont::app {
namespace {

namespace fs = std::filesystem;
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
    // typed, filter extension, expected; a typed extension wins, even one the renderer will refuse
    constexpr std::array<std::array<const char*, 3>, 3> rows = {{
        {"/tmp/label", "svg", "/tmp/label.svg"},
        {"/tmp/label.PDF", "svg", "/tmp/label.PDF"},
        {"/tmp/v1.2/label", "png", "/tmp/v1.2/label.png"},
    }};
    for (const auto& [typed, extension, expected] : rows)
        EXPECT_EQ(pathWithExtension(typed, extension), expected) << typed;
}

// Starts on EAN-8 of 1234567.
class Export : public ::testing::Test, public Rig {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "bcfont-export-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    // Exports to `name` in the folder (nothing: cancel), answering a resolution dialog with `dpi`.
    fs::path exportTo(std::optional<std::string> name, std::optional<int> dpi = std::nullopt) {
        window.log.clear(), window.errors.clear();
        window.exportPanelAnswer = name ? std::optional((dir / *name).string()) : std::nullopt;
        window.resolutionAnswer = dpi;
        controller.exportPreview(Id::preview);
        return dir / name.value_or("");
    }

    fs::path dir;
};

// One export after another: each PNG offers the resolution chosen last.
TEST_F(Export, AsksForTheFileThenForAPngResolutionAndShowsWhatFailed) {
    struct Row {
        const char* name;
        const char* data;
        std::optional<std::string> file;
        std::optional<int> dpi;
        Log calls;
        bool written;
        const char* error;  // a part of the one message shown; empty: none
    };
    // clang-format off
    const Row rows[] = {
        {"SVG needs no resolution", "1234567", "a.svg", std::nullopt, {"runExportPanel()"}, true, ""},
        {"cancelling the file dialog", "1234567", std::nullopt, std::nullopt, {"runExportPanel()"}, false, ""},
        {"PNG offers the default", "1234567", "a.png", 150, {"runExportPanel()", "runResolutionPanel(300,72,2400)"}, true, ""},
        {"the next PNG offers the last choice", "1234567", "b.png", 600, {"runExportPanel()", "runResolutionPanel(150,72,2400)"}, true, ""},
        {"cancelling the resolution", "1234567", "c.png", std::nullopt, {"runExportPanel()", "runResolutionPanel(600,72,2400)"}, false, ""},
        // The controller still holds the good font string before it.
        {"rejected data, before any dialog", "12A4567", "d.svg", std::nullopt,
         {R"(showNotice("Nothing was exported: EAN-8 takes digits only: 'A' at position 3"))"}, false, ""},
        {"the renderer's reason", "1234567", "a.txt", std::nullopt, {"runExportPanel()", "showError()"}, false, "The barcode was not exported: cannot tell the format"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        type(row.data);
        const fs::path path = exportTo(row.file, row.dpi);
        Log expected = row.calls;  // and the status bar's confirmation of a file written
        if (row.written) expected.push_back("showStatus(\"exported the barcode to " + path.string() + "\")");
        EXPECT_EQ(window.log, expected);
        EXPECT_EQ(fs::is_regular_file(path), row.written) << "a failure leaves no file behind";
        EXPECT_EQ(window.errors.size(), *row.error ? 1u : 0u);
        for (const auto& error : window.errors) EXPECT_NE(error.find(row.error), std::string::npos) << error;
    }
}

// The same string in the same face at the same resolution has the same pixel
// size: half height and high density each change the face.
TEST_F(Export, WritesSvgPngAndPdfFilesInThePreviewFace) {
    struct Row {
        CodeType type;
        const char* data;
        int halfHeight, highDensity;
        const char* face;
        int pointSize;
    };
    constexpr Row rows[] = {{EAN13, "400638133393", 1, 0, "Code EAN Red", 72},
                            {C39, "CODE39", 1, 1, "Code 39 Red High Density", 30}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.face);
        choose(row.type);
        type(row.data);
        tick(Id::halfHeight, row.halfHeight);
        tick(Id::highDensity, row.highDensity);
        const std::string png = fileBytes(exportTo("label.png", 150));
        ASSERT_EQ(png.rfind("\x89PNG\r\n\x1a\n", 0), 0u) << (window.errors.empty() ? "" : window.errors[0]);
        const auto image =
            render::renderGray(*encode(row.type, row.data, "", true), row.face, row.pointSize, 150);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(bigEndian32(png, 16), static_cast<std::uint32_t>(image->width));  // IHDR
        EXPECT_EQ(bigEndian32(png, 20), static_cast<std::uint32_t>(image->height));
        // 150 dots per inch as PNG keeps it: dots per metre, unit 1.
        const auto phys = png.find("pHYs");
        ASSERT_NE(phys, std::string::npos) << "the PNG does not carry its resolution";
        EXPECT_EQ(bigEndian32(png, phys + 4), 5906u);
        EXPECT_EQ(bigEndian32(png, phys + 8), 5906u);
        EXPECT_EQ(png.at(phys + 12), 1);
    }
    const std::string svg = fileBytes(exportTo("label.svg"));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << svg.substr(0, 40);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    const std::string pdf = fileBytes(exportTo("label.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u) << pdf.substr(0, 10);
    EXPECT_EQ(window.errors, Log{});
}

// A 2D symbol exports all of its lines, one em apart: a QR Code of version
// 2 with its quiet zone is 33 modules square, 9 lines (36 module rows) of
// the font string; at 300 dpi the 2 pt module is rounded to 8 whole pixels.
TEST_F(Export, A2DSymbolExportsEveryLineAtWholePixelsPerModule) {
    choose(QR);
    type("A");
    type(Id::typeOptions, "version=2");
    ASSERT_TRUE(window.errors.empty());
    const std::string png = fileBytes(exportTo("qr.png", 300));
    ASSERT_EQ(window.errors, std::vector<std::string>{});
    EXPECT_EQ((std::array{bigEndian32(png, 16), bigEndian32(png, 20)}), (std::array{33u * 8, 36u * 8}));
    EXPECT_TRUE(fs::file_size(exportTo("qr.pdf")) > 0 && window.errors.empty());
}

}  // namespace
}  // namespace bcfont::app
