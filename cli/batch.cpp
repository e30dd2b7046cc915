#include "batch.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "encode.h"
#include "macroman.h"

namespace bcfont::cli {
namespace {

std::string lines(std::uint64_t n) {
    return std::to_string(n) + (n == 1 ? " line" : " lines");
}

// Each byte's UTF-8 form through the Mac OS Roman table, at most 3 bytes.
struct Utf8Table {
    std::array<std::array<char, 3>, 256> bytes{};
    std::array<unsigned char, 256> size{};

    Utf8Table() {
        for (int b = 0; b < 256; ++b) {
            const std::string utf8 = macroman::toUtf8(std::string(1, static_cast<char>(b)));
            size[b] = static_cast<unsigned char>(utf8.size());
            std::memcpy(bytes[b].data(), utf8.data(), utf8.size());
        }
    }
};

const Utf8Table& utf8Table() {
    static const Utf8Table table;
    return table;
}

// Code 39 and Code 128 encode a NUL byte as data, but Calc reads its input
// only up to the first NUL and pads with NULs: "A<NUL>B" would come out as
// "A<NUL><NUL>". Such lines are rejected instead. The other symbologies
// reject a NUL as they reject any non-digit.
bool takesAnyAscii(CodeType type) {
    return type == C39 || type == C128 || type == C128EAN;
}

std::string whyRejected(const Line& line, const BatchOptions& options) {
    if (line.tooLong) {
        return "longer than " + std::to_string(kMaxBatchLine) + " bytes (at most " +
               std::to_string(kMaxDataLength) + " characters can be encoded)";
    }
    if (line.bytes.find('\0') != std::string_view::npos) return "contains a NUL byte";
    std::string reason = rejectionReason(options.type, line.bytes, "", options.check);
    return reason.empty() ? "rejected by the encoder" : reason;
}

}  // namespace

std::string batchSummary(const BatchReport& report) {
    const std::uint64_t total = report.converted + report.rejected;
    std::string s = "converted " + std::to_string(report.converted) + " of " + lines(total);
    if (report.empty > 0) s += " (not counting " + std::to_string(report.empty) + " empty)";
    if (report.rejected == 0) return s;
    s += "; rejected: ";
    const std::uint64_t listed = report.rejected < kListedRejections ? report.rejected : kListedRejections;
    for (std::uint64_t i = 0; i < listed; ++i) {
        if (i > 0) s += ", ";
        s += std::to_string(report.firstRejected[i]);
    }
    if (report.rejected > listed) s += " and " + std::to_string(report.rejected - listed) + " more";
    return s;
}

BatchConverter::BatchConverter(const BatchOptions& options, OutputBuffer& out, std::FILE* diagnostics)
    : options_(options), out_(out), diagnostics_(diagnostics) {
    if (options_.utf8) utf8Table();
}

void BatchConverter::convert(const Line& line) {
    if (line.bytes.empty() && !line.tooLong) {
        ++report_.empty;
        if (options_.align) out_.put('\n');
        return;
    }
    // Anything past kMaxDataLength is beyond what Calc accepts.
    if (line.tooLong || line.bytes.size() > static_cast<std::size_t>(kMaxDataLength) ||
        (takesAnyAscii(options_.type) &&
         std::memchr(line.bytes.data(), '\0', line.bytes.size()) != nullptr)) {
        reject(line, whyRejected(line, options_));
        return;
    }
    char fontString[kFontStringCapacity];
    std::memset(fontString, 0, sizeof fontString);
    if (Calc(options_.type, line.bytes.data(), fontString, "", static_cast<std::int32_t>(line.bytes.size()),
             options_.check ? 1 : 0) < 0) {
        reject(line, whyRejected(line, options_));
        return;
    }
    ++report_.converted;
    writeFontString(fontString, ::strnlen(fontString, kFontStringCapacity - 1));
}

void BatchConverter::reject(const Line& line, std::string_view reason) {
    if (report_.rejected < kListedRejections) {
        report_.firstRejected[report_.rejected] = line.number;
        std::fprintf(diagnostics_, "bcfont: line %llu: %.*s\n", static_cast<unsigned long long>(line.number),
                     static_cast<int>(reason.size()), reason.data());
    }
    ++report_.rejected;
    if (options_.align) out_.put('\n');
}

void BatchConverter::writeFontString(const char* bytes, std::size_t size) {
    if (!options_.utf8) {
        out_.append(bytes, size);
    } else {
        const Utf8Table& table = utf8Table();
        for (std::size_t i = 0; i < size; ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            out_.append(table.bytes[b].data(), table.size[b]);
        }
    }
    out_.put('\n');
}

bool convertStream(int inFd, std::string_view inName, BatchConverter& converter, OutputBuffer& out,
                   std::FILE* diagnostics) {
    static constexpr std::size_t kBlock = 64 * 1024;
    // Zero padding after the block: Calc is handed lines in place, unterminated.
    static char block[kBlock + kFontStringCapacity];
    BatchLineSplitter splitter;
    const auto onLine = [&converter](const Line& line) { converter.convert(line); };
    for (;;) {
        const ssize_t n = ::read(inFd, block, kBlock);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            std::fprintf(diagnostics, "bcfont: cannot read '%.*s': %s\n", static_cast<int>(inName.size()),
                         inName.data(), std::strerror(errno));
            return false;
        }
        if (n == 0) break;
        splitter.feed(std::string_view(block, static_cast<std::size_t>(n)), onLine);
        if (out.failed()) return false;
    }
    splitter.finish(onLine);
    return out.flush();
}

}  // namespace bcfont::cli
