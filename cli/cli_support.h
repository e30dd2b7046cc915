// What every `bcfont` subcommand shares: exit statuses, messages on standard
// error, and turning command-line text into an encoded font string.
#pragma once

#include <CLI/Error.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "encoder.h"
#include "wording.h"
#include "output.h"
#include "type_choice.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

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

// The values a numeric option takes.
struct NumberRange {
    double min;
    double max;
    bool whole;  // only whole numbers, as --dpi, --skip and --copies
};

// Adds the numeric option `name` (e.g. "--dpi"), kept as typed in `text` and
// read by numberOption() when the command runs, so that every wrong value
// gets one short message. Help shows `shown`'s range when there is one.
CLI::Option* addNumberOption(CLI::App& command, const std::string& name, std::string& text,
                             const std::string& help, const NumberRange* shown);

// The number in `text`, blanks around it ignored (as a shell script or a
// spreadsheet cell may leave them), when it lies in `range`; otherwise fails
// with kExitUsage: "--skip must be 0 to 20 for Avery L7160, not -1".
// `context` follows the range (" for Avery L7160").
double numberOption(const std::string& option, const std::string& text, NumberRange range,
                    const std::string& context = {});

// Adds --force: replace a write-protected output file.
void addForceFlag(CLI::App& command, bool& force);

// Opens the output `name` through fileio::Output, or fails with kExitUsage
// and the reason: it is one of `inputs`, it cannot be written, or it is a
// write-protected file and `force` is false.
void openOutput(fileio::Output& out, const std::string& name, const std::vector<std::string>& inputs,
                bool force);

// Writes `bytes` as the whole of `out` and names it, or fails with kExitUsage.
void writeWholeOutput(fileio::Output& out, std::string_view bytes);

// The language of reasons, warnings and summaries, from LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG as GNU programs read them; English in the C locale.
Language messageLanguage();

// "bcfont: warning: <message>" on standard error, in messageLanguage().
void warn(const std::string& message);

// "line 17: <text>", in messageLanguage().
std::string lineSays(std::uint64_t line, const std::string& text);

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
std::string encodeArguments(const TypeSpec& spec, const std::string& dataUtf8, const std::string& addonUtf8,
                            bool noCheck, Printed printed = Printed::FontString);

}  // namespace bcfont::cli
