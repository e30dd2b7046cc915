// An output file that appears complete or not at all: written to a
// temporary file in the same directory and renamed over the target at the
// end. A device or pipe (/dev/null, a FIFO) is written in place instead.
#pragma once

#include <string>

namespace bcfont::cli {

class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();  // discards the temporary file unless committed

    // Creates the temporary file for `requested`; an empty string on success,
    // otherwise why not.
    std::string open(const std::string& requested);
    int fd() const { return fd_; }

    // Gives the file the target's permissions (or the usual ones for a new
    // file) and renames it over the target; an empty string on success.
    std::string commit();
    void discard();

  private:
    std::string path_;
    std::string tempPath_;
    int fd_ = -1;
};

}  // namespace bcfont::cli
