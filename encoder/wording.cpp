#include "wording.h"

#include <optional>

namespace bcfont {
namespace {

bool isSet(const char* value) {
    return value != nullptr && *value != '\0';
}

// The language a tag names, when bcfont speaks it.
std::optional<Language> knownLanguage(std::string_view tag) {
    const std::string_view code = tag.substr(0, tag.find_first_of("_-.@"));
    if (code == "de") return Language::German;
    if (code == "en" || code == "C" || code == "POSIX") return Language::English;
    return std::nullopt;
}

}  // namespace

std::string say(Language language, const Wording& wording, std::initializer_list<std::string_view> args) {
    const std::string_view text = wording.in(language);
    std::string out;
    out.reserve(text.size() + 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool placeholder = text[i] == '{' && i + 2 < text.size() && text[i + 1] >= '1' &&
                                 text[i + 1] <= '9' && text[i + 2] == '}';
        if (!placeholder) {
            out += text[i];
            continue;
        }
        const auto index = static_cast<std::size_t>(text[i + 1] - '1');
        if (index < args.size()) out += *(args.begin() + index);
        i += 2;
    }
    return out;
}

std::string decimal(std::string_view number, Language language) {
    std::string text(number);
    if (language == Language::German)
        for (char& c : text)
            if (c == '.') c = ',';
    return text;
}

Language languageOfTag(std::string_view tag) {
    return knownLanguage(tag).value_or(Language::English);
}

Language languageOfEnvironment(const char* language, const char* lcAll, const char* lcMessages,
                               const char* lang) {
    const char* locale = isSet(lcAll) ? lcAll : isSet(lcMessages) ? lcMessages : lang;
    // GNU programs ignore LANGUAGE in the C locale.
    const std::string_view name = isSet(locale) ? locale : "C";
    if (name == "C" || name == "POSIX" || name.starts_with("C.")) return Language::English;
    if (!isSet(language)) return languageOfTag(locale);
    std::string_view list = language;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        if (const auto known = knownLanguage(list.substr(0, colon))) return *known;
        list = colon == std::string_view::npos ? std::string_view{} : list.substr(colon + 1);
    }
    return Language::English;
}

}  // namespace bcfont
