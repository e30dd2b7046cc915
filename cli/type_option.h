// The --type option shared by the subcommands.
#pragma once

#include <string>

#include "encoder.h"
#include "type_choice.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace bcfont::cli {

// The number and short name of every symbology ("0 ean8, 1 ean13, ..."):
// what --type accepts.
std::string validTypes();

// Adds a required --type to `command`; after parsing, `text` holds a type
// spec that parseTypeSpec() accepts: a name or number, and for the 2D codes
// options after a colon ("qr:ecc=H").
CLI::Option* addTypeOption(CLI::App& command, std::string& text);

// The spec of a value that addTypeOption() has validated.
TypeSpec parsedSpec(const std::string& text);

// Its symbology.
inline CodeType parsedType(const std::string& text) {
    return parsedSpec(text).type;
}

}  // namespace bcfont::cli
