#include "app.h"

#include <CLI/CLI.hpp>
#include <sstream>

#include "cli_support.h"
#include "commands.h"
#include "labels_command.h"
#include "render_command.h"

namespace bcfont::cli {
namespace {

// Names the subcommand in the usage hint when the error is inside one.
std::string usageHint(const CLI::App& app) {
    for (const CLI::App* sub : app.get_subcommands({})) {
        if (sub->count() > 0) return "Run 'bcfont " + sub->get_name() + " --help' for usage.\n";
    }
    return "Run 'bcfont --help' for usage.\n";
}

}  // namespace

Outcome runCommandLine(const std::vector<std::string>& args, Mode mode) {
    CLI::App app("Barcode font encoder: turns data into font strings for the barcode fonts.", "bcfont");
    app.set_version_flag("--version", "bcfont " BCFONT_VERSION);
    app.require_subcommand(1);
    app.failure_message([](const CLI::App* failed, const CLI::Error& e) {
        return "bcfont: " + std::string(e.what()) + "\n" + usageHint(*failed);
    });
    addEncodeCommand(app, mode);
    addBatchCommand(app, mode);
    addTypesCommand(app, mode);
    addRenderCommand(app, mode);
    addLabelsCommand(app, mode);

    std::vector<const char*> argv{"bcfont"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    Outcome outcome;
    std::ostringstream out;
    std::ostringstream err;
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CommandFailure& e) {
        outcome.status = e.get_exit_code();
        outcome.err = "bcfont: " + std::string(e.what()) + "\n";
    } catch (const CLI::RuntimeError& e) {
        // Already reported as it happened (a batch's rejected lines).
        outcome.status = e.get_exit_code();
    } catch (const CLI::ParseError& e) {
        outcome.status = app.exit(e, out, err) == 0 ? 0 : kExitUsage;
    }
    outcome.out = out.str();
    outcome.err += err.str();
    return outcome;
}

}  // namespace bcfont::cli
