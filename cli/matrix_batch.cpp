#include "matrix_batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "line_splitter.h"
#include "macroman.h"
#include "matrix.h"

namespace bcfont::cli {
namespace {

// The longest line taken: more than the largest QR Code holds (7089 digits).
constexpr std::size_t kMaxMatrixLine = 8 * 1024;
using MatrixLineSplitter = LineSplitter<kMaxMatrixLine>;

// Lines are encoded a chunk at a time, half of it on a second thread:
// libzint takes tens of microseconds a symbol, so a chunk is milliseconds
// of work against the few microseconds a thread costs.
constexpr std::size_t kChunk = 1024;

struct Job {
    std::uint64_t line;
    std::string data;  // UTF-8
    std::string fault;  // why the line is refused before encoding; empty data: an empty line
    Encoded result;
};

class Converter {
  public:
    Converter(const TypeSpec& spec, const BatchOptions& options, OutputBuffer& out, BatchReport& report,
              std::FILE* diagnostics)
        : spec_(spec), options_(options), out_(out), report_(report), diagnostics_(diagnostics) {
        jobs_.reserve(kChunk);
    }

    void operator()(const Line& line) {
        Job& job = jobs_.emplace_back();
        job.line = line.number;
        if (line.tooLong) {
            job.fault = "longer than " + std::to_string(kMaxMatrixLine) + " bytes";
        } else if (line.bytes.find('\0') != std::string_view::npos) {
            job.fault = "contains a NUL byte";
        } else {
            // Without --utf8 the lines are Mac OS Roman, as for every type.
            job.data = options_.utf8 ? std::string(line.bytes) : macroman::toUtf8(line.bytes);
        }
        if (jobs_.size() == kChunk) flush();
    }

    // Encodes the lines gathered and writes them out in order.
    void flush() {
        const std::size_t half = jobs_.size() / 2;
        if (half > 0 && std::thread::hardware_concurrency() > 1) {
            std::thread helper([this, half] { encode(half, jobs_.size()); });
            encode(0, half);
            helper.join();
        } else {
            encode(0, jobs_.size());
        }
        for (Job& job : jobs_) write(job);
        jobs_.clear();
    }

  private:
    void encode(std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            Job& job = jobs_[i];
            if (job.fault.empty() && !job.data.empty()) job.result = encodeRequest(spec_, job.data, "", options_.check);
        }
    }

    void write(const Job& job) {
        if (job.fault.empty() && job.data.empty()) {
            ++report_.empty;
            if (options_.align) out_.put('\n');
            return;
        }
        const std::string& reason = job.fault.empty() ? job.result.text : job.fault;
        if (!job.fault.empty() || !job.result.ok()) {
            ++report_.rejected;
            if (report_.listed.size() < options_.listedRejections) report_.listed.push_back({job.line, reason});
            std::fprintf(diagnostics_, "bcfont: line %llu: %s\n", static_cast<unsigned long long>(job.line),
                         reason.c_str());
            if (options_.align) out_.put('\n');
            return;
        }
        ++report_.converted;
        out_.append(job.result.text.data(), job.result.text.size());
        out_.append("\n\n", 2);
    }

    const TypeSpec& spec_;
    const BatchOptions& options_;
    OutputBuffer& out_;
    BatchReport& report_;
    std::FILE* diagnostics_;
    std::vector<Job> jobs_;
};

}  // namespace

bool convertMatrixStream(int inFd, std::string_view inName, const TypeSpec& spec, const BatchOptions& options,
                         OutputBuffer& out, BatchReport& report, std::FILE* diagnostics) {
    ::posix_fadvise(inFd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const auto splitter = std::make_unique<MatrixLineSplitter>();
    Converter convert(spec, options, out, report, diagnostics);
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
    convert.flush();
    return out.flush();
}

}  // namespace bcfont::cli
