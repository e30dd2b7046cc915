// Careless uses that once lost data or misreported, run through the built
// binary: exit status, message, the files afterwards, and nothing left over.
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
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
const std::string kLocked =
    "bcfont: will not replace 'locked.svg': it is write-protected (mode 0444); --force replaces it\n";

// A file the test expects; "<stdout>" is what went to standard output.
struct Expected {
    std::string name;
    std::string contents;  // "[...]" at the end: any rest
    unsigned mode = 0;     // checked when not 0
    bool nobodys = false;  // owned by nobody and nobody's group (checked as root)
};

struct Fault {
    const char* name;
    // Run in a directory holding t.txt (kInput), `hard` (a hard link to it),
    // `link` -> t.txt, the dangling links `dangling` -> made.txt and
    // `picture.svg` -> made.svg, log.txt ("old line\n"), locked.svg ("old\n",
    // mode 0444) and nobodys.svg ("old\n", mode 0640, owned by nobody as
    // root). "@/" starts a path inside it, also for the standard streams.
    std::vector<std::string> args;
    RunOptions options;  // cwd is set to the directory
    int status;
    std::string errPart;  // contained in standard error
    std::vector<Expected> files;
    std::vector<std::string> entries;  // the directory afterwards, sorted
    std::optional<std::string> input = std::nullopt;  // standard input, when not kInput
};

const std::vector<std::string> kBefore = {"dangling", "hard",        "link",        "locked.svg",
                                          "log.txt",  "nobodys.svg", "picture.svg", "t.txt"};

std::vector<std::string> beforeAnd(const std::string& name) {
    std::vector<std::string> entries = kBefore;
    entries.push_back(name);
    std::sort(entries.begin(), entries.end());
    return entries;
}

const std::vector<std::string> kWithMadeTxt = beforeAnd("made.txt");
const std::vector<std::string> kWithMadeSvg = beforeAnd("made.svg");
const std::vector<std::string> kWithSvg = beforeAnd("h.svg");
const std::vector<std::string> kWithPng = beforeAnd("h.png");
const std::vector<std::string> kWithOut = beforeAnd("out.txt");
const std::string kTooManyPixels =
    "bcfont: at 1000 points and 1560 dpi the picture would be 32674 x 23205 pixels (759 megapixels), more "
    "than "
    "the 100 megapixels a picture may have; at this size at most 566 dpi fits, or write SVG or PDF, which "
    "have "
    "no pixels\n";
