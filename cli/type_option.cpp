#include "type_option.h"

#include <CLI/CLI.hpp>

#include "symbology.h"

namespace bcfont::cli {

std::string validTypes() {
    std::string list;
    for (const Symbology& s : symbologies()) {
        if (!list.empty()) list += ", ";
        list += std::to_string(s.type) + " " + std::string(s.name);
    }
    return list;
}

namespace {

// "Symbology: its number 0-10 or name (see `bcfont types`)"
std::string typeHelp() {
    return "Symbology: its number 0-" + std::to_string(kCodeTypeCount - 1) + " or name (see `bcfont types`)";
}

}  // namespace

CLI::Option* addTypeOption(CLI::App& command, std::string& text) {
    const CLI::Validator knownType(
        [](std::string& value) -> std::string {
            if (codeTypeFromString(value)) return {};
            return "unknown type '" + value + "'; valid types: " + validTypes();
        },
        "", "symbology");
    return command.add_option("-t,--type", text, typeHelp())->required()->type_name("TYPE")->check(knownType);
}

CodeType parsedType(const std::string& text) {
    return codeTypeFromString(text).value_or(EAN8);
}

}  // namespace bcfont::cli
