// The renderer: quiet zones as the symbology standards ask, the three file
// formats, and files that appear whole or not at all.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "encode.h"
#include "render.h"
#include "scan_support.h"
#include "symbology.h"

namespace bcfont::test {
namespace {

namespace fs = std::filesystem;

// A fresh empty directory for one test, removed afterwards.
class TempDir {
  public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                ("bcfont-render-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename().string());
        return names;
    }

  private:
    fs::path path_;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string fontStringOf(CodeType type, std::string_view data, std::string_view addon = "") {
    return encode(type, data, addon, true).value_or("");
}

// ---------------------------------------------------------------- rejected requests

struct BadRequest {
    const char* name;
    std::string fontString;
    const char* family;
    double pointSize;
    int dpi;
    const char* fileName;
    const char* expectedMessagePart;
};

TEST(RenderErrors, NothingIsWrittenAndTheMessageSaysWhy) {
    const std::string code128 = fontStringOf(C128, "ABC");
    const std::vector<BadRequest> rows = {
        {"empty font string", "", "Code 128", 30, 300, "x.png", "nothing to draw"},
        {"unknown extension", code128, "Code 128", 30, 300, "x.gif", "name it .svg, .png or .pdf"},
        {"no extension", code128, "Code 128", 30, 300, "barcode", "name it .svg, .png or .pdf"},
        {"size zero", code128, "Code 128", 0, 300, "x.svg", "size must lie between"},
        {"size too large", code128, "Code 128", 5000, 300, "x.svg", "size must lie between"},
        {"resolution too low", code128, "Code 128", 30, 5, "x.png", "resolution must lie between"},
        {"face bcfont does not have", code128, "Code 93", 30, 300, "x.png", "font \"Code 93\" not found"},
        {"byte the face has no glyph for", "\x01", "Code 128", 30, 300, "x.pdf", "no glyph for byte 1"},
        {"picture too large", code128, "Code 128", 1000, 2400, "x.png", "pixels"},
    };
    for (const auto& row : rows) {
        TempDir dir;
        const std::string error = render::renderToFile(row.fontString, row.family, row.pointSize, row.dpi,
                                                       (dir.path() / row.fileName).string());
        EXPECT_NE(error.find(row.expectedMessagePart), std::string::npos)
            << row.name << ": expected a message containing \"" << row.expectedMessagePart << "\", got \""
            << error << "\"";
        EXPECT_TRUE(dir.entries().empty())
            << row.name << ": left " << dir.entries().size() << " files behind";
    }
}

TEST(RenderErrors, MissingFontNamesTheFamilyAndTheDirectory) {
    TempDir dir;
    const char* previous = std::getenv("BCFONT_FONT_DIR");
    const std::string saved = previous ? previous : "";
    ::setenv("BCFONT_FONT_DIR", dir.path().c_str(), 1);
    std::string error;
    const auto image = render::renderGray("ABC", "Code 93", 30, 300, &error);
    if (previous) {
        ::setenv("BCFONT_FONT_DIR", saved.c_str(), 1);
    } else {
        ::unsetenv("BCFONT_FONT_DIR");
    }
    EXPECT_FALSE(image);
    for (const std::string& part :
         {std::string("\"Code 93\""), std::string("Code93.ttf"), dir.path().string()})
        EXPECT_NE(error.find(part), std::string::npos) << "\"" << part << "\" missing from: " << error;
}

TEST(RenderErrors, FailedRenderKeepsTheOldFile) {
    TempDir dir;
    const fs::path target = dir.path() / "barcode.png";
    std::ofstream(target) << "old contents";
    const std::string error = render::renderToFile("\x01", "Code 128", 30, 300, target.string());
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readFile(target), "old contents");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"barcode.png"});
}

TEST(RenderErrors, UnwritableDirectoryIsReported) {
    const std::string error =
        render::renderToFile(fontStringOf(C128, "ABC"), "Code 128", 30, 300, "/nonexistent-bcfont-dir/x.svg");
    EXPECT_NE(error.find("cannot write /nonexistent-bcfont-dir/x.svg"), std::string::npos) << error;
}

TEST(RenderErrors, DirectoryInTheWayIsReported) {
    TempDir dir;
    fs::create_directory(dir.path() / "a.png");
    const std::string error =
        render::renderToFile(fontStringOf(C128, "ABC"), "Code 128", 30, 300, (dir.path() / "a.png").string());
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(dir.path() / "a.png"));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.png"});
}

TEST(RenderFiles, SymbolicLinkKeepsPointingAtThePicture) {
    TempDir dir;
    std::ofstream(dir.path() / "real.png") << "old contents";
    fs::create_symlink("real.png", dir.path() / "link.png");
    ASSERT_EQ(render::renderToFile(fontStringOf(C128, "ABC"), "Code 128", 30, 300,
                                   (dir.path() / "link.png").string()),
              "");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.png"));
    EXPECT_EQ(readFile(dir.path() / "real.png").substr(0, 4), "\x89PNG");
}

TEST(RenderFiles, NewFileGetsTheUsualPermissions) {
    TempDir dir;
    const mode_t previous = ::umask(022);
    const std::string error =
        render::renderToFile(fontStringOf(C128, "ABC"), "Code 128", 30, 300, (dir.path() / "a.svg").string());
    ::umask(previous);
    ASSERT_EQ(error, "");
    const auto perms = fs::status(dir.path() / "a.svg").permissions();
    EXPECT_EQ(perms, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                         fs::perms::others_read);
}

// ---------------------------------------------------------------- file formats

struct FormatRow {
    const char* fileName;
    std::string_view magic;
};