const std::string kOld = "old\n";
const std::string kLog = "old line\n";
const RunOptions kStdinIsT{{}, {}, false, "@/t.txt"};
const RunOptions kStdoutAppendsToT{{}, "@/t.txt", false, {}, true};
const RunOptions kStdoutAppendsToLog{{}, "@/log.txt", false, {}, true};
const RunOptions kStdoutPipe{{}, {}, false, {}, false, true};
#define L7160 "labels", "-t", "1", "--template", "Avery L7160"
#define RENDER "render", "-t", "1", "400638133393", "-o"
const std::vector<std::string> kWithPdf = beforeAnd("l.pdf");
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
    // ... also when one side is a standard stream redirected to the other.
    {"BatchStdinIsOutput", {"batch", "-t", "1", "-", "t.txt"}, kStdinIsT, 2, "bcfont: standard input and 't.txt' " + kSameFile, {{"t.txt", kInput}}, kBefore},
    {"LabelsStdinIsOutput", {L7160, "-o", "t.txt", "-"}, kStdinIsT, 2, "bcfont: standard input and 't.txt' " + kSameFile, {{"t.txt", kInput}}, kBefore},
    {"BatchStdoutAppendsToInput", {"batch", "-t", "1", "t.txt", "-"}, kStdoutAppendsToT, 2, "bcfont: 't.txt' and standard output " + kSameFile, {{"t.txt", kInput}}, kBefore},
    {"BatchDevStdoutAppendsToInput", {"batch", "-t", "1", "t.txt", "/dev/stdout"}, kStdoutAppendsToT, 2, "bcfont: 't.txt' and '/dev/stdout' " + kSameFile, {{"t.txt", kInput}}, kBefore},
    // A descriptor's name is written through, never replaced.
    {"DevStdoutToPipe", {"batch", "-t", "1", "t.txt", "/dev/stdout"}, kStdoutPipe, 1, "line 2", {{"<stdout>", kEan13Line}}, kBefore},
    {"DevStdoutAppendsToLog", {"batch", "-t", "1", "t.txt", "/dev/stdout"}, kStdoutAppendsToLog, 1, "line 2", {{"log.txt", kLog + kEan13Line}}, kBefore},
    {"ProcSelfFdAppendsToLog", {"batch", "-t", "1", "t.txt", "/proc/self/fd/1"}, kStdoutAppendsToLog, 1, "line 2", {{"log.txt", kLog + kEan13Line}}, kBefore},
    {"DevFdTwoIsStderr", {"batch", "-t", "1", "t.txt", "/dev/fd/2"}, {}, 1, kEan13Line, {}, kBefore},
    {"DescriptorNotOpen", {"batch", "-t", "1", "t.txt", "/dev/fd/200"}, {}, 2, "bcfont: cannot write '/dev/fd/200': descriptor 200 is not open\n", {}, kBefore},
    {"LabelsDashIsStdout", {L7160, "-o", "-", "t.txt"}, kStdoutPipe, 1, "line 2", {{"<stdout>", "%PDF-[...]"}}, kBefore},
    // A write-protected file is kept unless --force is given; the mode stays.
    {"BatchLocked", {"batch", "-t", "1", "t.txt", "locked.svg"}, {}, 2, kLocked, {{"locked.svg", kOld, 0444}}, kBefore},
    {"RenderLocked", {RENDER, "locked.svg"}, {}, 2, kLocked, {{"locked.svg", kOld, 0444}}, kBefore},
    {"LabelsLocked", {L7160, "-o", "locked.svg", "t.txt"}, {}, 2, kLocked, {{"locked.svg", kOld, 0444}}, kBefore},
    {"BatchLockedForced", {"batch", "--force", "-t", "1", "t.txt", "locked.svg"}, {}, 1, "line 2", {{"locked.svg", kEan13Line, 0444}}, kBefore},
    // Another user's file, replaced as root, stays theirs with its mode.
    {"BatchKeepsOwner", {"batch", "-t", "1", "t.txt", "nobodys.svg"}, {}, 1, "line 2", {{"nobodys.svg", kEan13Line, 0640, true}}, kBefore},
    {"RenderKeepsOwner", {RENDER, "nobodys.svg"}, {}, 0, "", {{"nobodys.svg", "<?xml[...]", 0640, true}}, kBefore},
    {"LabelsKeepsOwner", {L7160, "-o", "nobodys.svg", "t.txt"}, {}, 1, "line 2", {{"nobodys.svg", "%PDF-[...]", 0640, true}}, kBefore},
    // With standard error closed, messages must not land in the output.
    {"StderrClosed", {"batch", "-t", "1", "-", "out.txt"}, {{}, {}, true}, 1, "", {{"out.txt", kEan13Line}}, kWithOut},
    // Output that never arrived is an error.
    {"TypesToFullDisk", {"types"}, {{}, "/dev/full"}, 2, "bcfont: cannot write to standard output: No space left on device", {}, kBefore},
    {"HelpToFullDisk", {"--help"}, {{}, "/dev/full"}, 2, "bcfont: cannot write to standard output: No space left on device", {}, kBefore},
    {"EncodeToFullDisk", {"encode", "-t", "1", "400638133393"}, {{}, "/dev/full"}, 2, "No space left on device", {}, kBefore},
    // A dangling symbolic link as output: the file it points to is created.
    {"BatchThroughDanglingLink", {"batch", "-t", "1", "t.txt", "dangling"}, {}, 1, "line 2", {{"made.txt", kEan13Line}}, kWithMadeTxt},
    {"RenderThroughDanglingLink", {RENDER, "picture.svg"}, {}, 0, "", {{"made.svg", "<?xml[...]"}}, kWithMadeSvg},
    // A raster too large to hold is refused before it is drawn, with the resolution that fits.
    {"RenderPngTooManyPixels", {RENDER, "h.png", "--size", "1000", "--dpi", "1560"}, {}, 2, kTooManyPixels, {}, kBefore},
    {"RenderSvgAtThatSizeAndResolution", {RENDER, "h.svg", "--size", "1000", "--dpi", "1560"}, {}, 0, "", {{"h.svg", "<?xml[...]"}}, kWithSvg},
    // Every numeric option out of range, or not a number, NaN included: one short line naming the range.
    {"SizeNan", {RENDER, "h.svg", "--size", "nan"}, {}, 2, "bcfont: --size must be 1 to 1000, not 'nan'\n", {}, kBefore},
    {"SizeMinusInfinite", {RENDER, "h.svg", "--size=-inf"}, {}, 2, "bcfont: --size must be 1 to 1000, not '-inf'\n", {}, kBefore},
    {"DpiNegative", {RENDER, "h.png", "--dpi=-300"}, {}, 2, "bcfont: --dpi must be 10 to 2400, not -300\n", {}, kBefore},
    {"DpiFraction", {RENDER, "h.png", "--dpi", "300.5"}, {}, 2, "bcfont: --dpi must be a whole number from 10 to 2400, not 300.5\n", {}, kBefore},
    {"SkipNegative", {L7160, "--skip", "-1", "-o", "x.pdf", "t.txt"}, {}, 2, "bcfont: --skip must be 0 to 20 for Avery L7160, not -1\n", {}, kBefore},
    {"SkipPastTheSheet", {L7160, "--skip", "21", "-o", "x.pdf", "t.txt"}, {}, 2, "bcfont: --skip must be 0 to 20 for Avery L7160, not 21\n", {}, kBefore},
    {"CopiesZero", {L7160, "--copies", "0", "-o", "x.pdf", "t.txt"}, {}, 2, "bcfont: --copies must be 1 to 1000, not 0\n", {}, kBefore},
    {"CopiesWord", {L7160, "--copies", "two", "-o", "x.pdf", "t.txt"}, {}, 2, "bcfont: --copies must be 1 to 1000, not 'two'\n", {}, kBefore},
    {"CopiesBeyondDouble", {L7160, "--copies", "1" + std::string(400, '0'), "-o", "x.pdf", "t.txt"}, {}, 2, "bcfont: --copies must be 1 to 1000, not '1" + std::string(39, '0') + "...'\n", {}, kBefore},
    // Blanks around a number are ignored, before it as after it.
    {"DpiLeadingBlank", {RENDER, "h.png", "--dpi", " 12"}, {}, 0, "", {{"h.png", "\x89PNG[...]"}}, kWithPng},
    {"DpiTrailingBlank", {RENDER, "h.png", "--dpi", "12 "}, {}, 0, "", {{"h.png", "\x89PNG[...]"}}, kWithPng},
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
#undef L7160
#undef RENDER

