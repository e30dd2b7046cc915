#include "batch_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace bcfont::cli {
namespace {

// Reports the rejections listed since the last call.
void reportNewRejections(const BatchReport& report, std::size_t& reported, std::FILE* diagnostics) {
    for (; reported < report.listed.size(); ++reported) {
        const BatchRejection& r = report.listed[reported];
        std::fprintf(diagnostics, "bcfont: line %llu: %s\n", static_cast<unsigned long long>(r.line),
                     r.reason.c_str());
    }
}

}  // namespace

bool convertStream(int inFd, std::string_view inName, TwoThreadBatchEngine& engine, OutputBuffer& out,
                   std::FILE* diagnostics) {
    // A file is read once, front to back: the kernel may read ahead further.
    ::posix_fadvise(inFd, 0, 0, POSIX_FADV_SEQUENTIAL);
    std::size_t reported = 0;
    for (;;) {
        const ssize_t n = ::read(inFd, engine.room(), TwoThreadBatchEngine::kBlock);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            std::fprintf(diagnostics, "bcfont: cannot read '%.*s': %s\n", static_cast<int>(inName.size()),
                         inName.data(), std::strerror(errno));
            return false;
        }
        if (n == 0) break;
        engine.commit(static_cast<std::size_t>(n), out);
        reportNewRejections(engine.report(), reported, diagnostics);
        if (out.failed()) return false;
    }
    engine.finish(out);
    reportNewRejections(engine.report(), reported, diagnostics);
    return out.flush();
}

}  // namespace bcfont::cli
