// What every `bcfont` subcommand shares: exit statuses, messages on standard
// error, and turning command-line text into an encoded font string.
#pragma once

#include <CLI/Error.hpp>
#include <string>

#include "encoder.h"

namespace CLI {
class Validator;
}

namespace bcfont::cli {

// Exit statuses of every subcommand.
inline constexpr int kExitRejected = 1;  // data rejected by the encoder
inline constexpr int kExitUsage = 2;     // bad command line, or an I/O error

// A subcommand that cannot go on: what() is the message, without "bcfont: ".
class CommandFailure : public CLI::RuntimeError {
  public:
    CommandFailure(const std::string& message, int status) : CLI::RuntimeError(message, status) {}
};

// Ends the subcommand with `status`; runCommandLine reports
// "bcfont: <message>".
[[noreturn]] void fail(int status, const std::string& message);

// Accepts a number from `min` to `max`, as --size and --dpi take. Unlike
// CLI::Range it refuses NaN, which compares false with every bound.
CLI::Validator numberBetween(double min, double max);

void warn(const std::string& message);

// Says once per run that a Code 128 symbol without its check character will
// not scan, when that is what the user asked for.
void warnIfCode128WithoutCheck(CodeType type, bool noCheck);

// What `encode` prints of the data: the font string, or the text a label
// prints under the bars.
enum class Printed { FontString, HumanReadable };

// The font string (or text) of DATA and --addon as typed on the command line
// (UTF-8, taken as Mac OS Roman like the window does). Rejected data fails
// with kExitRejected and the reason; an add-on that has no effect gets a
// warning.
std::string encodeArguments(CodeType type, const std::string& dataUtf8, const std::string& addonUtf8,
                            bool noCheck, Printed printed = Printed::FontString);

}  // namespace bcfont::cli
