#include "output_buffer.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
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
    iovec io{const_cast<char*>(bytes), size};
    writeAllOf(&io, 1);
    startWriteback();
}

void OutputBuffer::write(const std::string_view* runs, std::size_t count) {
    constexpr std::size_t kMostRuns = 16;
    std::array<iovec, kMostRuns> io;
    std::size_t n = 0;
    if (used_ > 0) io[n++] = {buffer_.data(), used_};
    used_ = 0;
    for (;;) {
        for (; count > 0 && n < kMostRuns; ++runs, --count)
            io[n++] = {const_cast<char*>(runs->data()), runs->size()};
        writeAllOf(io.data(), n);
        if (count == 0) break;
        n = 0;
    }
    startWriteback();
}

void OutputBuffer::writeAllOf(iovec* io, std::size_t n) {
    while (n > 0 && io->iov_len == 0) {
        ++io;
        --n;
    }
    // After the first failure nothing more is written: the output is lost anyway.
    while (n > 0 && error_ == 0) {
        const ssize_t w = ::writev(fd_, io, static_cast<int>(n));
        if (w < 0) {
            if (errno != EINTR) error_ = errno;
            continue;
        }
        if (w == 0) {
            error_ = EIO;
            break;
        }
        written_ += static_cast<std::uint64_t>(w);
        // Skips what was written, which may end inside a run.
        for (auto left = static_cast<std::size_t>(w); left > 0;) {
            const std::size_t take = std::min(left, io->iov_len);
            io->iov_base = static_cast<char*>(io->iov_base) + take;
            io->iov_len -= take;
            left -= take;
            if (io->iov_len == 0) {
                ++io;
                --n;
            }
        }
        while (n > 0 && io->iov_len == 0) {
            ++io;
            --n;
        }
    }
}

}  // namespace bcfont::cli
