// The sentences of GS1-128 rejections, the AI titles and the Code 128
// EAN/UCC hint: the only place that words them.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "catalogue.h"
#include "encode.h"
#include "element_string.h"
#include "gs1.h"
#include "macroman.h"

namespace bcfont::gs1 {
namespace {

using internal::Reject;
using internal::Rejection;

std::string bracketed(std::string_view ai) {
    std::string text(1, '(');
    text += ai;
    text += ')';
    return text;
}

std::string syntaxSentence(const Rejection& r, std::string_view data, Language language) {
    const auto index = static_cast<std::size_t>(r.position - 1);
    const char open = data.empty() ? '(' : data[0], close = open == '[' ? ']' : ')';
    const std::string at = std::to_string(r.position), opening(1, open), closing(1, close);
    const std::string expected = say(language, text::kGs1Expected);
    switch (static_cast<Syntax>(r.byte)) {
        case Syntax::NoAi:
            if (data.empty()) return say(language, text::kGs1Empty, {expected});
            return say(language, text::kGs1NoAi,
                       {bcfont::describeByte(static_cast<unsigned char>(data[0]), language), expected});
        case Syntax::Space:
            return say(language, text::kGs1Space, {at, expected});
        case Syntax::AiNotClosed:
            return say(language, text::kGs1AiNotClosed, {opening, at, closing});
        case Syntax::AiNotDigits: {
            const std::size_t end = data.find(close, index);
            // Reasons are UTF-8 text; the data is Mac OS Roman bytes.
            return say(language, text::kGs1AiNotDigits,
                       {macroman::toUtf8(data.substr(index, end - index + 1)), at, opening, closing});
        }
        case Syntax::EmptyValue: {
            const std::size_t end = data.find(close, index);
            return say(language, text::kGs1EmptyValue,
                       {bracketed(macroman::toUtf8(data.substr(index + 1, end - index - 1))), at});
        }
        case Syntax::StrayBracket:
            return say(language, text::kGs1StrayBracket, {closing, at});
        case Syntax::BadEscape:
            return say(language, text::kGs1BadEscape, {at, opening, closing});
    }
    return {};
}

const Wording& charsetName(Charset set) {
    switch (set) {
        case Charset::Digits:
            return text::kGs1ADigit;
        case Charset::Cset82:
            break;
        case Charset::Cset39:
            return text::kGs1Cset39;
        case Charset::Cset64:
            return text::kGs1Cset64;
    }
    return text::kGs1Cset82;
}

// "18 digits", "at most 20 characters", "4 to 12 characters".
std::string lengthSentence(std::string_view ai, const AiEntry& e, std::size_t got, Language language) {
    bool digits = true;
    for (int i = 0; i < e.componentCount; ++i) digits = digits && e.components[static_cast<std::size_t>(i)].charset == Charset::Digits;
    const std::string unit = say(language, digits ? text::kDigits : text::kCharacters);
    const int lo = minLength(e), hi = maxLength(e);
    const std::string shown = bracketed(ai), low = std::to_string(lo), high = std::to_string(hi), count = std::to_string(got);
    if (lo == hi) return say(language, text::kGs1LengthExactly, {shown, low, unit, count});
    if (static_cast<int>(got) > hi) return say(language, text::kGs1LengthAtMost, {shown, high, unit, count});
    return say(language, text::kGs1LengthBetween, {shown, low, high, unit, count});
}

// Value text as UTF-8: it is Mac OS Roman bytes, like all data.
// A control byte (a NUL after Calc's first one) shows as U+FFFD: a reason
// is one line of text, and a NUL in it would end it early in C.
std::string quote(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        shown += b < 32 || b == 127 ? std::string("\uFFFD") : macroman::toUtf8(std::string_view(&c, 1));
    }
    return shown;
}

// Where a check's finding is packed into a rejection's count.
struct Where {
    std::size_t at, len, field, need;
    explicit Where(std::size_t count)
        : at(count & 0xFF), len(count >> 8 & 0xFF), field(count >> 16 & 0xFF), need(count >> 24 & 0xFF) {}
};

std::string couponSentence(Fault fault, const Where& w, const std::string& shown, Language language) {
    const CouponFieldFacts& f = kCouponFields[std::min(w.field, kCouponFields.size() - 1)];
    const std::string name(f.name), allowed(f.allowed);
    switch (fault) {
        case Fault::CouponNotDigit:
            return say(language, text::kGs1CouponNotDigit, {shown, std::to_string(w.at + 1)});
        case Fault::CouponMissing:
            return say(language, text::kGs1CouponMissing, {name});
        case Fault::CouponLength:
            return say(language, text::kGs1CouponLength, {shown, name, allowed});
        case Fault::CouponCutShort:
            return say(language, text::kGs1CouponCutShort, {name, std::to_string(w.need), std::to_string(w.len)});
        case Fault::CouponCode:
            return say(language, text::kGs1CouponCode, {shown, name, allowed});
        case Fault::CouponDates:
            return say(language, text::kGs1CouponDates, {shown.substr(7), shown.substr(0, 6)});
        default:
            break;
    }
    if (static_cast<CouponField>(w.field) == CouponField::SerialNumber)
        return say(language, text::kGs1CouponAfterSerial, {shown});
    return say(language, text::kGs1CouponExcess, {shown});
}

std::string faultSentence(const ElementString& es, const Element& e, Fault fault, const Where& w, Language language) {
    const std::size_t at = w.at, len = w.len;
    const std::string_view value = es.value(e);
    const std::string shown = quote(value.substr(at, len));
    // The part of the value the check ran on, for the checks that need it.
    std::array<Part, 5> parts;
    const int count = split(*e.entry, value, parts);
    std::string_view part = value;
    Charset charset = Charset::Cset82;
    for (int p = 0; p < count; ++p) {
        const Part& q = parts[static_cast<std::size_t>(p)];
        if (at >= q.at && at < static_cast<std::size_t>(q.at + q.length)) {
            part = value.substr(q.at, q.length);
            charset = q.component->charset;
        }
    }
    const auto tell = [language](const Wording& wording, std::initializer_list<std::string_view> args) {
        return say(language, wording, args);
    };
    switch (fault) {
        case Fault::None:
            return {};
        case Fault::CheckDigit:
            return tell(text::kGs1CheckDigit, {std::string(1, keyCheckDigit(part.substr(0, part.size() - 1)))});
        case Fault::CheckPair: {
            if (part.size() < 3) return tell(text::kGs1PairTooShort, {});
            const auto pair = checkPair(part.substr(0, part.size() - 2));
            return tell(text::kGs1CheckPair, {std::string{pair[0], pair[1]}});
        }
        case Fault::Month:
            return tell(text::kGs1Month, {shown});
        case Fault::Day:
            return tell(text::kGs1Day, {shown, quote(value.substr(at - 2, 2))});
        case Fault::Hour:
            return tell(text::kGs1Hour, {shown});
        case Fault::Minute:
            return tell(text::kGs1Minute, {shown});
        case Fault::Second:
            return tell(text::kGs1Second, {shown});
        case Fault::Country:
            return tell(text::kGs1Country, {shown});
        case Fault::CountryOr999:
            return tell(text::kGs1CountryOr999, {shown});
        case Fault::CountryAlpha2:
            return tell(text::kGs1CountryAlpha2, {shown});
        case Fault::Currency:
            return tell(text::kGs1Currency, {shown});
        case Fault::NonZero:
            return tell(text::kGs1NonZero, {shown});
        case Fault::Zero:
            return tell(text::kGs1Zero, {shown});
        case Fault::YesNo:
            return tell(text::kGs1YesNo, {shown});
        case Fault::Winding:
            return tell(text::kGs1Winding, {shown});
        case Fault::Hyphen:
            return tell(text::kGs1Hyphen, {shown});
        case Fault::Sex:
            return tell(text::kGs1Sex, {shown});
        case Fault::MediaType:
            return tell(text::kGs1MediaType, {shown});
        case Fault::Piece:
            return tell(text::kGs1Piece, {});
        case Fault::PieceOverTotal:
            return tell(text::kGs1PieceOverTotal, {quote(shown.substr(0, 2)), quote(shown.substr(2, 2))});
        case Fault::PositionSlash:
            return tell(text::kGs1PositionSlash, {shown});
        case Fault::ImporterIndex:
            return tell(text::kGs1ImporterIndex, {shown});
        case Fault::ZeroPrefix:
            return tell(text::kGs1ZeroPrefix, {});
        case Fault::AllDigits:
            return tell(text::kGs1AllDigits, {});
        case Fault::PercentEscape:
            return tell(text::kGs1PercentEscape, {shown});
        case Fault::IbanForm:
            return tell(text::kGs1IbanForm, {});
        case Fault::IbanCheck:
            return tell(text::kGs1IbanCheck, {shown});
        case Fault::Latitude:
            return tell(text::kGs1Latitude, {shown});
        case Fault::Longitude:
            return tell(text::kGs1Longitude, {shown});
        case Fault::PartCutShort:
            return tell(text::kGs1PartCutShort, {shown, std::to_string(at + 1), std::to_string(w.need),
                                                 say(language, charset == Charset::Digits ? text::kDigits : text::kCharacters),
                                                 std::to_string(len)});
        case Fault::PrefixNotDigit:
            return tell(text::kGs1PrefixNotDigit,
                        {bcfont::describeByte(static_cast<unsigned char>(value[at]), language), std::to_string(at + 1)});
        case Fault::PrefixTooShort:
            return tell(text::kGs1PrefixTooShort, {});
        case Fault::PackageType:
            return tell(text::kGs1PackageType, {shown});
        case Fault::CouponNotDigit:
        case Fault::CouponMissing:
        case Fault::CouponLength:
        case Fault::CouponCutShort:
        case Fault::CouponCode:
        case Fault::CouponDates:
        case Fault::CouponExcess:
            return couponSentence(fault, w,
                                  fault == Fault::CouponNotDigit
                                      ? bcfont::describeByte(static_cast<unsigned char>(value[at]), language)
                                      : shown,
                                  language);
    }
    return {};
}

// "(01), (02) or (8006)", with "(01) with (21)" for AIs that go together.
std::string alternatives(std::string_view list, Language language) {
    std::string text;
    while (!list.empty()) {
        const std::size_t end = list.find(',');
        std::string_view all = list.substr(0, end);
        list = end == std::string_view::npos ? std::string_view{} : list.substr(end + 1);
        std::string group;
        while (!all.empty()) {
            const std::size_t plus = all.find('+');
            group = group.empty() ? bracketed(all.substr(0, plus))
                                  : say(language, text::kGs1With, {group, bracketed(all.substr(0, plus))});
            all = plus == std::string_view::npos ? std::string_view{} : all.substr(plus + 1);
        }
        if (text.empty()) text = group;
        else if (list.empty()) text = say(language, text::kOr, {text, group});
        else text += ", " + group;
    }
    return text;
}

std::string elementSentence(const Rejection& r, const ElementString& es, const Element& e, Language language) {
    const std::string ai = bracketed(es.ai(e));
    const std::string_view value = es.value(e);
    switch (r.kind) {
        case Reject::Gs1UnknownAi:
            return say(language, text::kGs1UnknownAi, {ai});
        case Reject::Gs1Length:
            return lengthSentence(es.ai(e), *e.entry, r.count, language);
        case Reject::Gs1Charset: {
            std::array<Part, 5> parts;
            const int count = split(*e.entry, value, parts);
            Charset set = Charset::Cset82;
            for (int p = 0; p < count; ++p) {
                const Part& q = parts[static_cast<std::size_t>(p)];
                if (r.count > q.at && r.count <= static_cast<std::size_t>(q.at + q.length)) set = q.component->charset;
            }
            return say(language, text::kGs1Charset,
                       {ai, quote(value), bcfont::describeByte(r.byte, language), std::to_string(r.count),
                        charsetName(set).in(language)});
        }
        case Reject::Gs1Check:
            return ai + " " + quote(value) + ": " +
                   faultSentence(es, e, static_cast<Fault>(r.byte), Where(r.count), language);
        case Reject::Gs1Repeated:
            return say(language, text::kGs1Repeated, {ai});
        case Reject::Gs1Excludes: {
            const Element* other = es.at(static_cast<int>(r.count));
            const bool otherFirst = other != nullptr && other->start < e.start;
            const std::string them = other == nullptr ? std::string("?") : bracketed(es.ai(*other));
            return say(language, text::kGs1Excludes, {otherFirst ? them : ai, otherFirst ? ai : them});
        }
        case Reject::Gs1Requires:
            return say(language, text::kGs1Requires, {ai, alternatives(unmetRequirement(es, *e.entry), language)});
        default:
            return {};
    }
}

}  // namespace

