#include "atomic_file.h"

#include "paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

namespace bcfont::fileio {
namespace {

// The named temporary file an interrupt must not leave behind. Only the
// fallback for filesystems without unnamed files has one, and bcfont writes
// one file at a time, so one slot is enough.
char gTempPath[PATH_MAX];
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

std::string cannotWrite(const std::string& path, const std::string& why) {
    return "cannot write '" + path + "': " + why;
}

std::string cannotWrite(const std::string& path, int error) {
    return cannotWrite(path, std::strerror(error));
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Permissions, owner and group for the finished file: those of the file it
// replaces, or what a newly created file would get (`replaces` false).
struct FinalAttributes {
    bool replaces = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

FinalAttributes finalAttributes(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return {true, st.st_mode & 07777, st.st_uid, st.st_gid};
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return {false, 0666 & ~mask, 0, 0};
}

// Gives the new file the replaced file's owner and group, so that replacing
// another user's file as root leaves it theirs; 0 or the errno. A user who
// may not give files away keeps the group where a member of it, and the
// file becomes theirs, as with any editor that saves by renaming.
int keepOwner(int fd, const FinalAttributes& attributes) {
    if (!attributes.replaces) return 0;
    if (::fchown(fd, attributes.owner, attributes.group) == 0) return 0;
    if (errno != EPERM) return errno;
    if (::fchown(fd, static_cast<uid_t>(-1), attributes.group) == 0 || errno == EPERM) return 0;
    return errno;
}

// Gives the unnamed file behind `fd` the name `to`; 0 or the errno.
int linkUnnamed(int fd, const std::string& to) {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    if (errno != ENOENT) return errno;
    // No /proc mounted: AT_EMPTY_PATH does the same where it is permitted.
    return ::linkat(fd, "", AT_FDCWD, to.c_str(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

// A hidden name beside `target` that is unlikely to exist.
std::string temporaryName(const std::string& target, unsigned attempt) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    unsigned long long x = static_cast<unsigned long long>(now.tv_nsec) ^
                           (static_cast<unsigned long long>(::getpid()) << 32) ^
                           (attempt * 0x9E3779B97F4A7C15ull);
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i, x /= 36) suffix += kDigits[x % 36];
    return directoryOf(target) + "/." + baseNameOf(target) + "." + suffix;
}

// A file is not durable until the directory entry that names it is.
std::string syncDirectoryOf(const std::string& target) {
    const int dir = ::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return cannotWrite(target, errno);
    // Some filesystems cannot sync a directory; the file itself is on disk.
    const int error = ::fsync(dir) == 0 || errno == EINVAL || errno == EROFS ? 0 : errno;
    ::close(dir);
    return error == 0 ? std::string() : cannotWrite(target, error);
}

bool isRefusalOfUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

}  // namespace

AtomicFile::~AtomicFile() {
    discard();
}

std::string AtomicFile::open(const std::string& path) {
    discard();
    requested_ = path;
    target_ = linkChain(path).back();
    if (baseNameOf(target_).empty()) return cannotWrite(path, "it names a directory");
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return cannotWrite(path, "it is a directory, not a regular file");
        // A device or a pipe is written in place: a rename would replace it.
        if (!S_ISREG(st.st_mode)) {
            fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
            if (fd_ < 0) return cannotWrite(path, errno);
            inPlace_ = true;
            return {};
        }
    } else if (errno != ENOENT) {
        return cannotWrite(path, errno);
    }
    const std::string dir = directoryOf(target_);
    // 0666 less the umask, as for any new file; commit() adjusts a replacement.
    fd_ = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
        unnamed_ = true;
        return {};
    }
    if (errno == ENOENT) return cannotWrite(path, "the folder '" + dir + "' does not exist");
    if (errno == ENOTDIR) return cannotWrite(path, "'" + dir + "' is not a folder");
    if (!isRefusalOfUnnamedFiles(errno)) return cannotWrite(path, errno);

    std::string temp = dir + "/." + baseNameOf(target_) + ".XXXXXX";
    fd_ = ::mkstemp(temp.data());
    if (fd_ < 0) return cannotWrite(path, errno);
    tempPath_ = temp;
    watchForInterrupts(tempPath_);
    return {};
}

std::string AtomicFile::commit() {
    if (fd_ < 0) return cannotWrite(requested_, "no output file is open");
    if (inPlace_) {
        const int error = ::close(fd_) == 0 ? 0 : errno;
        fd_ = -1;
        inPlace_ = false;
        return error == 0 ? std::string() : cannotWrite(requested_, error);
    }
    const FinalAttributes attributes = finalAttributes(target_);
    // Owner first: fchown clears the set-user-ID and set-group-ID bits,
    // which fchmod then restores. Flushed before it is named: after a power
    // cut the name never stands for a file whose contents did not reach the
    // disk.
    int error = keepOwner(fd_, attributes);
    if (error == 0 && (::fchmod(fd_, attributes.mode) != 0 || ::fsync(fd_) != 0)) error = errno;
    if (error != 0) {
        discard();
        return cannotWrite(requested_, error);
    }
    std::string why = unnamed_ ? commitUnnamed() : commitTemporary();
    if (!why.empty()) {
        discard();
        return why;
    }
    const int closed = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    unnamed_ = false;
    if (closed != 0) return cannotWrite(requested_, closed);
    return syncDirectoryOf(target_);
}

std::string AtomicFile::commitUnnamed() {
    // linkat never replaces a file, so a new file is linked in directly and
    // an existing one is replaced by renaming a second name over it.
    int error = linkUnnamed(fd_, target_);
    if (error == 0) return {};
    if (error != EEXIST) return cannotWrite(requested_, error);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = temporaryName(target_, attempt);
        error = linkUnnamed(fd_, temp);
        if (error == EEXIST) continue;
        if (error != 0) return cannotWrite(requested_, error);
        if (::rename(temp.c_str(), target_.c_str()) == 0) return {};
        error = errno;
        ::unlink(temp.c_str());
        return cannotWrite(requested_, error);
    }
    return cannotWrite(requested_, "no free temporary name beside it");
}

std::string AtomicFile::commitTemporary() {
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) return cannotWrite(requested_, errno);
    tempPath_.clear();
    stopWatching();
    return {};
}

void AtomicFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
    inPlace_ = false;
    unnamed_ = false;
    stopWatching();
}

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

std::string writeFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFile file;
    if (std::string why = file.open(path); !why.empty()) return why;
    if (const int error = writeAll(file.fd(), bytes); error != 0) return cannotWrite(path, error);
    return file.commit();
}

}  // namespace bcfont::fileio
