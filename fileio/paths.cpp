#include "paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace bcfont::fileio {

namespace {

namespace fs = std::filesystem;

bool isStandardStream(const std::string& name) {
    return name.empty() || name == "-";
}

std::string quoted(const std::string& name) {
    return "'" + name + "'";
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// N when `digits` is a descriptor number, else -1.
int descriptorNumber(std::string_view digits) {
    int n = -1;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return ec == std::errc() && end == digits.data() + digits.size() && n >= 0 ? n : -1;
}

// The descriptor a name stands for, or -1 when it is a name like any other.
int descriptorNamed(const std::string& name) {
    std::error_code ec;
    const std::string path = fs::absolute(name, ec).lexically_normal().string();
    if (ec) return -1;
    if (path == "/dev/stdin") return 0;
    if (path == "/dev/stdout") return 1;
    if (path == "/dev/stderr") return 2;
    const std::string ownProcess = "/proc/" + std::to_string(::getpid()) + "/fd/";
    for (const std::string& prefix : {std::string("/dev/fd/"), std::string("/proc/self/fd/"),
                                      std::string("/proc/thread-self/fd/"), ownProcess}) {
        if (path.starts_with(prefix)) return descriptorNumber(std::string_view(path).substr(prefix.size()));
    }
    return -1;
}

// The output's file: that of its descriptor, or of the path it replaces.
bool statOutput(const OutputTarget& target, struct stat& st) {
    return target.descriptor >= 0 ? ::fstat(target.descriptor, &st) == 0
                                  : ::stat(target.path.c_str(), &st) == 0;
}

bool statInput(const std::string& name, struct stat& st) {
    return isStandardStream(name) ? ::fstat(STDIN_FILENO, &st) == 0 : ::stat(name.c_str(), &st) == 0;
}

}  // namespace

std::vector<std::string> linkChain(const std::string& path) {
    std::vector<std::string> chain{path};
    // As many links as the kernel follows before it gives up (ELOOP).
    for (int hops = 0; hops < 40; ++hops) {
        const std::string& last = chain.back();
        struct stat st {};
        if (::lstat(last.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(last.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) == sizeof target) break;
        std::string next(target, static_cast<std::size_t>(n));
        if (next.front() != '/' && last.find('/') != std::string::npos) next = directoryOf(last) + "/" + next;
        chain.push_back(std::move(next));
    }
    return chain;
}

OutputTarget outputTarget(const std::string& name) {
    if (isStandardStream(name)) return {"standard output", "", STDOUT_FILENO};
    for (const std::string& hop : linkChain(name)) {
        // /dev/stdout leads on to the file or pipe behind the descriptor,
        // which must not be replaced: the first descriptor name decides.
        if (const int fd = descriptorNamed(hop); fd >= 0) return {quoted(name), "", fd};
    }
    return {quoted(name), name, -1};
}

std::string shownInput(const std::string& name) {
    return isStandardStream(name) ? "standard input" : quoted(name);
}

std::string refuseSameFile(const std::string& input, const std::string& output) {
    struct stat in {};
    struct stat out {};
    const OutputTarget target = outputTarget(output);
    if (!statInput(input, in) || !statOutput(target, out)) return {};
    if (in.st_dev != out.st_dev || in.st_ino != out.st_ino) return {};
    // A device or pipe read and written at once loses nothing.
    if (!S_ISREG(in.st_mode)) return {};
    return shownInput(input) + " and " + target.shown +
           " are the same file: writing the output would destroy the input; name another output file";
}

std::string writeProtection(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    // Root may write anything, yet a file nobody may write was protected on purpose.
    const bool nobodyMayWrite = (st.st_mode & 0222) == 0;
    if (!nobodyMayWrite && (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 || errno != EACCES))
        return {};
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    return std::string("it is write-protected (mode ") + mode + ")";
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
