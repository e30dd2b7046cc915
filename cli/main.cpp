// bcfont: barcode font strings from the command line.
#include <CLI/CLI.hpp>
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

}  // namespace

int main(int argc, char** argv) {
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
        return e.get_exit_code();
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : bcfont::cli::kExitUsage;
    }
    return 0;
}
