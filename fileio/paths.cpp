#include "paths.h"

#include <sys/stat.h>

#include <cstdlib>

namespace bcfont::fileio {

std::string refuseSameFile(const std::string& input, const std::string& output) {
    struct stat in {};
    struct stat out {};
    if (::stat(input.c_str(), &in) != 0 || ::stat(output.c_str(), &out) != 0) return {};
    if (in.st_dev != out.st_dev || in.st_ino != out.st_ino) return {};
    // A device or pipe read and written at once loses nothing.
    if (!S_ISREG(in.st_mode)) return {};
    return "'" + input + "' and '" + output +
           "' are the same file: writing the output would destroy the input; name another output file";
}

std::filesystem::path executableDirectory() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::vector<std::filesystem::path> fontDirectories() {
    if (const char* env = std::getenv("BCFONT_FONT_DIR"); env != nullptr && *env != '\0') return {env};
    std::vector<std::filesystem::path> dirs;
    if (const auto exeDir = executableDirectory(); !exeDir.empty()) {
        dirs.push_back(exeDir / "fonts");
        dirs.push_back((exeDir / ".." / "share" / "fonts" / "truetype" / "bcfont").lexically_normal());
    }
    const std::filesystem::path configured = BCFONT_INSTALL_FONT_DIR;
    if (dirs.empty() || dirs.back() != configured) dirs.push_back(configured);
    return dirs;
}

}  // namespace bcfont::fileio
