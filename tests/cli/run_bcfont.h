// Runs the built bcfont binary with files for its standard streams.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bcfont::test {

struct RunResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;
    std::vector<std::string> entries() const;  // file names, sorted

  private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);

// Runs bcfont with `args`, `input` on its standard input.
RunResult runBcfont(const std::vector<std::string>& args, const std::string& input = "");

}  // namespace bcfont::test