TEST(RenderFormats, ExtensionPicksTheFormat) {
    constexpr std::array<FormatRow, 5> rows = {{
        {"a.svg", "<?xml"},
        {"a.png", "\x89PNG\r\n\x1a\n"},
        {"a.pdf", "%PDF-"},
        {"A.PNG", "\x89PNG\r\n\x1a\n"},
        {"a.Svg", "<?xml"},
    }};
    for (const auto& row : rows) {
        TempDir dir;
        const fs::path target = dir.path() / row.fileName;
        const std::string error =
            render::renderToFile(fontStringOf(EAN13, "400638133393"), "Code EAN", 72, 300, target.string());
        ASSERT_EQ(error, "") << row.fileName;
        EXPECT_EQ(readFile(target).substr(0, row.magic.size()), row.magic) << row.fileName;
        EXPECT_EQ(dir.entries(), std::vector<std::string>{row.fileName}) << row.fileName;
    }
}

// The pHYs chunk of a PNG written at `dpi`, read back: pixels per metre.
TEST(RenderFormats, PngRecordsItsResolution) {
    struct Row {
        int dpi;
        std::uint32_t pixelsPerMetre;
    };
    constexpr std::array<Row, 3> rows = {{{72, 2835}, {300, 11811}, {600, 23622}}};
    for (const auto& row : rows) {
        TempDir dir;
        const fs::path target = dir.path() / "a.png";
        ASSERT_EQ(render::renderToFile(fontStringOf(C128, "ABC"), "Code 128", 30, row.dpi, target.string()),
                  "");
        const std::string png = readFile(target);
        const auto at = png.find("pHYs");
        ASSERT_NE(at, std::string::npos) << row.dpi << " dpi: no pHYs chunk";
        std::uint32_t x = 0;
        for (int i = 0; i < 4; ++i) x = (x << 8) | static_cast<unsigned char>(png[at + 4 + i]);
        EXPECT_EQ(x, row.pixelsPerMetre) << row.dpi << " dpi";
        EXPECT_EQ(png[at + 12], '\x01') << row.dpi << " dpi: unit must be the metre";
    }
}

TEST(RenderFormats, SvgHasTheSizeOfTheLayoutInPoints) {
    TempDir dir;
    const std::string fontString = fontStringOf(C39, "CODE39");
    const auto layout = render::layoutFor(fontString, "Code 39", 30);
    ASSERT_TRUE(layout);
    const fs::path target = dir.path() / "a.svg";
    ASSERT_EQ(render::renderToFile(fontString, "Code 39", 30, 300, target.string()), "");
    const std::string svg = readFile(target);
    const auto at = svg.find("width=\"");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NEAR(std::stod(svg.substr(at + 7)), layout->width, 0.01);
    EXPECT_NE(svg.find("pt\"", at), std::string::npos) << "width is not given in points";
}

// ---------------------------------------------------------------- quiet zones

// Minimum quiet zones in modules (narrow elements) from the symbology
// standards: EAN-13 11 left and 7 right, 5 behind an add-on; EAN-8 7 and 7;
// UPC-A 9 and 9; UPC-E 9 left and 7 right; the others 10 each.
struct QuietRow {
    const char* name;
    CodeType type;
    const char* data;
    const char* addon;
    int leftModules;
    int rightModules;
};

constexpr std::array<QuietRow, 9> kQuietZones = {{
    {"EAN-13", EAN13, "400638133393", "", 11, 7},
    {"EAN-13 with add-on", EAN13, "400638133393", "12", 11, 5},
    {"EAN-8", EAN8, "5512345", "", 7, 7},
    {"UPC-A", UPCA, "03600029145", "", 9, 9},
    {"UPC-E", UPCE, "0123456", "", 9, 7},
    {"Code 39", C39, "CODE39", "", 10, 10},
    {"Code 128", C128, "ABC", "", 10, 10},
    {"2 of 5 Interleaved", TOFIL, "123456", "", 10, 10},
    {"Codabar", CODABAR, "123", "", 10, 10},
}};
// More white than this beyond the minimum wastes label space.
constexpr int kMaxExtraQuietModules = 12;

TEST(RenderQuietZones, AtLeastTheStandardMinimum) {
    constexpr double kFineDpi = 600;
    for (const auto& row : kQuietZones) {
        const auto font = fontFor(row.type, false, false);
        const auto image = render::renderGray(fontStringOf(row.type, row.data, row.addon), font.family,
                                              font.pointSize, kFineDpi);
        ASSERT_TRUE(image) << row.name;
        // A row through the bars above any human-readable digits.
        const auto [top, bottom] = inkRows(*image);
        const auto runs = runsOfRow(*image, top + (bottom - top) / 5);
        ASSERT_GE(runs.size(), 3u) << row.name;
        int narrow = image->width;
        for (const PixelRun& r : runs) {
            if (r.black) narrow = std::min(narrow, r.length);
        }
        const double left = static_cast<double>(runs.front().length) / narrow;
        const double right = static_cast<double>(runs.back().length) / narrow;
        EXPECT_GE(left, row.leftModules - 0.5) << row.name << ": left quiet zone in modules";
        EXPECT_GE(right, row.rightModules - 0.5) << row.name << ": right quiet zone in modules";
        EXPECT_LE(left, row.leftModules + kMaxExtraQuietModules)
            << row.name << ": left quiet zone in modules";
        EXPECT_LE(right, row.rightModules + kMaxExtraQuietModules)
            << row.name << ": right quiet zone in modules";
    }
}

}  // namespace
}  // namespace bcfont::test
