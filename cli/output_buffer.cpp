#include "output_buffer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace bcfont::cli {

bool OutputBuffer::flush() {
    writeAll(buffer_.data(), used_);
    used_ = 0;
    return error_ == 0;
}

namespace {

// The file is made durable by one fsync at the end. Asking the kernel to
// start writing each few MiB as they come lets the disk work while the
// conversion goes on, so that fsync has little left to wait for.
constexpr std::uint64_t kWritebackChunk = 4 * 1024 * 1024;

}  // namespace

void OutputBuffer::startWriteback() {
    if (written_ - writebackStarted_ < kWritebackChunk) return;
    // Only a hint: a pipe or terminal (ESPIPE) needs none, and any other
    // failure shows again in the fsync that follows.
    ::sync_file_range(fd_, static_cast<off_t>(writebackStarted_),
                      static_cast<off_t>(written_ - writebackStarted_), SYNC_FILE_RANGE_WRITE);
    writebackStarted_ = written_;
}

void OutputBuffer::writeAll(const char* bytes, std::size_t size) {
    // After the first failure nothing more is written: the output is lost anyway.
    while (size > 0 && error_ == 0) {
        const ssize_t n = ::write(fd_, bytes, size);
        if (n < 0) {
            if (errno != EINTR) error_ = errno;
            continue;
        }
        if (n == 0) {
            error_ = EIO;
            break;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
        written_ += static_cast<std::uint64_t>(n);
    }
    startWriteback();
}

}  // namespace bcfont::cli
