// The subcommands of `bcfont` other than `render`.
//
// A subcommand that fails throws CLI::RuntimeError with its exit status
// after reporting on standard error; main() turns that into the status.
#pragma once

#include "cli_support.h"

namespace CLI {
class App;
}

namespace bcfont::cli {

void addEncodeCommand(CLI::App& app);
void addBatchCommand(CLI::App& app);
void addTypesCommand(CLI::App& app);

}  // namespace bcfont::cli
