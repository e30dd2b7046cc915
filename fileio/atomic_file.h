// The one way bcfont writes a file: it appears complete or not at all, also
// when the process is killed or the power fails while it is written.
//
// The new contents go to an unnamed file (O_TMPFILE) in the target's
// directory, which is flushed to disk and only then given its name, so a
// killed process leaves nothing behind. Where the filesystem has no unnamed
// files, a hidden temporary file beside the target is renamed over it
// instead (removed on SIGINT, SIGTERM and SIGHUP). A symbolic link is
// followed, also a dangling one: the file it points to is written. A device
// or pipe (/dev/null, a FIFO) is written in place.
#pragma once

#include <string>
#include <string_view>

namespace bcfont::fileio {

class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();  // discards the new contents unless committed

    // Prepares to write `path`; an empty string on success, otherwise a
    // sentence naming the file and why ("cannot write 'x': it is a directory").
    std::string open(const std::string& path);
    int fd() const { return fd_; }

    // Gives the file the permissions, owner and group of the file it
    // replaces (a new one 0666 less the umask), flushes it to disk and
    // names it; empty on
    // success, otherwise why not, and the target is left as it was.
    std::string commit();
    void discard();

  private:
    std::string commitUnnamed();
    std::string commitTemporary();

    std::string requested_;  // as given, for messages
    std::string target_;     // after following symbolic links
    std::string tempPath_;   // the named temporary file, when there is one
    int fd_ = -1;
    bool inPlace_ = false;
    bool unnamed_ = false;
};

// Writes all of `bytes` to `fd`; 0 or the errno.
int writeAll(int fd, std::string_view bytes);

// Writes `bytes` as the whole new contents of `path` through AtomicFile;
// empty on success, otherwise a sentence naming the file and the cause.
std::string writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace bcfont::fileio
