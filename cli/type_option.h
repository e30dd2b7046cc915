// The --type option shared by the subcommands.
#pragma once

#include <string>

#include "encoder.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace bcfont::cli {

// The number and short name of every symbology ("0 ean8, 1 ean13, ..."):
// what --type accepts.
std::string validTypes();

// Adds a required --type to `command`; after parsing, `text` holds a value
// that codeTypeFromString() accepts.
CLI::Option* addTypeOption(CLI::App& command, std::string& text);

// The CodeType of a value that addTypeOption() has validated.
CodeType parsedType(const std::string& text);

}  // namespace bcfont::cli
