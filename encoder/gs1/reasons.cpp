// The sentences of GS1-128 rejections, the AI titles and the Code 128
// EAN/UCC hint: the only place that words them.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "encode.h"
#include "element_string.h"
#include "gs1.h"
#include "macroman.h"

namespace bcfont::gs1 {
namespace {

using internal::Reject;
using internal::Rejection;

constexpr std::string_view kExpected = "expected AIs in brackets, each followed by its data, "
                                       "e.g. (01)09501101530003(17)250101(10)ABC123";

std::string bracketed(std::string_view ai) {
    std::string text(1, '(');
    text += ai;
    text += ')';
    return text;
}

std::string atPosition(int position) {
    return " at position " + std::to_string(position);
}

std::string syntaxSentence(const Rejection& r, std::string_view data) {
    const auto index = static_cast<std::size_t>(r.position - 1);
    const char open = data.empty() ? '(' : data[0], close = open == '[' ? ']' : ')';
    switch (static_cast<Syntax>(r.byte)) {
        case Syntax::NoAi:
            if (data.empty()) return "GS1-128 data is empty; " + std::string(kExpected);
            return "GS1-128 data must start with an AI in brackets, not " +
                   bcfont::describeByte(static_cast<unsigned char>(data[0])) + "; " + std::string(kExpected);
        case Syntax::Space:
            return "a space" + atPosition(r.position) + ": GS1-128 data has no spaces; " + std::string(kExpected);
        case Syntax::AiNotClosed:
            return std::string("'") + open + "'" + atPosition(r.position) + " opens an AI without its '" + close +
                   "': an AI is 2 to 4 digits in brackets, e.g. " + open + "10" + close;
        case Syntax::AiNotDigits: {
            const std::size_t end = data.find(close, index);
            std::string typed(1, '\'');
            // Reasons are UTF-8 text; the data is Mac OS Roman bytes.
            typed += macroman::toUtf8(data.substr(index, end - index + 1));
            return typed + "'" + atPosition(r.position) +
                   " is not an AI: an AI is 2 to 4 digits in brackets, e.g. " + open + "10" + close;
        }
        case Syntax::EmptyValue: {
            const std::size_t end = data.find(close, index);
            return bracketed(macroman::toUtf8(data.substr(index + 1, end - index - 1))) + atPosition(r.position) +
                   " has no data after it";
        }
        case Syntax::StrayBracket:
            return std::string("'") + close + "'" + atPosition(r.position) + " inside data: write \\" + close +
                   " for a bracket in the data";
        case Syntax::BadEscape:
            return std::string("'\\'") + atPosition(r.position) + ": in data a backslash is written \\\\, and \\" +
                   open + " \\" + close + " stand for brackets";
    }
    return {};
}

std::string charsetName(Charset set) {
    switch (set) {
        case Charset::Digits:
            return "a digit";
        case Charset::Cset82:
            return "in GS1's character set 82";
        case Charset::Cset39:
            return "a capital, digit, '#', '-' or '/' (GS1's character set 39)";
        case Charset::Cset64:
            return "a base64url character";
    }
    return {};
}

// "18 digits", "at most 20 characters", "4 to 12 characters".
std::string lengthSentence(std::string_view ai, const AiEntry& e, std::size_t got) {
    bool digits = true;
    for (int i = 0; i < e.componentCount; ++i) digits = digits && e.components[static_cast<std::size_t>(i)].charset == Charset::Digits;
    const std::string unit = digits ? " digits" : " characters";
    const int lo = minLength(e), hi = maxLength(e);
    std::string need;
    if (lo == hi) {
        need = " needs " + std::to_string(lo);
    } else if (static_cast<int>(got) > hi) {
        need = " takes at most " + std::to_string(hi);
    } else {
        need = " needs " + std::to_string(lo) + " to " + std::to_string(hi);
    }
    return bracketed(ai) + need + unit + ", got " + std::to_string(got);
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

std::string couponSentence(Fault fault, const Where& w, const std::string& shown) {
    const CouponFieldFacts& f = kCouponFields[std::min(w.field, kCouponFields.size() - 1)];
    const std::string name(f.name), allowed(f.allowed);
    switch (fault) {
        case Fault::CouponNotDigit:
            return shown + " at position " + std::to_string(w.at + 1) + " is not a digit: a coupon code is digits only";
        case Fault::CouponMissing:
            return "it ends before the " + name;
        case Fault::CouponLength:
            return shown + " is not a length of the " + name + " (" + allowed + ")";
        case Fault::CouponCutShort:
            return "the " + name + " needs " + std::to_string(w.need) + " digits, got " + std::to_string(w.len);
        case Fault::CouponCode:
            return shown + " is not a " + name + " (" + allowed + ")";
        case Fault::CouponDates:
            return "the start date " + shown.substr(7) + " is after the expiration date " + shown.substr(0, 6);
        default:
            break;
    }
    if (static_cast<CouponField>(w.field) == CouponField::SerialNumber)
        return shown + " follows the serial number, the last field";
    return shown + " follows the last field: the optional fields 1, 2, 3, 4, 5, 6 and 9 come once each, in that order";
}

std::string faultSentence(const ElementString& es, const Element& e, Fault fault, const Where& w) {
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
    switch (fault) {
        case Fault::None:
            return {};
        case Fault::CheckDigit:
            return std::string("the check digit should be ") + keyCheckDigit(part.substr(0, part.size() - 1));
        case Fault::CheckPair: {
            if (part.size() < 3) return "it is too short for its two check characters";
            const auto pair = checkPair(part.substr(0, part.size() - 2));
            return std::string("the check characters should be ") + pair[0] + pair[1];
        }
        case Fault::Month:
            return shown + " is not a month";
        case Fault::Day:
            return shown + " is not a day of month " + quote(value.substr(at - 2, 2));
        case Fault::Hour:
            return shown + " is not an hour (00 to 23)";
        case Fault::Minute:
            return shown + " is not a minute (00 to 59)";
        case Fault::Second:
            return shown + " is not a second (00 to 59)";
        case Fault::Country:
            return shown + " is not an ISO 3166 country code";
        case Fault::CountryOr999:
            return shown + " is neither an ISO 3166 country code nor 999";
        case Fault::CountryAlpha2:
            return shown + " is not an ISO 3166 two-letter country code";
        case Fault::Currency:
            return shown + " is not an ISO 4217 currency code";
        case Fault::NonZero:
            return shown + " must not be zero";
        case Fault::Zero:
            return shown + " must be 0";
        case Fault::YesNo:
            return shown + " must be 0 (no) or 1 (yes)";
        case Fault::Winding:
            return shown + " must be 0, 1 or 9 (winding direction)";
        case Fault::Hyphen:
            return shown + " must be '-'";
        case Fault::Sex:
            return shown + " must be 0, 1, 2 or 9 (ISO 5218)";
        case Fault::MediaType:
            return shown + " is not an AIDC media type (01 to 10, 80 to 99)";
        case Fault::Piece:
            return "pieces and totals count from 01, not 00";
        case Fault::PieceOverTotal:
            return "piece " + quote(shown.substr(0, 2)) + " of " + quote(shown.substr(2, 2)) + " is more than the total";
        case Fault::PositionSlash:
            return shown + " must be a position, '/' and a count, e.g. 1/2";
        case Fault::ImporterIndex:
            return shown + " is not an importer index (a letter, digit, '-' or '_')";
        case Fault::ZeroPrefix:
            return "it must not start with 0";
        case Fault::AllDigits:
            return "it must hold a character other than a digit";
        case Fault::PercentEscape:
            return shown + ": '%' must be followed by two hexadecimal digits";
        case Fault::IbanForm:
            return "it is not an IBAN: two capitals, two check digits, then capitals and digits";
        case Fault::IbanCheck:
            return "the IBAN check digits " + shown + " do not match the rest";
        case Fault::Latitude:
            return shown + " is beyond 1800000000 (90 degrees north)";
        case Fault::Longitude:
            return shown + " is beyond 3600000000 (180 degrees east)";
        case Fault::PartCutShort:
            return "the part " + shown + atPosition(static_cast<int>(at + 1)) + " needs " + std::to_string(w.need) +
                   (charset == Charset::Digits ? " digits" : " characters") + ", got " + std::to_string(len);
        case Fault::PrefixNotDigit:
            return bcfont::describeByte(static_cast<unsigned char>(value[at])) + atPosition(static_cast<int>(at + 1)) +
                   " is not a digit: a GS1 Company Prefix starts with 4 digits";
        case Fault::PrefixTooShort:
            return "it is too short to start with a GS1 Company Prefix (at least 4 digits)";
        case Fault::PackageType:
            return shown + " is not a package type code (UN/ECE Recommendation 21 or GS1's additions)";
        case Fault::CouponNotDigit:
        case Fault::CouponMissing:
        case Fault::CouponLength:
        case Fault::CouponCutShort:
        case Fault::CouponCode:
        case Fault::CouponDates:
        case Fault::CouponExcess:
            return couponSentence(fault, w, fault == Fault::CouponNotDigit
                                                ? bcfont::describeByte(static_cast<unsigned char>(value[at]))
                                                : shown);
    }
    return {};
}

// "(01), (02) or (8006)", with "(01) with (21)" for AIs that go together.
std::string alternatives(std::string_view list) {
    std::string text;
    std::size_t count = 1;
    for (const char c : list) count += c == ',' ? 1 : 0;
    std::size_t n = 0;
    while (!list.empty()) {
        const std::size_t end = list.find(',');
        std::string_view all = list.substr(0, end);
        list = end == std::string_view::npos ? std::string_view{} : list.substr(end + 1);
        if (n > 0) text += ++n == count ? " or " : ", ";
        else ++n;
        std::string group;
        while (!all.empty()) {
            const std::size_t plus = all.find('+');
            if (!group.empty()) group += " with ";
            group += bracketed(all.substr(0, plus));
            all = plus == std::string_view::npos ? std::string_view{} : all.substr(plus + 1);
        }
        text += group;
    }
    return text;
}

std::string elementSentence(const Rejection& r, const ElementString& es, const Element& e) {
    const std::string ai = bracketed(es.ai(e));
    const std::string_view value = es.value(e);
    switch (r.kind) {
        case Reject::Gs1UnknownAi:
            return ai + " is not a GS1 application identifier";
        case Reject::Gs1Length:
            return lengthSentence(es.ai(e), *e.entry, r.count);
        case Reject::Gs1Charset: {
            std::array<Part, 5> parts;
            const int count = split(*e.entry, value, parts);
            Charset set = Charset::Cset82;
            for (int p = 0; p < count; ++p) {
                const Part& q = parts[static_cast<std::size_t>(p)];
                if (r.count > q.at && r.count <= static_cast<std::size_t>(q.at + q.length)) set = q.component->charset;
            }
            return ai + " " + quote(value) + ": " + bcfont::describeByte(r.byte) + atPosition(static_cast<int>(r.count)) +
                   " is not " + charsetName(set);
        }
        case Reject::Gs1Check:
            return ai + " " + quote(value) + ": " +
                   faultSentence(es, e, static_cast<Fault>(r.byte), Where(r.count));
        case Reject::Gs1Repeated:
            return ai + " appears twice with different data";
        case Reject::Gs1Excludes: {
            const Element* other = es.at(static_cast<int>(r.count));
            const bool otherFirst = other != nullptr && other->start < e.start;
            const std::string them = other == nullptr ? std::string("?") : bracketed(es.ai(*other));
            return (otherFirst ? them + " and " + ai : ai + " and " + them) + " cannot be in the same barcode";
        }
        case Reject::Gs1Requires:
            return ai + " needs " + alternatives(unmetRequirement(es, *e.entry)) + " in the same barcode";
        default:
            return {};
    }
}

}  // namespace

std::string sentence(const Rejection& r, std::string_view data) {
    if (r.kind == Reject::Gs1Syntax) return syntaxSentence(r, data);
    if (r.kind == Reject::Gs1TooLong)
        return "GS1-128 holds at most " + std::to_string(kMaxDataCharacters) +
               " data characters (AIs and their data), got " + std::to_string(r.count);
    if (r.kind == Reject::Gs1TooWide) {
        std::array<char, 96> text{};
        std::snprintf(text.data(), text.size(), "%.1f mm long with its quiet zones at the %.3f mm module",
                      static_cast<double>(r.count) * kModuleMm, kModuleMm);
        return "GS1-128 would be " + std::string(text.data()) + " of the Code 128 face; GS1 allows at most " +
               std::to_string(static_cast<int>(kMaxSymbolMm)) + " mm: shorten the data";
    }
    if (data.size() > static_cast<std::size_t>(kMaxGs1InputLength)) return {};
    // Read as Calc reads it: NUL from the first NUL on.
    std::string read(data);
    if (const std::size_t nul = read.find('\0'); nul != std::string::npos) std::fill(read.begin() + static_cast<std::ptrdiff_t>(nul), read.end(), '\0');
    ElementString es;
    (void)parse(read.data(), static_cast<int>(read.size()), es);
    const Element* e = es.at(r.position);
    return e == nullptr ? std::string() : elementSentence(r, es, *e);
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
