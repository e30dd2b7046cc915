// Stand-in for the shared batch engine until it is merged: the same names
// and shapes, built from the command line's splitter and the encoder.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "../cli/line_splitter.h"
#include "encode.h"
#include "encoder.h"
#include "macroman.h"

namespace bcfont {

using cli::Line;
using cli::LineSplitter;

inline constexpr std::size_t kMaxBatchLine = kFontStringCapacity - 1;
inline constexpr std::size_t kMaxBatchLineBytes = 4 * kMaxBatchLine;
using FontStringBuffer = std::array<char, kFontStringCapacity>;

struct BatchOptions {
    CodeType type = EAN8;
    bool check = true;
    bool utf8 = false;
    bool align = false;
    std::size_t listedRejections = 20;
};

struct LineOutcome {
    bool converted = false;
    std::string_view fontString;
    std::string reason;
};

inline LineOutcome convertLine(const Line& line, const BatchOptions& options, FontStringBuffer& buffer) {
    if (line.tooLong) return {false, {}, "longer than " + std::to_string(kMaxBatchLine) + " characters"};
    if (line.bytes.find('\0') != std::string_view::npos) return {false, {}, "contains a NUL byte"};
    std::string data(line.bytes);
    if (options.utf8) {
        auto bytes = macroman::fromUtf8(line.bytes);
        if (!bytes) return {false, {}, "is not valid UTF-8 text in Mac OS Roman"};
        data = *bytes;
    }
    std::string why;
    const auto fontString = encode(options.type, data, "", options.check, &why);
    if (!fontString) return {false, {}, why};
    const std::size_t n = std::min(fontString->size(), buffer.size() - 1);
    std::copy_n(fontString->data(), n, buffer.data());
    return {true, std::string_view(buffer.data(), n), {}};
}

}  // namespace bcfont

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace bcfont::fileio {

inline std::string writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return "cannot write " + path + ": " + std::strerror(errno);
    const bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                    ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    const int err = errno;
    ::close(fd);
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return "cannot write " + path + ": " + std::strerror(ok ? errno : err);
    }
    return {};
}

}  // namespace bcfont::fileio