void PrintTo(const Fault& f, std::ostream* os) {
    *os << f.name;
}

class FaultTest : public ::testing::TestWithParam<Fault> {};

std::string inside(const fs::path& dir, const std::string& name) {
    return name.starts_with("@/") ? (dir / name.substr(2)).string() : name;
}

TEST_P(FaultTest, LosesNothingAndLeavesNothingBehind) {
    const Fault& f = GetParam();
    const struct passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    const bool asRoot = ::geteuid() == 0;
    const TempDir dir;
    dir.write("t.txt", kInput);
    dir.write("log.txt", kLog);
    ::chmod(dir.write("locked.svg", kOld).c_str(), 0444);
    ::chmod(dir.write("nobodys.svg", kOld).c_str(), 0640);
    if (asRoot) {
        ASSERT_EQ(::chown((dir.path() / "nobodys.svg").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    fs::create_symlink("t.txt", dir.path() / "link");
    fs::create_hard_link(dir.path() / "t.txt", dir.path() / "hard");
    fs::create_symlink("made.txt", dir.path() / "dangling");
    fs::create_symlink("made.svg", dir.path() / "picture.svg");
    std::vector<std::string> args = f.args;
    for (auto& a : args) a = inside(dir.path(), a);
    RunOptions options = f.options;
    options.cwd = dir.path();
    options.stdinPath = inside(dir.path(), options.stdinPath);
    options.stdoutPath = inside(dir.path(), options.stdoutPath);
    const RunResult r = runBcfont(args, f.input.value_or(kInput), options);

    EXPECT_EQ(r.status, f.status) << r.err;
    EXPECT_NE(r.err.find(f.errPart), std::string::npos)
        << "expected \"" << f.errPart << "\" in \"" << r.err << '"';
    for (const Expected& e : f.files) {
        const std::string actual = e.name == "<stdout>" ? r.out : readFile(dir.path() / e.name);
        const bool anyRest = e.contents.ends_with("[...]");
        const std::string contents = anyRest ? e.contents.substr(0, e.contents.size() - 5) : e.contents;
        EXPECT_EQ(anyRest ? actual.substr(0, contents.size()) : actual, contents) << e.name;
        struct stat st {};
        if (e.mode == 0 || ::stat((dir.path() / e.name).c_str(), &st) != 0) continue;
        EXPECT_EQ(st.st_mode & 07777, e.mode) << e.name;
        if (e.nobodys && asRoot) {
            EXPECT_EQ(std::pair(st.st_uid, st.st_gid), std::pair(nobody->pw_uid, nobody->pw_gid)) << e.name;
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
