// bcfont: barcode font strings from the command line.
#include <fcntl.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "labels_command.h"
#include "render_command.h"

namespace {

// Names the subcommand in the usage hint when the error is inside one.
std::string usageHint(const CLI::App& app) {
    for (const CLI::App* sub : app.get_subcommands({})) {
        if (sub->count() > 0) return "Run 'bcfont " + sub->get_name() + " --help' for usage.\n";
    }
    return "Run 'bcfont --help' for usage.\n";
}

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
    CLI::App app("Barcode font encoder: turns data into font strings for the barcode fonts.", "bcfont");
    app.set_version_flag("--version", "bcfont " BCFONT_VERSION);
    app.require_subcommand(1);
    app.failure_message([](const CLI::App* failed, const CLI::Error& e) {
        return "bcfont: " + std::string(e.what()) + "\n" + usageHint(*failed);
    });
    bcfont::cli::addEncodeCommand(app);
    bcfont::cli::addBatchCommand(app);
    bcfont::cli::addTypesCommand(app);
    bcfont::cli::addRenderCommand(app);
    bcfont::cli::addLabelsCommand(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::RuntimeError& e) {
        return checkedExit(e.get_exit_code());
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return checkedExit(status == 0 ? 0 : bcfont::cli::kExitUsage);
    }
    return checkedExit(0);
}
