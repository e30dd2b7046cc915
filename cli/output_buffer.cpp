#include "output_buffer.h"

#include <unistd.h>

#include <cerrno>

namespace bcfont::cli {

bool OutputBuffer::flush() {
    writeAll(buffer_.data(), used_);
    used_ = 0;
    return error_ == 0;
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
    }
}

}  // namespace bcfont::cli
