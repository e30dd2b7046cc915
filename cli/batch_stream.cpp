#include "batch_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli_support.h"

namespace bcfont::cli {
namespace {

// How far the report has been told.
struct Reported {
    std::size_t rejections = 0;
    std::size_t notes = 0;
};

void reportLine(std::uint64_t line, const std::string& text, std::FILE* diagnostics) {
    std::fprintf(diagnostics, "bcfont: %s\n", lineSays(line, text).c_str());
}

// Reports the rejections and notes listed since the last call, in line order.
void reportNew(const BatchReport& report, Reported& done, std::FILE* diagnostics) {
    while (done.rejections < report.listed.size() || done.notes < report.notes.size()) {
        const bool rejection = done.notes == report.notes.size() ||
                               (done.rejections < report.listed.size() &&
                                report.listed[done.rejections].line <= report.notes[done.notes].line);
        if (rejection) {
            const BatchRejection& r = report.listed[done.rejections++];
            reportLine(r.line, r.reason, diagnostics);
        } else {
            const BatchNote& n = report.notes[done.notes++];
            reportLine(n.line, changeSentence(n.change, messageLanguage()), diagnostics);
        }
    }
}

}  // namespace

bool convertStream(int inFd, std::string_view inName, TwoThreadBatchEngine& engine, OutputBuffer& out,
                   std::FILE* diagnostics) {
    // A file is read once, front to back: the kernel may read ahead further.
    ::posix_fadvise(inFd, 0, 0, POSIX_FADV_SEQUENTIAL);
    Reported reported;
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
        reportNew(engine.report(), reported, diagnostics);
        if (out.failed()) return false;
    }
    engine.finish(out);
    reportNew(engine.report(), reported, diagnostics);
    return out.flush();
}

}  // namespace bcfont::cli
