// The C++ entry to the encoders: encode() runs Calc's checks and encoders as
// the window does, and turns a rejection into a sentence a person can act on.
#include "encode.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>

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

std::string atPosition(int position) {
    return " at position " + std::to_string(position);
}

std::string alphabetName(Alphabet alphabet) {
    switch (alphabet) {
        case Alphabet::Digits:
            return "digits";
        case Alphabet::Ascii7WithEscapes:
            return "7-bit ASCII";
        case Alphabet::Utf8Text:
            return "UTF-8 text";
        case Alphabet::Gs1ElementString:
            break;
    }
    return "GS1 element strings";
}

// "7 or 8", "5, 9 or 11".
std::string countsOf(Lengths lengths) {
    std::string text;
    int left = std::popcount(lengths);
    for (int n = 0; left > 0; ++n) {
        if (!accepts(lengths, n)) continue;
        if (!text.empty()) text += left == 1 ? " or " : ", ";
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

std::string sentence(const Symbology& s, const Rejection& r, std::string_view data) {
    const std::string name(s.fullName);
    const std::string got = std::to_string(r.count);
    switch (r.kind) {
        case Reject::None:
            return {};
        case Reject::BadCall:
            return "no data buffer, or a negative length";
        case Reject::DataTooLong:
            return "data is longer than " + std::to_string(s.maxLength) + " characters (got " + got + ")";
        case Reject::WrongLength:
            return name + " needs " + countsOf(s.lengths) + " digits, got " + got;
        case Reject::NotInAlphabet:
            return name + " takes " + alphabetName(s.alphabet) + " only: " + describeByte(r.byte) +
                   atPosition(r.position);
        case Reject::NumberSystem:
            return name + " must start with 0 or 1 (number system), got " + describeByte(r.byte);
        case Reject::AddonNotDigits:
            return "the add-on must be digits: " + describeByte(r.byte) + atPosition(r.position);
        case Reject::InterleavedTooLong:
            return name + " with a check digit takes at most " +
                   std::to_string(kMaxInterleavedEvenWithCheck) + " digits when their number is even, got " +
                   got;
        case Reject::EscapeNotAscii: {
            std::string text = name + " escape " + escapeText(r.count) + atPosition(r.position) +
                               " is not an ASCII character";
            if (r.count >= 256) text += " (it stands for byte " + std::to_string(r.count % 256) + ")";
            return text;
        }
        case Reject::FontStringTooLong: {
            std::string text = "the font string would not fit " + std::to_string(kMaxFontString) + " bytes";
            if (r.count > 0) text += " (it needs " + got + ")";
            return text + "; shorten the data or avoid mixing code sets";
        }
        case Reject::PartLength:
            return std::string(r.part->name) + " needs " + countsOf(r.part->lengths) + " digits, got " + got;
        case Reject::DigitOutOfRange:
            return std::string(r.part->name) + " must be " + r.part->low + " to " + r.part->high + ", got " +
                   static_cast<char>(r.byte);
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
            return gs1::sentence(r, data);
        case Reject::NeedsMatrix:
            return name + " is a 2D code, which this build of the encoder does not make";
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
                                   std::string* whyRejected, Writer write) {
    // Calc writes nothing for a value that is not a CodeType, and succeeds.
    if (!isCodeType(type)) return std::string();
    std::array<char, kFontStringCapacity> out{};
    const Rejection rejection = run(type, data, addon, check, out, write);
    if (!rejection.accepted()) {
        if (whyRejected != nullptr) *whyRejected = sentence(symbology(type), rejection, data);
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
std::string describeByte(unsigned char c) {
    if (c == 0) return "NUL";
    if (c == ' ') return "a space";
    if (c == kNoBreakSpace) return "a no-break space";
    if (c < 32 || c == 127) return "byte " + std::to_string(c);
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

std::string changeSentence(const DataChange& change) {
    if (change.kind == DataChange::Kind::CheckDigitReplaced)
        return "check digit " + std::to_string(change.typed) + " replaced by " + std::to_string(change.taken);
    return escapeText(static_cast<std::size_t>(change.typed)) + " is taken as " +
           escapeText(static_cast<std::size_t>(change.taken)) + " (" +
           describeByte(static_cast<unsigned char>(change.taken)) + ")";
}

std::string rejectionReason(CodeType type, std::string_view data, std::string_view addon, bool check) {
    if (!isCodeType(type)) return {};
    std::array<char, kFontStringCapacity> out{};
    return sentence(symbology(type), run(type, data, addon, check, out), data);
}

std::optional<std::string> encode(CodeType type, std::string_view data, std::string_view addon, bool check,
                                  std::string* whyRejected) {
    return textOf(type, data, addon, check, whyRejected, internal::calc);
}

std::optional<std::string> humanReadable(CodeType type, std::string_view data, std::string_view addon, bool check,
                                         std::string* whyRejected) {
    return textOf(type, data, addon, check, whyRejected, internal::humanReadableText);
}

std::string elementTitles(CodeType type, std::string_view data) {
    if (!isCodeType(type)) return {};
    const internal::TitlesWriter titles = symbology(type).titles;
    return titles == nullptr ? std::string() : titles(data);
}

}  // namespace bcfont
