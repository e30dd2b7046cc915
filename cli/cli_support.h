// What every `bcfont` subcommand shares: exit statuses, messages on standard
// error, and turning command-line text into an encoded font string.
#pragma once

#include <string>

#include "encoder.h"

namespace bcfont::cli {

// Exit statuses of every subcommand.
inline constexpr int kExitRejected = 1;  // data rejected by the encoder
inline constexpr int kExitUsage = 2;     // bad command line, or an I/O error

// Reports "bcfont: <message>" and ends the subcommand with `status`
// (CLI::RuntimeError, which main() turns into the exit status).
[[noreturn]] void fail(int status, const std::string& message);

void warn(const std::string& message);

// Says once per run that a Code 128 symbol without its check character will
// not scan, when that is what the user asked for.
void warnIfCode128WithoutCheck(CodeType type, bool noCheck);

// The font string of DATA and --addon as typed on the command line (UTF-8,
// taken as Mac OS Roman like the window does). Rejected data fails with
// kExitRejected and the reason; an add-on that has no effect gets a warning.
std::string encodeArguments(CodeType type, const std::string& dataUtf8, const std::string& addonUtf8,
                            bool noCheck);

}  // namespace bcfont::cli
