// The subcommands of `bcfont` other than `render`.
//
// A subcommand that fails throws CommandFailure (see fail()), or
// CLI::RuntimeError with its exit status after reporting on standard error.
// In Mode::CheckOnly each judges its arguments and stops before any file or
// stream is touched.
#pragma once

#include "app.h"
#include "cli_support.h"

namespace CLI {
class App;
}

namespace bcfont::cli {

void addEncodeCommand(CLI::App& app, Mode mode);
void addBatchCommand(CLI::App& app, Mode mode);
void addTypesCommand(CLI::App& app, Mode mode);

}  // namespace bcfont::cli
