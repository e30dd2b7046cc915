// The C++ entry to the encoders: encode() runs Calc's checks and encoders as
// the window does, and turns a rejection into a sentence a person can act on.
#include "encode.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>

#include "catalogue.h"
#include "encoder_internal.h"
#include "gs1/gs1.h"
#include "macroman.h"

namespace bcfont {
namespace {

using internal::Reject;
using internal::Rejection;

// Calc limits the font string to what a caller's buffer holds with its terminator.
constexpr int kMaxFontString = static_cast<int>(kFontStringCapacity) - 1;
// Mac OS Roman's no-break space would show as a plain one between quotes.
constexpr unsigned char kNoBreakSpace = 0xCA;

std::string alphabetName(Alphabet alphabet, Language language) {
    switch (alphabet) {
        case Alphabet::Digits:
            return say(language, text::kDigits);
        case Alphabet::Ascii7WithEscapes:
            return say(language, text::kAscii7);
        case Alphabet::Utf8Text:
            return say(language, text::kUtf8Text);
        case Alphabet::Gs1ElementString:
            break;
    }
    return say(language, text::kGs1ElementStrings);
}

// "7 or 8", "5, 9 or 11".
std::string countsOf(Lengths lengths, Language language) {
    std::string text;
    int left = std::popcount(lengths);
    for (int n = 0; left > 0; ++n) {
        if (!accepts(lengths, n)) continue;
        if (left == 1 && !text.empty()) return say(language, text::kOr, {text, std::to_string(n)});
        if (!text.empty()) text += ", ";
        text += std::to_string(n);
        --left;
    }
    return text;
}

// "~ddd" as typed: the escape's value (0-999) in three digits.
std::string escapeText(std::size_t value) {
    std::string text = std::to_string(1000 + value);
    text[0] = '~';
    return text;
}

std::string sentence(const Symbology& s, const Rejection& r, std::string_view data, Language language) {
    const std::string_view name = s.fullName;
    const std::string got = std::to_string(r.count), at = std::to_string(r.position);
    const auto tell = [language](const Wording& wording, std::initializer_list<std::string_view> args) {
        return say(language, wording, args);
    };
    switch (r.kind) {
        case Reject::None:
            return {};
        case Reject::BadCall:
            return tell(text::kBadCall, {});
        case Reject::DataTooLong:
            return tell(text::kDataTooLong, {std::to_string(s.maxLength), got});
        case Reject::WrongLength:
            return tell(text::kNeedsDigits, {name, countsOf(s.lengths, language), got});
        case Reject::NotInAlphabet:
            return tell(text::kTakesOnly,
                        {name, alphabetName(s.alphabet, language), describeByte(r.byte, language), at});
        case Reject::NumberSystem:
            return tell(text::kNumberSystem, {name, describeByte(r.byte, language)});
        case Reject::AddonNotDigits:
            return tell(text::kAddonNotDigits, {describeByte(r.byte, language), at});
        case Reject::InterleavedTooLong:
            return tell(text::kInterleavedTooLong, {name, std::to_string(kMaxInterleavedEvenWithCheck), got});
        case Reject::EscapeNotAscii:
            if (r.count < 256) return tell(text::kEscapeNotAscii, {name, escapeText(r.count), at});
            return tell(text::kEscapeNotAsciiWraps, {name, escapeText(r.count), at, std::to_string(r.count % 256)});
        case Reject::FontStringTooLong:
            if (r.count == 0) return tell(text::kFontStringTooLong, {std::to_string(kMaxFontString)});
            return tell(text::kFontStringNeeds, {std::to_string(kMaxFontString), got});
        case Reject::PartLength:
            return tell(text::kNeedsDigits, {r.part->name->in(language), countsOf(r.part->lengths, language), got});
        case Reject::DigitOutOfRange:
            return tell(text::kPartOutOfRange, {r.part->name->in(language), std::string(1, r.part->low),
                                                std::string(1, r.part->high), std::string(1, static_cast<char>(r.byte))});
        case Reject::Gs1Syntax:
        case Reject::Gs1UnknownAi:
        case Reject::Gs1Length:
        case Reject::Gs1Charset:
        case Reject::Gs1Check:
        case Reject::Gs1Repeated:
        case Reject::Gs1Excludes:
        case Reject::Gs1Requires:
        case Reject::Gs1TooLong:
        case Reject::Gs1TooWide:
            return gs1::sentence(r, data, language);
        case Reject::NeedsMatrix:
            return say(language, text::kNeedsMatrix, {name});
    }
    return {};
}

// Runs Calc's checks and encoder on a request given as strings. Calc reads
// the add-on as a C string of which only a length of 2 or 5 counts, so its
// first seven bytes decide as much as all of it.
// `write` is Calc's dispatch or the human-readable text's.
using Writer = Rejection (*)(CodeType, const internal::CalcInput&, char*);
Rejection run(CodeType type, std::string_view data, std::string_view addon, bool check,
              std::array<char, kFontStringCapacity>& out, Writer write = internal::calc) {
    if (symbology(type).encoder == nullptr) return {Reject::NeedsMatrix};
    if (data.size() > static_cast<std::size_t>(symbology(type).maxLength))
        return {Reject::DataTooLong, 0, 0, data.size()};
    std::array<char, kMaxInputLength> nutz;
    std::copy(data.begin(), data.end(), nutz.begin());
    // Calc reads the add-on only up to a NUL: "52<NUL>495" would print add-on 52.
    if (symbology(type).offers.addonGroup)
        if (const auto nul = addon.find('\0'); nul != std::string_view::npos)
            return {Reject::AddonNotDigits, 0, static_cast<int>(nul) + 1, 0};
    std::array<char, 8> addonText{};
    std::copy_n(addon.begin(), std::min(addon.size(), addonText.size() - 1), addonText.begin());
    const internal::CalcInput in{nutz.data(), static_cast<int>(data.size()), addonText.data(), check, true};
    return write(type, in, out.data());
}

std::optional<std::string> textOf(CodeType type, std::string_view data, std::string_view addon, bool check,
                                   std::string* whyRejected, Language language, Writer write) {
    // Calc writes nothing for a value that is not a CodeType, and succeeds.
    if (!isCodeType(type)) return std::string();
    std::array<char, kFontStringCapacity> out{};
    const Rejection rejection = run(type, data, addon, check, out, write);
    if (!rejection.accepted()) {
        if (whyRejected != nullptr) *whyRejected = sentence(symbology(type), rejection, data, language);
        return std::nullopt;
    }
    return std::string(out.data());
}

// The check digit Calc computes in place of the last digit of a full-length
// EAN/UPC number.
int computedCheckDigit(CodeType type, std::string_view digits) {
    if (type == UPCE) return internal::checkDigitMod10(internal::upcAFromUpcE(digits.data()).data(), 11);
    return internal::checkDigitMod10(digits.data(), static_cast<int>(digits.size()) - 1);
}

}  // namespace

// The character for anything printable (in Mac OS Roman, as every front end
// reads text), a number for control bytes.
std::string describeByte(unsigned char c, Language language) {
    if (c == 0) return "NUL";
    if (c == ' ') return say(language, text::kASpace);
    if (c == kNoBreakSpace) return say(language, text::kANoBreakSpace);
    if (c < 32 || c == 127) return say(language, text::kByteNumber, {std::to_string(c)});
    std::string quoted(1, '\'');
    quoted += macroman::toUtf8(std::string_view(reinterpret_cast<const char*>(&c), 1));
    quoted += '\'';
    return quoted;
}

// The encoder says whether anything changed; only then is the data read
// again here to say what, so that the common case costs one run.
std::vector<DataChange> changesMade(CodeType type, std::string_view data) {
    if (!isCodeType(type)) return {};
    std::array<char, kFontStringCapacity> out{};
    if (!run(type, data, "", true, out).changedData()) return {};
    if (symbology(type).alphabet == Alphabet::Digits) {
        const int check = computedCheckDigit(type, data);
        return {{DataChange::Kind::CheckDigitReplaced, data.back() - '0', check}};
    }
    std::vector<DataChange> changes;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    for (std::size_t i = 0; i < data.size();) {
        const internal::DataWord word = internal::readDataWord(bytes + i, static_cast<int>(data.size() - i));
        if (internal::wrapsAround(word))
            changes.push_back({DataChange::Kind::EscapeWrapped, word.value, word.value % 256});
        i += static_cast<std::size_t>(word.consumed);
    }
    return changes;
}

std::string changeSentence(const DataChange& change, Language language) {
    if (change.kind == DataChange::Kind::CheckDigitReplaced)
        return say(language, text::kCheckDigitReplaced, {std::to_string(change.typed), std::to_string(change.taken)});
    return say(language, text::kEscapeTakenAs,
               {escapeText(static_cast<std::size_t>(change.typed)), escapeText(static_cast<std::size_t>(change.taken)),
                describeByte(static_cast<unsigned char>(change.taken), language)});
}

std::string rejectionReason(CodeType type, std::string_view data, std::string_view addon, bool check,
                            Language language) {
    if (!isCodeType(type)) return {};
    std::array<char, kFontStringCapacity> out{};
    return sentence(symbology(type), run(type, data, addon, check, out), data, language);
}

std::optional<std::string> encode(CodeType type, std::string_view data, std::string_view addon, bool check,
                                  std::string* whyRejected, Language language) {
    return textOf(type, data, addon, check, whyRejected, language, internal::calc);
}

std::optional<std::string> humanReadable(CodeType type, std::string_view data, std::string_view addon, bool check,
                                         std::string* whyRejected, Language language) {
    return textOf(type, data, addon, check, whyRejected, language, internal::humanReadableText);
}

std::string elementTitles(CodeType type, std::string_view data) {
    if (!isCodeType(type)) return {};
    const internal::TitlesWriter titles = symbology(type).titles;
    return titles == nullptr ? std::string() : titles(data);
}

}  // namespace bcfont
