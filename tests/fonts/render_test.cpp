// The renderer and `bcfont render`: the three formats, resolution and size,
// files that appear whole or not at all, exit statuses and messages.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "encode.h"
#include "render.h"
#include "run_bcfont.h"

namespace bcfont::test {
namespace {

namespace fs = std::filesystem;

// What stands at the output path before the renderer runs.
enum class Before { Nothing, OldFile, Directory, LinkToOldFile };

struct RenderRow {
    const char* name;
    std::string fontString;
    const char* family;
    double pointSize;
    int dpi;
    const char* fileName;  // in a fresh directory, unless absolute
    Before before;
    const char* messagePart;           // empty: the picture is written
    std::string_view magic = {};       // the written file's first bytes
    std::uint32_t pixelsPerMetre = 0;  // of the PNG's pHYs chunk; 0: not a PNG
};

// clang-format off
const std::string kCode128 = encode(C128, "ABC", "", true).value_or("");
const std::string kEan13 = encode(EAN13, "400638133393", "", true).value_or("");
constexpr std::string_view kPng = "\x89PNG\r\n\x1a\n";
const RenderRow kRenderRows[] = {
    {"empty font string", "", "Code 128", 30, 300, "x.png", Before::Nothing, "nothing to draw"},
    {"unknown extension", kCode128, "Code 128", 30, 300, "x.gif", Before::Nothing, "name it .svg, .png or .pdf"},
    {"no extension", kCode128, "Code 128", 30, 300, "barcode", Before::Nothing, "name it .svg, .png or .pdf"},
    {"size zero", kCode128, "Code 128", 0, 300, "x.svg", Before::Nothing, "size must lie between"},
    {"size too large", kCode128, "Code 128", 5000, 300, "x.svg", Before::Nothing, "size must lie between"},
    {"resolution too low", kCode128, "Code 128", 30, 5, "x.png", Before::Nothing, "resolution must lie between"},
    {"face bcfont does not have", kCode128, "Code 93", 30, 300, "x.png", Before::Nothing, "font \"Code 93\" not found"},
    {"byte the face has no glyph for", "\x01", "Code 128", 30, 300, "x.pdf", Before::Nothing, "no glyph for byte 1"},
    {"picture too large", kCode128, "Code 128", 1000, 2400, "x.png", Before::Nothing, "pixels"},
    {"failure keeps the old file", "\x01", "Code 128", 30, 300, "barcode.png", Before::OldFile, "no glyph for byte 1"},
    {"directory in the way", kCode128, "Code 128", 30, 300, "a.png", Before::Directory, "not a regular file"},
    {"unwritable directory", kCode128, "Code 128", 30, 300, "/nonexistent-bcfont-dir/x.svg", Before::Nothing, "cannot write '/nonexistent-bcfont-dir/x.svg': the folder '/nonexistent-bcfont-dir' does not exist"},
    {"svg", kEan13, "Code EAN", 72, 300, "a.svg", Before::Nothing, "", "<?xml"},
    {"png at 72 dpi", kEan13, "Code EAN", 72, 72, "a.png", Before::Nothing, "", kPng, 2835},
    {"extension in capitals", kEan13, "Code EAN", 72, 300, "A.PNG", Before::Nothing, "", kPng, 11811},
    {"png replaces the old file", kEan13, "Code EAN", 72, 600, "a.png", Before::OldFile, "", kPng, 23622},
    {"pdf", kEan13, "Code EAN", 72, 300, "a.pdf", Before::Nothing, "", "%PDF-"},
    // A symbolic link keeps pointing at the picture.
    {"through a symbolic link", kEan13, "Code EAN", 72, 300, "link.png", Before::LinkToOldFile, "", kPng, 11811},
};
// clang-format on

TEST(RenderToFile, WrittenWholeWithTheUsualPermissionsOrNotAtAllWithTheReason) {
    for (const auto& row : kRenderRows) {
        SCOPED_TRACE(row.name);
        const TempDir dir;
        const fs::path target = dir.path() / row.fileName;
        if (row.before == Before::OldFile) dir.write(row.fileName, "old contents");
        if (row.before == Before::Directory) fs::create_directory(target);
        if (row.before == Before::LinkToOldFile)
            fs::create_symlink(dir.write("real.png", "old contents"), target);
        const std::size_t entriesBefore = dir.entries().size();
        const mode_t previous = ::umask(022);
        const std::string error =
            render::renderToFile(row.fontString, row.family, row.pointSize, row.dpi, target);
        ::umask(previous);
        const std::string bytes = readFile(target);
        EXPECT_EQ(error.empty(), *row.messagePart == '\0') << error;
        EXPECT_NE(error.find(row.messagePart), std::string::npos)
            << "expected a message containing \"" << row.messagePart << "\", got \"" << error << "\"";
        const bool created = error.empty() && row.before == Before::Nothing;
        EXPECT_EQ(dir.entries().size(), entriesBefore + (created ? 1 : 0)) << "stray files";
        if (!error.empty()) {
            EXPECT_EQ(bytes, row.before == Before::OldFile ? "old contents" : "");
            EXPECT_EQ(fs::is_directory(target), row.before == Before::Directory);
            continue;
        }
        EXPECT_EQ(bytes.substr(0, row.magic.size()), row.magic);
        EXPECT_EQ(fs::is_symlink(target), row.before == Before::LinkToOldFile);
        EXPECT_EQ(fs::status(target).permissions(), fs::perms(0644)) << "the usual permissions";
        if (row.pixelsPerMetre != 0) {
            const auto at = bytes.find("pHYs");
            ASSERT_NE(at, std::string::npos) << "no pHYs chunk";
            std::uint32_t x = 0;
            for (int i = 0; i < 4; ++i) x = (x << 8) | static_cast<unsigned char>(bytes[at + 4 + i]);
            EXPECT_EQ(x, row.pixelsPerMetre);
            EXPECT_EQ(bytes[at + 12], '\x01') << "unit must be the metre";
        }
        if (row.magic == "<?xml") {
            const auto at = bytes.find("width=\"");
            ASSERT_NE(at, std::string::npos);
            const auto layout = render::layoutFor(row.fontString, row.family, row.pointSize);
            EXPECT_NEAR(std::stod(bytes.substr(at + 7)), layout->width, 0.01);
            EXPECT_NE(bytes.find("pt\"", at), std::string::npos) << "width is not given in points";
        }
    }
}

// ---------------------------------------------------------------- `bcfont render` as a user runs it

struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* output;  // passed with -o in a fresh directory; empty: no -o
    int status;
    const char* stderrPart;         // empty: stderr must be empty
    bool written;                   // the output file exists afterwards, else nothing may be written
    const char* fontDir = nullptr;  // BCFONT_FONT_DIR for this run; null: the build's fonts
};

// clang-format off
const Row kRows[] = {
    {"EAN-13 by name", {"--type", "ean13", "400638133393"}, "a.png", 0, "", true},
    {"EAN-13 with add-on", {"--type", "1", "--addon", "12", "400638133393"}, "a.svg", 0, "", true},
    {"Code 39 high density, half height", {"--type", "code39", "--half-height", "--high-density", "a b"}, "a.pdf", 0, "", true},
    {"Code 128 without check at a size", {"--type", "5", "--no-check", "--size", "12", "--dpi", "150", "Hello"}, "a.png", 0, "scanners will not read a Code 128 symbol", true},
    {"Postnet ignores the options", {"--type", "postnet", "--half-height", "12345"}, "a.png", 0, "", true},
    {"rejected data", {"--type", "ean13", "40063813339x"}, "a.png", 1, "EAN-13", false},
    {"character Mac OS Roman lacks", {"--type", "code128", "ĀB"}, "a.png", 1, "Mac OS Roman", false},
    {"unknown type", {"--type", "ean14", "1234"}, "a.png", 2, "unknown type 'ean14'", false},
    {"unknown file format", {"--type", "ean8", "1234567"}, "a.jpg", 2, "name it .svg, .png or .pdf", false},
    {"add-on on another symbology", {"--type", "upca", "--addon", "12", "03600029145"}, "a.png", 0, "only EAN-13 takes an add-on", true},
    {"resolution out of range", {"--type", "ean8", "--dpi", "5", "1234567"}, "a.png", 2, "--dpi", false},
    {"no output file", {"--type", "ean8", "1234567"}, "", 2, "--output", false},
    // The message names the family, its file and where it was looked for.
    {"missing fonts", {"--type", "ean8", "1234567"}, "a.png", 2, "font \"Code EAN\" not found: no CodeEAN.ttf in /nonexistent-bcfont-fonts", false, "/nonexistent-bcfont-fonts"},
};
// clang-format on

TEST(RenderCommand, StatusMessageAndFile) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const TempDir dir;
        std::vector<std::string> args = {"render"};
        if (*row.output) args.insert(args.end(), {"-o", dir.path() / row.output});
        args.insert(args.end(), row.args.begin(), row.args.end());
        const std::string fontDir = std::getenv("BCFONT_FONT_DIR") ? std::getenv("BCFONT_FONT_DIR") : "";
        if (row.fontDir) ::setenv("BCFONT_FONT_DIR", row.fontDir, 1);
        const RunResult r = runBcfont(args);
        ::setenv("BCFONT_FONT_DIR", fontDir.c_str(), 1);
        EXPECT_EQ(r.status, row.status) << "stderr: " << r.err;
        EXPECT_EQ(r.err.empty(), *row.stderrPart == '\0') << r.err;
        EXPECT_NE(r.err.find(row.stderrPart), std::string::npos) << "expected \"" << row.stderrPart << "\"";
        EXPECT_EQ(dir.entries().size(), row.written ? 1u : 0u) << "stray files, or a failed run wrote one";
        EXPECT_EQ(readFile(dir.path() / row.output).size() > 100, row.written);
    }
}

}  // namespace
}  // namespace bcfont::test
