// bcfont: barcode font strings from the command line.
#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app.h"
#include "cli_support.h"

namespace {

// A standard stream the caller closed (`2>&-`) would otherwise be the next
// file opened, and messages would land in the output file.
void openMissingStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }
}

// What went to standard output (help, the list of types) must have arrived:
// a full disk is an error, not a success.
int checkedExit(int status) {
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout)) return status;
    std::fprintf(stderr, "bcfont: cannot write to standard output: %s\n",
                 flushed ? "write error" : std::strerror(error));
    return bcfont::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    openMissingStandardStreams();
    const bcfont::cli::Outcome outcome =
        bcfont::cli::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), bcfont::cli::Mode::Run);
    std::fwrite(outcome.out.data(), 1, outcome.out.size(), stdout);
    std::fwrite(outcome.err.data(), 1, outcome.err.size(), stderr);
    return checkedExit(outcome.status);
}
