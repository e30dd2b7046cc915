// `bcfont render` as a user runs it: exit statuses, messages and files.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace bcfont::test {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string stderrText;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs bcfont with `args` (already quoted for the shell) in `dir`.
Outcome runBcfont(const fs::path& dir, const std::string& args, const std::string& env = "") {
    const fs::path err = dir / "stderr.txt";
    const std::string command = "cd '" + dir.string() + "' && " + env + " '" + BCFONT_EXE + "' render " +
                                args + " >/dev/null 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    Outcome out;
    out.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    out.stderrText = readFile(err);
    fs::remove(err);
    return out;
}

struct Row {
    const char* name;
    const char* args;
    const char* env;
    int status;
    const char* stderrPart;  // empty: stderr must be empty
    const char* file;        // must exist afterwards; nullptr: nothing may be written
};

constexpr std::array<Row, 14> kRows = {{
    {"EAN-13 by name", "--type ean13 -o a.png 400638133393", "", 0, "", "a.png"},
    {"EAN-13 with add-on", "--type 1 --addon 12 -o a.svg 400638133393", "", 0, "", "a.svg"},
    {"Code 39 high density, half height", "--type code39 --half-height --high-density -o a.pdf 'a b'", "", 0,
     "", "a.pdf"},
    {"Code 128 without check at a size", "--type 5 --no-check --size 12 --dpi 150 -o a.png 'Hello'", "", 0,
     "warning: without its check character", "a.png"},
    {"Postnet ignores the options", "--type postnet --half-height -o a.png 12345", "", 0, "", "a.png"},
    {"accented letter Code 128 rejects", "--type code128 -o a.png 'é'", "", 1, "bcfont render: ", nullptr},
    {"rejected data", "--type ean13 -o a.png 40063813339x", "", 1, "EAN-13", nullptr},
    {"character Mac OS Roman lacks", "--type code128 -o a.png 'ĀB'", "", 1, "Mac OS Roman", nullptr},
    {"unknown type", "--type ean14 -o a.png 1234", "", 2, "unknown type \"ean14\"", nullptr},
    {"unknown file format", "--type ean8 -o a.jpg 1234567", "", 2, "name it .svg, .png or .pdf", nullptr},
    {"add-on on another symbology", "--type upca --addon 12 -o a.png 03600029145", "", 2, "only for EAN-13",
     nullptr},
    {"resolution out of range", "--type ean8 --dpi 5 -o a.png 1234567", "", 2, "--dpi", nullptr},
    {"no output file", "--type ean8 1234567", "", 2, "--output", nullptr},
    {"fonts missing", "--type ean8 -o a.png 1234567", "BCFONT_FONT_DIR=/nonexistent-bcfont-fonts", 2,
     "font \"Code EAN\" not found", nullptr},
}};

TEST(RenderCommand, StatusMessageAndFile) {
    for (const Row& row : kRows) {
        const fs::path dir = fs::temp_directory_path() / ("bcfont-render-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        const Outcome out = runBcfont(dir, row.args, row.env);
        EXPECT_EQ(out.status, row.status) << row.name << "; stderr: " << out.stderrText;
        if (*row.stderrPart == '\0') {
            EXPECT_EQ(out.stderrText, "") << row.name;
        } else {
            EXPECT_NE(out.stderrText.find(row.stderrPart), std::string::npos)
                << row.name << ": expected \"" << row.stderrPart << "\" in stderr: " << out.stderrText;
        }
        std::size_t files = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
        if (row.file != nullptr) {
            EXPECT_GT(fs::file_size(dir / row.file), 100u) << row.name;
            EXPECT_EQ(files, 1u) << row.name << ": stray files beside the output";
        } else {
            EXPECT_EQ(files, 0u) << row.name << ": a failed run wrote a file";
        }
        fs::remove_all(dir);
    }
}

}  // namespace
}  // namespace bcfont::test
