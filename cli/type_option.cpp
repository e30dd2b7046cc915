#include "type_option.h"

#include <CLI/CLI.hpp>

#include "symbology.h"

namespace bcfont::cli {

std::string validTypes() {
    std::string list;
    for (int t = 0; t < kCodeTypeCount; ++t) {
        if (t > 0) list += ", ";
        list += std::to_string(t) + " " + std::string(symbology(static_cast<CodeType>(t)).name);
    }
    return list;
}

CLI::Option* addTypeOption(CLI::App& command, std::string& text) {
    const CLI::Validator knownType(
        [](std::string& value) -> std::string {
            if (codeTypeFromString(value)) return {};
            return "unknown type '" + value + "'; valid types: " + validTypes();
        },
        "", "symbology");
    return command.add_option("-t,--type", text, "Symbology: its number 0-10 or name (see `bcfont types`)")
        ->required()
        ->type_name("TYPE")
        ->check(knownType);
}

CodeType parsedType(const std::string& text) {
    return codeTypeFromString(text).value_or(EAN8);
}

}  // namespace bcfont::cli
