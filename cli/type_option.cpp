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

// "Symbology: its number 0-17 or name (see `bcfont types`), ..."
std::string typeHelp() {
    return "Symbology: its number 0-" + std::to_string(kCodeTypeCount - 1) +
           " or name (see `bcfont types`); 2D codes take options after a colon, e.g. qr:ecc=H";
}

}  // namespace

CLI::Option* addTypeOption(CLI::App& command, std::string& text) {
    const CLI::Validator knownType(
        [](std::string& value) -> std::string {
            const ParsedSpec parsed = parseTypeSpec(value);
            if (parsed.ok()) return {};
            std::string why = specFaultSentence(parsed.fault);
            if (parsed.fault.kind == SpecFault::Kind::UnknownType) why += "; valid types: " + validTypes();
            return why;
        },
        "", "symbology");
    return command.add_option("-t,--type", text, typeHelp())->required()->type_name("TYPE")->check(knownType);
}

TypeSpec parsedSpec(const std::string& text) {
    return parseTypeSpec(text).spec;
}

}  // namespace bcfont::cli
