// `bcfont batch`, run through the built binary.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encode.h"
#include "run_bcfont.h"

namespace bcfont::test {
namespace {

const std::string kEan13 = "4<ALGDTM=dddjdb>";  // 400638133393

std::string rejectedLine(int line, CodeType type, const std::string& data) {
    return "bcfont: line " + std::to_string(line) + ": " + rejectionReason(type, data, "", true) + "\n";
}

// The same five lines with each kind of line end: a valid line, an empty one,
// one digit short, a valid one with its check digit, letters.
std::string ean13Input(const std::string& eol) {
    return "400638133393" + eol + eol + "40063813339" + eol + "4006381333931" + eol + "abc" + eol;
}
const std::string kEan13Err = rejectedLine(3, EAN13, "40063813339") + rejectedLine(5, EAN13, "abc") +
                              "converted 2 of 4 lines (not counting 1 empty); rejected: 3, 5\n";

std::string manyRejected() {
    std::string err;
    for (int i = 1; i <= 20; ++i) err += rejectedLine(i, EAN13, "x");
    return err +
           "converted 0 of 25 lines; rejected: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, "
           "18, 19, 20 and 5 more\n";
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

struct BatchCase {
    const char* name;
    std::vector<std::string> args;
    std::string in;
    int status;
    std::string out;
    std::string err;
};

// 133 start B, 134 start C, 138 stop, 154 value 0 (space), 227 code B.
const std::vector<BatchCase> kCases = {
    // EAN-13: every kind of line end gives the same output and line numbers
    {"Ean13Lf", {"-t", "1"}, ean13Input("\n"), 1, kEan13 + "\n" + kEan13 + "\n", kEan13Err},
    {"Ean13Cr", {"-t", "1"}, ean13Input("\r"), 1, kEan13 + "\n" + kEan13 + "\n", kEan13Err},
    {"Ean13CrLf", {"-t", "1"}, ean13Input("\r\n"), 1, kEan13 + "\n" + kEan13 + "\n", kEan13Err},
    {"Ean13NoFinalLineEnd",
     {"-t", "ean13"},
     "400638133393\n400638133393",
     0,
     repeat(kEan13 + "\n", 2),
     "converted 2 of 2 lines\n"},
    {"Ean13AlignLf",
     {"-t", "1", "--align"},
     ean13Input("\n"),
     1,
     kEan13 + "\n\n\n" + kEan13 + "\n\n",
     kEan13Err},
    {"Ean13ManyRejected", {"-t", "1"}, repeat("x\n", 25), 1, "", manyRejected()},
    // Code 128
    {"Code128Raw",
     {"-t", "code128"},
     "ABC\n12345\n",
     0,
     "\x85"
     "ABC!\x8A\n\x86,B\xE3"
     "5V\x8A\n",
     "converted 2 of 2 lines\n"},
    {"Code128Utf8",
     {"-t", "code128", "--utf8"},
     "ABC\n12345\n",
     0,
     "ÖABC!ä\nÜ,B„5Vä\n",
     "converted 2 of 2 lines\n"},
    {"Code128TrailingSpaceIsData",
     {"-t", "5"},
     "ABC \n",
     0,
     "\x85"
     "ABC\x9A!\x8A\n",
     "converted 1 of 1 line\n"},
    {"Code128HighByteRejected",
     {"-t", "5"},
     "A\xE9\nABC\n",
     1,
     "\x85"
     "ABC!\x8A\n",
     rejectedLine(1, C128, "A\xE9") + "converted 1 of 2 lines; rejected: 1\n"},
    {"Code128NulRejected",
     {"-t", "5"},
     std::string("A\0B\nABC\n", 8),
     1,
     "\x85"
     "ABC!\x8A\n",
     "bcfont: line 1: contains a NUL byte\nconverted 1 of 2 lines; rejected: 1\n"},
    {"Code128FortyNineCharacters",
     {"-t", "5"},
     std::string(49, 'A') + "\nABC\n",
     1,
     "\x85"
     "ABC!\x8A\n",
     rejectedLine(1, C128, std::string(49, 'A')) + "converted 1 of 2 lines; rejected: 1\n"},
    {"Code128LineOverBuffer",
     {"-t", "5", "--align"},
     std::string(200, 'A') + "\nABC\n",
     1,
     "\n\x85"
     "ABC!\x8A\n",
     "bcfont: line 1: longer than 99 bytes (at most 48 characters can be encoded)\n"
     "converted 1 of 2 lines; rejected: 1\n"},
    {"Code128NoCheckWarns",
     {"-t", "5", "--no-check"},
     "12345\n",
     0,
     "\x86,B\xE3"
     "5\x8A\n",
     "bcfont: warning: scanners will not read a Code 128 symbol without its check character, which the "
     "standard makes mandatory\nconverted 1 of 1 line\n"},
    // Empty input
    {"NoInput", {"-t", "1"}, "", 0, "", "converted 0 of 0 lines\n"},
    {"OnlyEmptyLines", {"-t", "1"}, "\n\r\n\r", 0, "", "converted 0 of 0 lines (not counting 3 empty)\n"},
    {"OnlyEmptyLinesAligned",
     {"-t", "1", "--align"},
     "\n\r\n\r",
     0,
     "\n\n\n",
     "converted 0 of 0 lines (not counting 3 empty)\n"},
    // Many blocks: every 14th block of 64 KiB ends between a CR and its LF
    {"CrLfAcrossBlocks",
     {"-t", "1"},
     repeat("4006381333931\r\n", 61200),
     0,
     repeat(kEan13 + "\n", 61200),
     "converted 61200 of 61200 lines\n"},
};

class BatchCommandTest : public ::testing::TestWithParam<BatchCase> {};

TEST_P(BatchCommandTest, FromStdinToStdout) {
    const BatchCase& c = GetParam();
    std::vector<std::string> args = {"batch"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const RunResult r = runBcfont(args, c.in);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(Batch, BatchCommandTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BatchFilesTest, WritesOutputFileAndNoTemporaryFile) {
    const TempDir dir;
    const auto in = dir.write("in.txt", "400638133393\r\nabc\r\n");
    const auto out = dir.path() / "out.txt";
    const RunResult r = runBcfont({"batch", "-t", "1", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readFile(out), kEan13 + "\n");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.txt", "out.txt"}));
}

TEST(BatchFilesTest, DashMeansStandardStreams) {
    const RunResult r = runBcfont({"batch", "-t", "1", "-", "-"}, "400638133393\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kEan13 + "\n");
}

TEST(BatchFilesTest, ReplacesOutputKeepingItsPermissions) {
    const TempDir dir;
    const auto in = dir.write("in.txt", "400638133393\n");
    const auto out = dir.write("out.txt", "old contents\n");
    ::chmod(out.c_str(), 0640);
    EXPECT_EQ(runBcfont({"batch", "-t", "1", in, out}).status, 0);
    EXPECT_EQ(readFile(out), kEan13 + "\n");
    struct stat st {};
    ::stat(out.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(BatchFilesTest, InputMayBeTheOutput) {
    const TempDir dir;
    const auto file = dir.write("data.txt", "400638133393\n");
    EXPECT_EQ(runBcfont({"batch", "-t", "1", file, file}).status, 0);
    EXPECT_EQ(readFile(file), kEan13 + "\n");
}

TEST(BatchFilesTest, WritesThroughSymlinkToItsTarget) {
    const TempDir dir;
    const auto in = dir.write("in.txt", "400638133393\n");
    const auto target = dir.write("target.txt", "old\n");
    std::filesystem::create_symlink(target, dir.path() / "link.txt");
    EXPECT_EQ(runBcfont({"batch", "-t", "1", in, dir.path() / "link.txt"}).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.txt"));
    EXPECT_EQ(readFile(target), kEan13 + "\n");
}

// A pipe or device is written in place: a rename would replace it with a file.
TEST(BatchFilesTest, WritesFifoInPlace) {
    const TempDir dir;
    const auto in = dir.write("in.txt", "400638133393\n");
    const auto fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open for reading (O_RDWR never blocks) so bcfont's open succeeds.
    const int reader = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(runBcfont({"batch", "-t", "1", in, fifo}).status, 0);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    char buffer[64] = {};
    const ssize_t n = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0), kEan13 + "\n");
}

struct IoErrorCase {
    const char* name;
    std::string input;   // relative to the temporary directory
    std::string output;  // relative to it, or "-"
    std::string errStart;
};

const std::vector<IoErrorCase> kIoErrors = {
    {"MissingInput", "missing.txt", "out.txt", "bcfont: cannot open '"},
    {"InputIsDirectory", "sub", "out.txt", "bcfont: cannot read '"},
    {"OutputDirectoryMissing", "in.txt", "nowhere/out.txt", "bcfont: cannot create a file next to '"},
    {"OutputIsDirectory", "in.txt", "sub", "bcfont: cannot write '"},
};

class BatchIoErrorTest : public ::testing::TestWithParam<IoErrorCase> {};

// An I/O error exits with 2 and leaves an existing output file as it was.
TEST_P(BatchIoErrorTest, ExitsWithTwoAndChangesNothing) {
    const IoErrorCase& c = GetParam();
    const TempDir dir;
    dir.write("in.txt", "400638133393\n");
    std::filesystem::create_directory(dir.path() / "sub");
    dir.write("out.txt", "old\n");
    const RunResult r = runBcfont({"batch", "-t", "1", dir.path() / c.input, dir.path() / c.output});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, c.errStart.size()), c.errStart) << r.err;
    EXPECT_EQ(readFile(dir.path() / "out.txt"), "old\n");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.txt", "out.txt", "sub"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "sub"));
}

INSTANTIATE_TEST_SUITE_P(Batch, BatchIoErrorTest, ::testing::ValuesIn(kIoErrors),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bcfont::test
