// The one atomic writer and the font folder order on real files: what a write
// leaves in the directory, with which permissions, and the reasons it gives.
#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "atomic_file.h"
#include "paths.h"
#include "run_bcfont.h"  // TempDir, readFile

namespace bcfont::fileio {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;

// Every write starts from a directory holding old.txt ("old", mode 0640),
// `link` -> old.txt, `dangling` -> made.txt and the folder `sub`.
const std::vector<std::string> kBefore = {"dangling", "link", "old.txt", "sub"};

struct WriteRow {
    const char* name;
    const char* path;      // inside the directory
    const char* errorEnd;  // how the message ends, after "cannot write '<dir>/<path>': "; empty: success
    const char* written;   // the file that then holds "new"
    unsigned mode;         // its permissions (umask 022)
    std::vector<std::string> entries;
};

// clang-format off
const std::vector<WriteRow> kWrites = {
    {"NewFile", "new.txt", "", "new.txt", 0644, {"dangling", "link", "new.txt", "old.txt", "sub"}},
    {"ReplacesKeepingPermissions", "old.txt", "", "old.txt", 0640, kBefore},
    {"ThroughSymlinkToItsTarget", "link", "", "old.txt", 0640, kBefore},
    {"DanglingSymlinkCreatesItsTarget", "dangling", "", "made.txt", 0644, {"dangling", "link", "made.txt", "old.txt", "sub"}},
    {"NewFileInSubfolder", "sub/new.txt", "", "sub/new.txt", 0644, kBefore},
    {"Directory", "sub", "it is a directory, not a regular file", "", 0, kBefore},
    {"PathEndingInSlash", "sub/", "it names a directory", "", 0, kBefore},
    {"MissingFolder", "nowhere/x.txt", "the folder '@/nowhere' does not exist", "", 0, kBefore},
    {"FileAsFolder", "old.txt/x.txt", "Not a directory", "", 0, kBefore},
};
// clang-format on

void PrintTo(const WriteRow& r, std::ostream* os) {
    *os << r.name;
}

std::string replaceAt(std::string text, const std::string& dir) {
    if (const auto at = text.find('@'); at != std::string::npos) text.replace(at, 1, dir);
    return text;
}

class WriteTest : public ::testing::TestWithParam<WriteRow> {};

TEST_P(WriteTest, WholeFileWithItsPermissionsOrAReasonAndNothingLeft) {
    const WriteRow& r = GetParam();
    const TempDir dir;
    ::chmod(dir.write("old.txt", "old").c_str(), 0640);
    fs::create_symlink("old.txt", dir.path() / "link");
    fs::create_symlink("made.txt", dir.path() / "dangling");
    fs::create_directory(dir.path() / "sub");

    const mode_t previous = ::umask(022);
    const std::string path = (dir.path() / r.path).string();
    const std::string error = writeFileAtomically(path, "new");
    ::umask(previous);

    const std::string expected =
        *r.errorEnd == '\0' ? "" : "cannot write '" + path + "': " + replaceAt(r.errorEnd, dir.path());
    EXPECT_EQ(error, expected);
    EXPECT_EQ(dir.entries(), r.entries);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling"));
    if (*r.written == '\0') {
        EXPECT_EQ(readFile(dir.path() / "old.txt"), "old");
        return;
    }
    EXPECT_EQ(readFile(dir.path() / r.written), "new");
    struct stat st {};
    ASSERT_EQ(::stat((dir.path() / r.written).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, r.mode);
}

INSTANTIATE_TEST_SUITE_P(Writes, WriteTest, ::testing::ValuesIn(kWrites),
                         [](const auto& info) { return std::string(info.param.name); });

// Discarded or destroyed before commit: the target keeps its old contents.
TEST(AtomicFile, UncommittedWriteChangesNothing) {
    const TempDir dir;
    const fs::path target = dir.write("old.txt", "old");
    {
        AtomicFile file;
        ASSERT_EQ(file.open(target), "");
        ASSERT_EQ(::write(file.fd(), "new", 3), 3);
    }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"old.txt"});
}

struct TargetRow {
    const char* name;
    const char* output;  // "@/" starts a path inside a directory holding `out` -> /dev/stdout
    int descriptor;      // -1: a file to replace, named as given
};

// The rows the command-line fault table does not already cover.
// clang-format off
const std::vector<TargetRow> kTargets = {
    {"Empty", "", 1},
    {"DevStderr", "/dev/stderr", 2},
    {"DevFdWritten", "/dev//fd/./3", 3},
    {"LinkToDevStdout", "@/out", 1},
    {"DevFdNotANumber", "/dev/fd/x", -1},
    {"PlainFile", "@/plain.txt", -1},
    {"FileNamedStdout", "@/stdout", -1},
};
// clang-format on

void PrintTo(const TargetRow& r, std::ostream* os) {
    *os << r.name;
}

class TargetTest : public ::testing::TestWithParam<TargetRow> {};

TEST_P(TargetTest, DescriptorNamesAreDescriptorsAndTheRestFiles) {
    const TargetRow& r = GetParam();
    const TempDir dir;
    fs::create_symlink("/dev/stdout", dir.path() / "out");
    const std::string name =
        std::string_view(r.output).starts_with("@/") ? (dir.path() / (r.output + 2)).string() : r.output;
    const OutputTarget target = outputTarget(name);
    EXPECT_EQ(target.descriptor, r.descriptor);
    EXPECT_EQ(target.path, r.descriptor < 0 ? name : "");
}

INSTANTIATE_TEST_SUITE_P(Targets, TargetTest, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FontDirectories, EnvironmentAloneElseBuildTreeInstalledTreeAndConfigured) {
    const char* saved = std::getenv("BCFONT_FONT_DIR");
    const std::string restore = saved ? saved : "";
    ::setenv("BCFONT_FONT_DIR", "/somewhere/fonts", 1);
    EXPECT_EQ(fontDirectories(), std::vector<fs::path>{"/somewhere/fonts"});

    ::unsetenv("BCFONT_FONT_DIR");
    const fs::path exe = executableDirectory();
    const std::vector<fs::path> dirs = fontDirectories();
    ASSERT_GE(dirs.size(), 3u);
    EXPECT_EQ(dirs[0], exe / "fonts");
    EXPECT_EQ(dirs[1], exe.parent_path() / "share/fonts/truetype/bcfont");
    EXPECT_TRUE(dirs.back().is_absolute());
    if (saved) ::setenv("BCFONT_FONT_DIR", restore.c_str(), 1);
}

}  // namespace
}  // namespace bcfont::fileio
