// A text in the languages bcfont speaks, and how a front end picks one. The
// texts themselves are the rows of catalogue.h; every front end words its
// reasons and reports through them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace bcfont {

enum class Language : std::uint8_t { English, German };

// One text in English and German. "{1}" to "{9}" stand for the arguments
// say() fills in; both languages must use the same ones, which the compiler
// checks for every row.
class Wording {
  public:
    consteval Wording(std::string_view english, std::string_view german) : english_(english), german_(german) {
        // A throw in a consteval call is a compile error naming the row.
        if (german.empty() || placeholders(english) != placeholders(german))
            throw "a German text with the English text's placeholders";
    }
    constexpr std::string_view in(Language language) const {
        return language == Language::German ? german_ : english_;
    }

  private:
    // A bit for each of {1} to {9} the text holds.
    static constexpr unsigned placeholders(std::string_view text) {
        unsigned bits = 0;
        for (std::size_t i = 0; i + 2 < text.size(); ++i)
            if (text[i] == '{' && text[i + 1] >= '1' && text[i + 1] <= '9' && text[i + 2] == '}')
                bits |= 1U << (text[i + 1] - '1');
        return bits;
    }
    std::string_view english_, german_;
};

// The wording in `language` with {1}, {2}, ... replaced by `args` in order.
std::string say(Language language, const Wording& wording, std::initializer_list<std::string_view> args = {});

// A number printed with a decimal point ("12.5"), as `language` writes it:
// German with a decimal comma.
std::string decimal(std::string_view number, Language language);

// The language of a locale name or language tag as the environment and
// UNO give them: "de", "de_AT.UTF-8", "de-CH" are German; anything else,
// "C" and "POSIX" included, is English.
Language languageOfTag(std::string_view tag);

// The language of the messages as GNU programs choose it from their
// environment (null for an unset variable): the locale is the first
// non-empty of LC_ALL, LC_MESSAGES and LANG; in the "C" locale (or none)
// messages are English; otherwise LANGUAGE, a list such as "fr:de:en",
// names the languages in order of preference, its first known one counts,
// and without LANGUAGE the locale's language does. Only the variables are
// read: German needs no locale generated on the system.
Language languageOfEnvironment(const char* language, const char* lcAll, const char* lcMessages,
                               const char* lang);

}  // namespace bcfont
