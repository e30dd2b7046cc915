// The subcommands of `bcfont` other than `render`.
//
// A subcommand that fails throws CLI::RuntimeError with its exit status
// after reporting on standard error; main() turns that into the status.
#pragma once

namespace CLI {
class App;
}

namespace bcfont::cli {

// Exit statuses of every subcommand.
inline constexpr int kExitRejected = 1;  // data rejected by the encoder
inline constexpr int kExitUsage = 2;     // bad command line, or an I/O error

void addEncodeCommand(CLI::App& app);
void addBatchCommand(CLI::App& app);
void addTypesCommand(CLI::App& app);

}  // namespace bcfont::cli
