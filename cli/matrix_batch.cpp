#include "matrix_batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "line_splitter.h"
#include "macroman.h"
#include "matrix.h"

namespace bcfont::cli {
namespace {

// The longest line taken: more than the largest QR Code holds (7089 digits).
constexpr std::size_t kMaxMatrixLine = 8 * 1024;
using MatrixLineSplitter = LineSplitter<kMaxMatrixLine>;

struct Converter {
    const TypeSpec& spec;
    const BatchOptions& options;
    OutputBuffer& out;
    BatchReport& report;
    std::FILE* diagnostics;

    void reject(std::uint64_t line, const std::string& reason) {
        ++report.rejected;
        if (report.listed.size() < options.listedRejections) report.listed.push_back({line, reason});
        std::fprintf(diagnostics, "bcfont: line %llu: %s\n", static_cast<unsigned long long>(line), reason.c_str());
        if (options.align) out.put('\n');
    }

    void operator()(const Line& line) {
        if (line.bytes.empty()) {
            ++report.empty;
            if (options.align) out.put('\n');
            return;
        }
        if (line.tooLong) return reject(line.number, "longer than " + std::to_string(kMaxMatrixLine) + " bytes");
        if (line.bytes.find('\0') != std::string_view::npos) return reject(line.number, "contains a NUL byte");
        // Without --utf8 the lines are Mac OS Roman, as for every type.
        const std::string utf8 = options.utf8 ? std::string() : macroman::toUtf8(line.bytes);
        const Encoded encoded = encodeRequest(spec, options.utf8 ? line.bytes : std::string_view(utf8), "", options.check);
        if (!encoded.ok()) return reject(line.number, encoded.text);
        ++report.converted;
        out.append(encoded.text.data(), encoded.text.size());
        out.append("\n\n", 2);
    }
};

}  // namespace

bool convertMatrixStream(int inFd, std::string_view inName, const TypeSpec& spec, const BatchOptions& options,
                         OutputBuffer& out, BatchReport& report, std::FILE* diagnostics) {
    ::posix_fadvise(inFd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const auto splitter = std::make_unique<MatrixLineSplitter>();
    Converter convert{spec, options, out, report, diagnostics};
    const auto block = std::make_unique<char[]>(TwoThreadBatchEngine::kBlock);
    for (;;) {
        const ssize_t n = ::read(inFd, block.get(), TwoThreadBatchEngine::kBlock);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            std::fprintf(diagnostics, "bcfont: cannot read '%.*s': %s\n", static_cast<int>(inName.size()),
                         inName.data(), std::strerror(errno));
            return false;
        }
        if (n == 0) break;
        splitter->feed(std::string_view(block.get(), static_cast<std::size_t>(n)), convert);
        if (out.failed()) return false;
    }
    splitter->finish(convert);
    return out.flush();
}

}  // namespace bcfont::cli
