// Careless uses that once lost data or misreported, run through the built
// binary: exit status, message, the files afterwards, and nothing left over.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "run_bcfont.h"

extern char** environ;

namespace bcfont::test {
namespace {

namespace fs = std::filesystem;

const std::string kInput = "400638133393\nabc\n";
const std::string kEan13Line = "4<ALGDTM=dddjdb>\n";
const std::string kSameFile = "are the same file: writing the output would destroy the input";

struct Fault {
    const char* name;
    // Run in a directory holding t.txt (kInput), `hard` (a hard link to it),
    // `link` -> t.txt, and the dangling links `dangling` -> made.txt and
    // `picture.svg` -> made.svg. "@/" starts a path inside it.
    std::vector<std::string> args;
    RunOptions options;  // cwd is set to the directory
    int status;
    std::string errPart;                                     // contained in standard error
    std::vector<std::pair<std::string, std::string>> files;  // name and contents ("[...]": any rest)
    std::vector<std::string> entries;                        // the directory afterwards, sorted
    std::optional<std::string> input = std::nullopt;         // standard input, when not kInput
};

const std::vector<std::string> kBefore = {"dangling", "hard", "link", "picture.svg", "t.txt"};
const std::vector<std::string> kWithMadeTxt = {"dangling", "hard",        "link",
                                               "made.txt", "picture.svg", "t.txt"};
const std::vector<std::string> kWithMadeSvg = {"dangling", "hard",        "link",
                                               "made.svg", "picture.svg", "t.txt"};
const std::vector<std::string> kWithSvg = {"dangling", "h.svg", "hard", "link", "picture.svg", "t.txt"};
const std::string kTooManyPixels =
    "bcfont: at 1000 points and 1560 dpi the picture would be 32674 x 23205 pixels (759 megapixels), more "
    "than "
    "the 100 megapixels a picture may have; at this size at most 566 dpi fits, or write SVG or PDF, which "
    "have "
    "no pixels\n";
const std::vector<std::string> kWithOut = {"dangling", "hard", "link", "out.txt", "picture.svg", "t.txt"};
const std::vector<std::string> kWithPdf = {"dangling", "hard", "l.pdf", "link", "picture.svg", "t.txt"};
const std::vector<std::string> kLabels = {"labels", "-t", "1", "--template", "Avery L7160", "-o", "l.pdf", "-"};
using namespace std::string_literals;
const std::string kNulCaption = "400638133393\tCap\0tion\n400638133393\tgood\n"s;

// clang-format off
const std::vector<Fault> kFaults = {
    // The output names the input: refused before anything is written.
    {"SameName", {"batch", "-t", "1", "t.txt", "t.txt"}, {}, 2, kSameFile, {{"t.txt", kInput}}, kBefore},
    {"SameThroughDotSlash", {"batch", "-t", "1", "t.txt", "./t.txt"}, {}, 2, kSameFile, {{"t.txt", kInput}}, kBefore},
    {"SameThroughAbsolutePath", {"batch", "-t", "1", "t.txt", "@/t.txt"}, {}, 2, kSameFile, {{"t.txt", kInput}}, kBefore},
    {"SameThroughSymlink", {"batch", "-t", "1", "t.txt", "link"}, {}, 2, kSameFile, {{"t.txt", kInput}}, kBefore},
    {"SameThroughHardLink", {"batch", "-t", "1", "hard", "t.txt"}, {}, 2, kSameFile, {{"t.txt", kInput}, {"hard", kInput}}, kBefore},
    // With standard error closed, messages must not land in the output.
    {"StderrClosed", {"batch", "-t", "1", "-", "out.txt"}, {{}, {}, true}, 1, "", {{"out.txt", kEan13Line}}, kWithOut},
    // Output that never arrived is an error.
    {"TypesToFullDisk", {"types"}, {{}, "/dev/full"}, 2, "bcfont: cannot write to standard output: No space left on device", {}, kBefore},
    {"HelpToFullDisk", {"--help"}, {{}, "/dev/full"}, 2, "bcfont: cannot write to standard output: No space left on device", {}, kBefore},
    {"EncodeToFullDisk", {"encode", "-t", "1", "400638133393"}, {{}, "/dev/full"}, 2, "No space left on device", {}, kBefore},
    // A dangling symbolic link as output: the file it points to is created.
    {"BatchThroughDanglingLink", {"batch", "-t", "1", "t.txt", "dangling"}, {}, 1, "line 2", {{"made.txt", kEan13Line}}, kWithMadeTxt},
    {"RenderThroughDanglingLink", {"render", "-t", "1", "-o", "picture.svg", "400638133393"}, {}, 0, "", {{"made.svg", "<?xml[...]"}}, kWithMadeSvg},
    // A raster too large to hold is refused before it is drawn, with the resolution that fits.
    {"RenderPngTooManyPixels", {"render", "-t", "1", "--size", "1000", "--dpi", "1560", "-o", "h.png", "400638133393"}, {}, 2, kTooManyPixels, {}, kBefore},
    {"RenderSvgAtThatSizeAndResolution", {"render", "-t", "1", "--size", "1000", "--dpi", "1560", "-o", "h.svg", "400638133393"}, {}, 0, "", {{"h.svg", "<?xml[...]"}}, kWithSvg},
    // Sizes and resolutions that are not numbers in range, NaN included.
    {"SizeNan", {"render", "-t", "1", "--size", "nan", "-o", "h.svg", "400638133393"}, {}, 2, "bcfont: --size: must be a number from 1 to 1000, not 'nan'", {}, kBefore},
    {"SizeInfinite", {"render", "-t", "1", "--size", "inf", "-o", "h.svg", "400638133393"}, {}, 2, "bcfont: --size: must be a number from 1 to 1000, not 'inf'", {}, kBefore},
    {"SizeMinusInfinite", {"render", "-t", "1", "--size=-inf", "-o", "h.svg", "400638133393"}, {}, 2, "bcfont: --size: must be a number from 1 to 1000, not '-inf'", {}, kBefore},
    {"SizeNegative", {"render", "-t", "1", "--size=-12", "-o", "h.svg", "400638133393"}, {}, 2, "bcfont: --size: must be a number from 1 to 1000, not '-12'", {}, kBefore},
    {"DpiNan", {"render", "-t", "1", "--dpi", "NaN", "-o", "h.png", "400638133393"}, {}, 2, "bcfont: --dpi: must be a number from 10 to 2400, not 'NaN'", {}, kBefore},
    {"DpiInfinite", {"render", "-t", "1", "--dpi", "inf", "-o", "h.png", "400638133393"}, {}, 2, "bcfont: --dpi: must be a number from 10 to 2400, not 'inf'", {}, kBefore},
    {"DpiNegative", {"render", "-t", "1", "--dpi=-300", "-o", "h.png", "400638133393"}, {}, 2, "bcfont: --dpi: must be a number from 10 to 2400, not '-300'", {}, kBefore},
    // Malformed UTF-8 the decoder once passed on as characters.
    {"Utf8Surrogate", {"encode", "-t", "5", "A\xED\xA0\x80"}, {}, 1, "bcfont: the data is not valid UTF-8 (byte 2)\n", {}, kBefore},
    {"Utf8OverlongThreeBytes", {"encode", "-t", "5", "\xE0\x80\xAF"}, {}, 1, "bcfont: the data is not valid UTF-8 (byte 1)\n", {}, kBefore},
    {"Utf8AboveLastCodePoint", {"encode", "-t", "5", "AB\xF4\x90\x80\x80"}, {}, 1, "bcfont: the data is not valid UTF-8 (byte 3)\n", {}, kBefore},
    // A NUL cut a caption short.
    {"CaptionWithNul", kLabels, {}, 1, "bcfont: line 1: the caption contains a NUL byte\nprinted 1 of 2 lines", {{"l.pdf", "%PDF[...]"}}, kWithPdf, kNulCaption},
    // Data taken other than as typed is said, not hidden; the status stays 0.
    {"BatchReplacedCheckDigit", {"batch", "-t", "1", "-", "out.txt"}, {}, 0,
     "bcfont: line 2: check digit 4 replaced by 1\nconverted 2 of 2 lines; 1 check digit replaced\n", {{"out.txt", kEan13Line + kEan13Line}}, kWithOut,
     "400638133393\n4006381333934\n"},
    {"EncodeEscapeAbove255", {"encode", "-t", "code39", "--no-check", "A~300"}, {}, 0, "bcfont: warning: ~300 is taken as ~044 (',')\n", {}, kBefore},
    {"BatchEscapeAbove255", {"batch", "-t", "code128", "-", "out.txt"}, {}, 0,
     "bcfont: line 1: ~288 is taken as ~032 (a space)\nconverted 1 of 1 line; 1 escape above ~255 taken modulo 256\n", {{"out.txt", "[...]"}}, kWithOut, "a~288b\n"},
    // The label list is read a block at a time: a line is held to its longest, as in batch.
    {"LabelsLineTooLong", kLabels, {}, 1, "bcfont: line 1: longer than 797 bytes, caption included", {{"l.pdf", "%PDF[...]"}}, kWithPdf,
     std::string(5000, '1') + "\n400638133393\n"},
    {"Utf8SurrogateInAddon", {"render", "-t", "1", "-a", "\xED\xBF\xBF", "-o", "h.svg", "400638133393"}, {}, 1, "bcfont: the add-on is not valid UTF-8 (byte 1)\n", {}, kBefore},
};
// clang-format on

void PrintTo(const Fault& f, std::ostream* os) {
    *os << f.name;
}

class FaultTest : public ::testing::TestWithParam<Fault> {};

TEST_P(FaultTest, LosesNothingAndLeavesNothingBehind) {
    const Fault& f = GetParam();
    const TempDir dir;
    dir.write("t.txt", kInput);
    fs::create_symlink("t.txt", dir.path() / "link");
    fs::create_hard_link(dir.path() / "t.txt", dir.path() / "hard");
    fs::create_symlink("made.txt", dir.path() / "dangling");
    fs::create_symlink("made.svg", dir.path() / "picture.svg");
    std::vector<std::string> args = f.args;
    for (auto& a : args)
        if (a.starts_with("@/")) a = (dir.path() / a.substr(2)).string();
    RunOptions options = f.options;
    options.cwd = dir.path();
    const RunResult r = runBcfont(args, f.input.value_or(kInput), options);

    EXPECT_EQ(r.status, f.status) << r.err;
    EXPECT_NE(r.err.find(f.errPart), std::string::npos)
        << "expected \"" << f.errPart << "\" in \"" << r.err << '"';
    for (const auto& [name, contents] : f.files) {
        const std::string actual = readFile(dir.path() / name);
        if (contents.ends_with("[...]")) {
            EXPECT_EQ(actual.substr(0, contents.size() - 5), contents.substr(0, contents.size() - 5)) << name;
        } else {
            EXPECT_EQ(actual, contents) << name;
        }
    }
    EXPECT_EQ(dir.entries(), f.entries);
    for (const char* link : {"link", "dangling", "picture.svg"})
        EXPECT_TRUE(fs::is_symlink(dir.path() / link)) << link;
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// How much process `pid` has written to a file it holds open in `dir`;
// -1 while it holds none.
long long bytesWrittenIn(pid_t pid, const fs::path& dir) {
    const fs::path fds = "/proc/" + std::to_string(pid) + "/fd";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fds, ec)) {
        const fs::path target = fs::read_symlink(entry.path(), ec);
        struct stat st {};
        if (ec || !target.string().starts_with(dir.string() + "/") ||
            ::stat(entry.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        return static_cast<long long>(st.st_size);
    }
    return -1;
}

// kill -9 in the middle of a batch: the output was still unnamed, so the
// directory holds exactly what it held before.
TEST(KilledBatch, LeavesNoFileBehind) {
    const TempDir dir;
    const fs::path fifo = dir.path() / "in.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    dir.write("out.txt", "old\n");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> argv = {BCFONT_EXE, "batch",       "-t",
                                     "1",        fifo.string(), (dir.path() / "out.txt").string()};
    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, BCFONT_EXE, &actions, nullptr, cargv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    // Kept open, so bcfont waits for more input with its output half written.
    const int writer = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    std::string lines;
    for (int i = 0; i < 20000; ++i) lines += "400638133393\n";
    ASSERT_EQ(::write(writer, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    long long written = -1;
    for (int i = 0; i < 500 && written <= 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        written = bytesWrittenIn(pid, dir.path());
    }
    EXPECT_GT(written, 0) << "bcfont did not start writing";
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(writer);

    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.fifo", "out.txt"}));
    EXPECT_EQ(readFile(dir.path() / "out.txt"), "old\n");
}

}  // namespace
}  // namespace bcfont::test