std::string sentence(const Rejection& r, std::string_view data, Language language) {
    if (r.kind == Reject::Gs1Syntax) return syntaxSentence(r, data, language);
    if (r.kind == Reject::Gs1TooLong)
        return say(language, text::kGs1TooLong, {std::to_string(kMaxDataCharacters), std::to_string(r.count)});
    if (r.kind == Reject::Gs1TooWide) {
        std::array<char, 16> length{}, module{};
        std::snprintf(length.data(), length.size(), "%.1f", static_cast<double>(r.count) * kModuleMm);
        std::snprintf(module.data(), module.size(), "%.3f", kModuleMm);
        return say(language, text::kGs1TooWide,
                   {decimal(length.data(), language), decimal(module.data(), language),
                    std::to_string(static_cast<int>(kMaxSymbolMm))});
    }
    if (data.size() > static_cast<std::size_t>(kMaxGs1InputLength)) return {};
    // Read as Calc reads it: NUL from the first NUL on.
    std::string read(data);
    if (const std::size_t nul = read.find('\0'); nul != std::string::npos) std::fill(read.begin() + static_cast<std::ptrdiff_t>(nul), read.end(), '\0');
    ElementString es;
    (void)parse(read.data(), static_cast<int>(read.size()), es);
    const Element* e = es.at(r.position);
    return e == nullptr ? std::string() : elementSentence(r, es, *e, language);
}

std::string titles(std::string_view data) {
    if (data.size() > static_cast<std::size_t>(kMaxGs1InputLength)) data = data.substr(0, kMaxGs1InputLength);
    ElementString es;
    (void)parse(data.data(), static_cast<int>(data.size()), es);
    std::string text;
    for (int i = 0; i < es.count; ++i) {
        const Element& e = es.elements[static_cast<std::size_t>(i)];
        if (e.entry == nullptr || e.entry->title.empty()) continue;
        if (!text.empty()) text += " \u00B7 ";
        text += bracketed(es.ai(e)) + " " + std::string(e.entry->title);
    }
    return text;
}

bool looksLikeBracketedGs1(std::string_view data) {
    if (data.size() < 4 || (data[0] != '(' && data[0] != '[')) return false;
    const char close = data[0] == '(' ? ')' : ']';
    std::size_t n = 1;
    while (n < data.size() && n <= 4 && data[n] >= '0' && data[n] <= '9') ++n;
    return n >= 3 && n < data.size() && data[n] == close;
}

}  // namespace bcfont::gs1
