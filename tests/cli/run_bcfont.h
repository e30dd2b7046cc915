// Temporary directories and files for tests, and the built bcfont binary run
// with files for its standard streams.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace bcfont::test {

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bcfont-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return path_ / name;
    }
    // File names, sorted.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path path_;
};

struct RunResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// How the streams and the directory of a run differ from the usual.
struct RunOptions {
    std::filesystem::path cwd{};  // empty: the test's own
    std::string stdoutPath{};     // empty: captured into RunResult::out
    bool closeStderr = false;     // started as with `2>&-`
    std::string stdinPath{};      // empty: the `input` argument
    bool appendStdout = false;    // stdoutPath opened as with `>>`
    bool stdoutPipe = false;      // a pipe, read into RunResult::out, as `| cat`
    // "NAME=value" pairs added to the test's environment. LANGUAGE, LC_ALL,
    // LC_MESSAGES and LANG are left out of it, so that runs are in English
    // wherever the tests run, unless set here.
    std::vector<std::string> environment{};
};

// Runs bcfont with `args`, `input` on its standard input.
RunResult runBcfont(const std::vector<std::string>& args, const std::string& input = "",
                    const RunOptions& options = {});

}  // namespace bcfont::test
