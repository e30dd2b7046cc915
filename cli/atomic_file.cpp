#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace bcfont::cli {
namespace {

// The temporary file an interrupt must not leave behind. The command line
// writes one output file at a time, so one slot is enough.
char gTempPath[4096];
volatile std::sig_atomic_t gTempPathSet = 0;

extern "C" void removeTempAndDie(int signal) {
    if (gTempPathSet) ::unlink(gTempPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void watchForInterrupts(const std::string& tempPath) {
    if (tempPath.size() >= sizeof gTempPath) return;
    std::memcpy(gTempPath, tempPath.c_str(), tempPath.size() + 1);
    gTempPathSet = 1;
    for (int s : {SIGINT, SIGTERM, SIGHUP}) std::signal(s, removeTempAndDie);
}

void stopWatching() {
    gTempPathSet = 0;
}

std::string describe(const std::string& what, const std::string& path, int error) {
    return what + " '" + path + "': " + std::strerror(error);
}

// Where a symbolic link points, so that the rename replaces its target and
// not the link itself.
std::string followSymlink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return path;
    std::string resolved = real;
    std::free(real);
    return resolved;
}

// Permissions for the finished file: those of the file it replaces, or
// what a newly created file would get.
mode_t finalMode(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::~AtomicFile() {
    discard();
}

std::string AtomicFile::open(const std::string& requested) {
    discard();
    const std::string path = followSymlink(requested);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return "cannot write '" + requested + "': it is a directory";
        // A device or a pipe is written in place: a rename would replace it.
        if (!S_ISREG(st.st_mode)) {
            fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
            if (fd_ < 0) return describe("cannot open", requested, errno);
            path_ = path;
            return {};
        }
    }
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) return "cannot write '" + requested + "': it names a directory";
    std::string temp = dir + "." + base + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return describe("cannot create a file next to", requested, errno);
    path_ = path;
    tempPath_ = temp;
    fd_ = fd;
    watchForInterrupts(tempPath_);
    return {};
}

std::string AtomicFile::commit() {
    if (fd_ < 0) return "no output file is open";
    const bool inPlace = tempPath_.empty();
    // No fsync: a crash of the program must not leave half a file, which the
    // rename ensures; surviving a power cut is not worth its cost here.
    int error = inPlace || ::fchmod(fd_, finalMode(path_)) == 0 ? 0 : errno;
    if (::close(fd_) != 0 && error == 0) error = errno;
    fd_ = -1;
    if (!inPlace && error == 0 && ::rename(tempPath_.c_str(), path_.c_str()) != 0) error = errno;
    if (error != 0) {
        const std::string why = describe("cannot write", path_, error);
        discard();
        return why;
    }
    tempPath_.clear();
    stopWatching();
    return {};
}

void AtomicFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
    stopWatching();
}

}  // namespace bcfont::cli
