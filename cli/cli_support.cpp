#include "cli_support.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <optional>
#include <string_view>

#include "catalogue.h"
#include "encode.h"
#include "encode_text.h"
#include "gs1/gs1.h"
#include "matrix.h"
#include "macroman.h"
#include "symbology.h"

namespace bcfont::cli {
namespace {

// The main EAN-13 symbol is 16 characters; anything beyond is the add-on.
constexpr std::size_t kEan13MainSymbolLength = 16;

}  // namespace

void fail(int status, const std::string& message) {
    throw CommandFailure(message, status);
}

namespace {

// "0 to 20", "1 to 1000", "a whole number from 0 to 20".
std::string rangeText(NumberRange range, bool sayWhole) {
    char text[96];
    std::snprintf(text, sizeof text, "%s%.15g to %.15g", sayWhole ? "a whole number from " : "", range.min,
                  range.max);
    return text;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view withoutBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A decimal number as a person writes it ("300", "+2", "12.5", "1e3");
// nothing for anything else, NaN and infinities included.
std::optional<double> decimalNumber(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The value as the message shows it: a number as typed, anything else
// quoted, and never so long that the message is lost.
std::string shownValue(const std::string& text, bool isNumber) {
    constexpr std::size_t kLongest = 40;
    std::string shown = isNumber ? std::string(withoutBlanks(text)) : text;
    if (shown.size() > kLongest) shown = shown.substr(0, kLongest) + "...";
    return isNumber ? shown : "'" + shown + "'";
}

}  // namespace

CLI::Option* addNumberOption(CLI::App& command, const std::string& name, std::string& text,
                             const std::string& help, const NumberRange* shown) {
    CLI::Option* option = command.add_option(name, text, help);
    // Help shows the kind and range as CLI11's own range check does, which
    // the man page generator reads.
    char kind[96] = "";
    if (shown != nullptr)
        std::snprintf(kind, sizeof kind, "NUMBER in [%.15g - %.15g]", shown->min, shown->max);
    option->type_name(shown == nullptr || shown->whole ? "INT" : "FLOAT");
    if (*kind != '\0') option->check(CLI::Validator(kind));
    if (!text.empty()) option->capture_default_str();
    return option;
}

double numberOption(const std::string& option, const std::string& text, NumberRange range,
                    const std::string& context) {
    const std::optional<double> value = decimalNumber(withoutBlanks(text));
    const bool inRange = value && *value >= range.min && *value <= range.max;
    const bool fraction = value && range.whole && std::trunc(*value) != *value;
    if (inRange && !fraction) return *value;
    fail(kExitUsage, option + " must be " + rangeText(range, fraction) + context + ", not " +
                         shownValue(text, value.has_value()));
}

void addForceFlag(CLI::App& command, bool& force) {
    command.add_flag("--force", force, "Replace the output file even when it is write-protected");
}

void openOutput(fileio::Output& out, const std::string& name, const std::vector<std::string>& inputs,
                bool force) {
    const std::string why =
        out.open(name, inputs, force ? fileio::Replace::EvenProtected : fileio::Replace::IfWritable);
    if (why.empty()) return;
    fail(kExitUsage, out.refusedAsProtected() ? why + "; --force replaces it" : why);
}

void writeWholeOutput(fileio::Output& out, std::string_view bytes) {
    std::string why = out.write(bytes);
    if (why.empty()) why = out.commit();
    if (!why.empty()) fail(kExitUsage, why);
}

Language messageLanguage() {
    return languageOfEnvironment(std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                 std::getenv("LANG"));
}

void warn(const std::string& message) {
    std::fprintf(stderr, "bcfont: %s\n", say(messageLanguage(), text::kWarning, {message}).c_str());
}

std::string lineSays(std::uint64_t line, const std::string& text) {
    return say(messageLanguage(), text::kLineSays, {std::to_string(line), text});
}

void warnIfCode128WithoutCheck(CodeType type, bool noCheck) {
    if (noCheck && scannersNeedCheck(type)) warn(say(messageLanguage(), text::kCode128WithoutCheck));
}

std::string encodeArguments(const TypeSpec& spec, const std::string& dataUtf8, const std::string& addonUtf8,
                            bool noCheck, Printed printed) {
    const CodeType type = spec.type;
    if (symbology(type).matrix.isMatrix() && printed == Printed::HumanReadable)
        fail(kExitUsage, "--hri is for the linear types; the text of a 2D code is its data");
    const Language language = messageLanguage();
    Encoded encoded = encodeRequest(spec, dataUtf8, addonUtf8, !noCheck, language);
    if (!encoded.ok()) fail(kExitRejected, encoded.text);
    const std::string* fontString = &encoded.text;
    // Only valid UTF-8 gets here: the data and add-on in Mac OS Roman.
    const std::string data = macroman::fromUtf8(dataUtf8).value_or(std::string());
    const std::string addon = macroman::fromUtf8(addonUtf8).value_or(std::string());

    if (!addon.empty() && !symbology(type).offers.addonGroup)
        warn(say(language, text::kAddonIgnored));
    if (!addon.empty() && type == EAN13 && fontString->size() <= kEan13MainSymbolLength)
        warn(say(language, text::kAddonNotAdded));
    for (const DataChange& change : changesMade(type, data)) warn(changeSentence(change, language));
    warnIfCode128WithoutCheck(type, noCheck);
    if (type == C128EAN && gs1::looksLikeBracketedGs1(data)) warn(say(language, text::kGs1128Hint));
    if (printed == Printed::HumanReadable) return humanReadable(type, data, addon, !noCheck).value_or("");
    return *fontString;
}

}  // namespace bcfont::cli
