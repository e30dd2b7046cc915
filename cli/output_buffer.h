// A fixed-size write buffer over a file descriptor.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include <sys/uio.h>

namespace bcfont::cli {

class OutputBuffer {
  public:
    static constexpr std::size_t kCapacity = 64 * 1024;

    explicit OutputBuffer(int fd) : fd_(fd) {}
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void append(const char* bytes, std::size_t size) {
        if (size > kCapacity - used_) {
            flush();
            if (size > kCapacity) {
                writeAll(bytes, size);
                return;
            }
        }
        std::memcpy(buffer_.data() + used_, bytes, size);
        used_ += size;
    }
    // The batch engine's sink: lines are appended, or written in place.
    void operator()(const char* bytes, std::size_t size) { append(bytes, size); }
    // Room for `size` bytes (at most kCapacity) at the end of the buffer,
    // for the caller to write into and then commit().
    char* room(std::size_t size) {
        if (size > kCapacity - used_) flush();
        return buffer_.data() + used_;
    }
    void commit(std::size_t size) { used_ += size; }

    // Writes what is buffered and then `count` runs of bytes, with as few
    // system calls as the kernel allows.
    void write(const std::string_view* runs, std::size_t count);

    void put(char c) {
        if (used_ == kCapacity) flush();
        buffer_[used_++] = c;
    }

    // Writes out what is buffered; false once any write has failed.
    bool flush();
    bool failed() const { return error_ != 0; }
    int error() const { return error_; }  // the errno of the first failed write

  private:
    void writeAll(const char* bytes, std::size_t size);
    void writeAllOf(::iovec* io, std::size_t n);
    void startWriteback();

    int fd_;
    int error_ = 0;
    // Bytes written, and how many of them the disk has been asked to take.
    std::uint64_t written_ = 0;
    std::uint64_t writebackStarted_ = 0;
    std::size_t used_ = 0;
    std::array<char, kCapacity> buffer_;
};

}  // namespace bcfont::cli
