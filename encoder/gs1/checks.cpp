// The checks GS1's dictionary names for parts of AI values, and the lookup
// of an AI in the generated table.
#include <algorithm>
#include <array>
#include <string_view>

#include "ai_table.h"
#include "encoder_internal.h"

namespace bcfont::gs1 {
namespace {

// The 32 characters of the GMN check pair (General Specifications figure 7.9.5-1).
constexpr std::string_view kCset32 = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
static_assert(kCset32.size() == 32);
// The GMN check pair weighs its characters by the primes, from the right.
constexpr std::array<int, 23> kPrimes = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37,
                                         41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83};

constexpr bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isUpper(unsigned char c) {
    return c >= 'A' && c <= 'Z';
}
constexpr bool isLower(unsigned char c) {
    return c >= 'a' && c <= 'z';
}
constexpr bool isHex(unsigned char c) {
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The number of `count` digits at `at`.
constexpr int number(std::string_view s, std::size_t at, std::size_t count) {
    int n = 0;
    for (std::size_t i = at; i < at + count; ++i) n = n * 10 + (s[i] - '0');
    return n;
}

constexpr bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
constexpr int daysIn(int month, int year) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

constexpr Finding found(Fault fault, std::size_t at, std::size_t len) {
    return {fault, static_cast<std::uint8_t>(at), static_cast<std::uint8_t>(len)};
}
constexpr Finding kPass{};

// YYMMDD (or YYYYMMDD with `yearDigits` 4) from `at`. Two-digit years lie
// within 1951-2050 for GS1, where every fourth year from 1952 is a leap year.
Finding date(std::string_view s, int yearDigits, bool day00) {
    const auto y = static_cast<std::size_t>(yearDigits);
    const int year = yearDigits == 4 ? number(s, 0, 4) : 2000 + number(s, 0, 2);
    const int month = number(s, y, 2), day = number(s, y + 2, 2);
    if (month < 1 || month > 12) return found(Fault::Month, y, 2);
    if ((day == 0 && !day00) || day > daysIn(month, year)) return found(Fault::Day, y + 2, 2);
    return kPass;
}

Finding inRange(std::string_view s, std::size_t at, int most, Fault fault) {
    return number(s, at, 2) > most ? found(fault, at, 2) : kPass;
}

Finding oneOf(std::string_view s, std::string_view allowed, Fault fault) {
    return s.size() == 1 && allowed.find(s[0]) != std::string_view::npos ? kPass : found(fault, 0, s.size());
}

Finding listed(std::span<const std::uint16_t> codes, std::string_view s, Fault fault) {
    if (s.size() != 3) return found(fault, 0, s.size());  // a part cut short by the value's end
    return std::binary_search(codes.begin(), codes.end(), static_cast<std::uint16_t>(number(s, 0, 3)))
               ? kPass
               : found(fault, 0, 3);
}

// ISO 13616: two capitals, two check digits, up to 30 capitals or digits;
// moved four places to the back, with letters as 10 to 35, it leaves 1 modulo 97.
Finding iban(std::string_view s) {
    if (s.size() < 5 || !isUpper(s[0]) || !isUpper(s[1]) || !isDigit(s[2]) || !isDigit(s[3]))
        return found(Fault::IbanForm, 0, s.size());
    int rest = 0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const unsigned char c = s[(k + 4) % s.size()];
        if (isDigit(c)) {
            rest = (rest * 10 + (c - '0')) % 97;
        } else if (isUpper(c)) {
            rest = (rest * 100 + (c - 'A' + 10)) % 97;
        } else {
            return found(Fault::IbanForm, (k + 4) % s.size(), 1);
        }
    }
    return rest == 1 ? kPass : found(Fault::IbanCheck, 2, 2);
}

// Every GS1 Company Prefix is at least this many digits long.
constexpr std::size_t kShortestCompanyPrefix = 4;

Finding companyPrefix(std::string_view s, std::size_t from) {
    if (s.size() < from + kShortestCompanyPrefix) return found(Fault::PrefixTooShort, 0, s.size());
    for (std::size_t i = from; i < from + kShortestCompanyPrefix; ++i) {
        if (!isDigit(s[i])) return found(Fault::PrefixNotDigit, i, 1);
    }
    return kPass;
}

// Reads a coupon code field by field; the first fault stays in `finding`.
struct CouponReader {
    std::string_view s;
    std::size_t p = 0;
    Finding finding{};

    bool fail(Fault fault, CouponField f, std::size_t at, std::size_t len, std::size_t need = 0) {
        finding = {fault, static_cast<std::uint8_t>(at), static_cast<std::uint8_t>(len), static_cast<std::uint8_t>(f),
                   static_cast<std::uint8_t>(need)};
        return false;
    }
    static std::string_view digitsOf(CouponField f) { return kCouponFields[static_cast<std::size_t>(f)].digits; }
    bool next(char indicator) const { return p < s.size() && s[p] == indicator; }

    // `n` digits.
    bool fixed(CouponField f, std::size_t n) {
        if (p >= s.size()) return fail(Fault::CouponMissing, f, p, 0);
        if (s.size() - p < n) return fail(Fault::CouponCutShort, f, p, s.size() - p, n);
        p += n;
        return true;
    }
    // One digit of those the field allows.
    bool code(CouponField f) {
        if (p >= s.size()) return fail(Fault::CouponMissing, f, p, 0);
        if (digitsOf(f).find(s[p]) == std::string_view::npos) return fail(Fault::CouponCode, f, p, 1);
        ++p;
        return true;
    }
    // A length digit, then `base` more digits than it says; a 9 where the
    // field allows it stands for no field at all.
    bool sized(CouponField f, std::size_t base, bool nineForNone = false) {
        if (p >= s.size()) return fail(Fault::CouponMissing, f, p, 0);
        const char digit = s[p];
        if (digitsOf(f).find(digit) == std::string_view::npos) return fail(Fault::CouponLength, f, p, 1);
        ++p;
        if (nineForNone && digit == '9') return true;
        const std::size_t n = base + static_cast<std::size_t>(digit - '0');
        if (s.size() - p < n) return fail(Fault::CouponCutShort, f, p, s.size() - p, n);
        p += n;
        return true;
    }
    bool date(CouponField f) {
        const std::size_t at = p;
        if (!fixed(f, 6)) return false;
        const Finding d = bcfont::gs1::date(s.substr(at, 6), 2, false);
        if (!d.passed()) return fail(d.fault, f, at + d.at, d.len);
        return true;
    }
    // A purchase requirement, its code and family code.
    bool purchase(CouponField requirement) {
        const auto f = static_cast<std::uint8_t>(requirement);
        return sized(requirement, 0) && code(static_cast<CouponField>(f + 1)) &&
               fixed(static_cast<CouponField>(f + 2), 3);
    }
};

bool allDigits(CouponReader& r) {
    for (std::size_t i = 0; i < r.s.size(); ++i) {
        if (!isDigit(r.s[i])) return r.fail(Fault::CouponNotDigit, CouponField::CompanyPrefix, i, 1);
    }
    return true;
}

// AI (8110): the required fields, then optional fields 1 to 6 and 9, each
// at most once and in that order.
Finding coupon(std::string_view s) {
    using enum CouponField;
    CouponReader r{s};
    if (!allDigits(r) || !r.sized(CompanyPrefix, 6) || !r.fixed(OfferCode, 6) || !r.sized(SaveValue, 0) ||
        !r.purchase(Requirement1))
        return r.finding;
    if (r.next('1') && !(++r.p, r.code(AdditionalRules) && r.purchase(Requirement2) && r.sized(CompanyPrefix2, 6, true)))
        return r.finding;
    if (r.next('2') && !(++r.p, r.purchase(Requirement3) && r.sized(CompanyPrefix3, 6, true))) return r.finding;
    std::size_t expiry = s.size();
    if (r.next('3')) {
        expiry = ++r.p;
        if (!r.date(ExpirationDate)) return r.finding;
    }
    if (r.next('4')) {
        const std::size_t start = ++r.p;
        if (!r.date(StartDate)) return r.finding;
        if (expiry < s.size() && s.substr(start, 6) > s.substr(expiry, 6))
            return found(Fault::CouponDates, expiry, start + 6 - expiry);
    }
    if (r.next('5') && !(++r.p, r.sized(SerialNumber, 6))) return r.finding;
    if (r.next('6') && !(++r.p, r.sized(RetailerId, 6))) return r.finding;
    if (r.next('9') && !(++r.p, r.code(SaveValueCode) && r.code(AppliesToItem) && r.code(StoreCouponFlag) &&
                         r.code(DontMultiply)))
        return r.finding;
    if (r.p < s.size()) r.fail(Fault::CouponExcess, ExpirationDate, r.p, s.size() - r.p);
    return r.finding;
}

// AI (8112): format code, funder ID, offer code, serial number, nothing after.
Finding positiveOfferCoupon(std::string_view s) {
    using enum CouponField;
    CouponReader r{s};
    if (!allDigits(r) || !r.code(FormatCode) || !r.sized(FunderId, 6) || !r.fixed(OfferCode, 6) ||
        !r.sized(SerialNumber, 6))
        return r.finding;
    if (r.p < s.size()) r.fail(Fault::CouponExcess, SerialNumber, r.p, s.size() - r.p);
    return r.finding;
}

}  // namespace

char keyCheckDigit(std::string_view digits) {
    return static_cast<char>('0' + internal::checkDigitMod10(digits.data(), static_cast<int>(digits.size())));
}

std::array<char, 2> checkPair(std::string_view s) {
    int sum = 0;
    const std::size_t n = std::min(s.size(), kPrimes.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t index = kCset82.find(s[s.size() - 1 - i]);
        sum += kPrimes[i] * static_cast<int>(index == std::string_view::npos ? 0 : index);
    }
    sum %= 1021;
    return {kCset32[static_cast<std::size_t>(sum >> 5)], kCset32[static_cast<std::size_t>(sum & 31)]};
}

Finding runCheck(Check check, std::string_view s) {
    switch (check) {
        case Check::None:
            return kPass;
        case Check::CheckDigit:
            return keyCheckDigit(s.substr(0, s.size() - 1)) == s.back() ? kPass
                                                                        : found(Fault::CheckDigit, s.size() - 1, 1);
        case Check::CheckPair: {
            if (s.size() < 3) return found(Fault::CheckPair, 0, s.size());
            const auto pair = checkPair(s.substr(0, s.size() - 2));
            return s[s.size() - 2] == pair[0] && s.back() == pair[1] ? kPass
                                                                     : found(Fault::CheckPair, s.size() - 2, 2);
        }
        case Check::Date:
            return date(s, 2, false);
        case Check::DateDay00:
            return date(s, 2, true);
        case Check::LongDate:
            return date(s, 4, false);
        case Check::HourMinute: {
            const Finding hour = inRange(s, 0, 23, Fault::Hour);
            return hour.passed() ? inRange(s, 2, 59, Fault::Minute) : hour;
        }
        case Check::Hour:
            return inRange(s, 0, 23, Fault::Hour);
        case Check::Minute:
            return inRange(s, 0, 59, Fault::Minute);
        case Check::Second:
            return inRange(s, 0, 59, Fault::Second);
        case Check::Country:
            return listed(kCountryCodes, s, Fault::Country);
        case Check::CountryOr999:
            return s == "999" ? kPass : listed(kCountryCodes, s, Fault::CountryOr999);
        case Check::CountryAlpha2:
            return std::binary_search(kCountryAlpha2.begin(), kCountryAlpha2.end(), s) ? kPass
                                                                                      : found(Fault::CountryAlpha2, 0, 2);
        case Check::Currency:
            return listed(kCurrencyCodes, s, Fault::Currency);
        case Check::NonZero:
            return s.find_first_not_of('0') == std::string_view::npos ? found(Fault::NonZero, 0, s.size()) : kPass;
        case Check::Zero:
            return oneOf(s, "0", Fault::Zero);
        case Check::YesNo:
            return oneOf(s, "01", Fault::YesNo);
        case Check::Winding:
            return oneOf(s, "019", Fault::Winding);
        case Check::Hyphen:
            return oneOf(s, "-", Fault::Hyphen);
        case Check::Sex:
            return oneOf(s, "0129", Fault::Sex);
        case Check::MediaType: {
            const int type = number(s, 0, 2);
            return (type >= 1 && type <= 10) || type >= 80 ? kPass : found(Fault::MediaType, 0, 2);
        }
        case Check::PieceOfTotal: {
            const int piece = number(s, 0, 2), total = number(s, 2, 2);
            if (piece == 0) return found(Fault::Piece, 0, 2);
            if (total == 0) return found(Fault::Piece, 2, 2);
            return piece > total ? found(Fault::PieceOverTotal, 0, 4) : kPass;
        }
        case Check::PositionSlash: {
            const bool form = s.size() == 3 && isDigit(s[0]) && s[1] == '/' && isDigit(s[2]);
            return form && s[0] != '0' && s[0] <= s[2] ? kPass : found(Fault::PositionSlash, 0, s.size());
        }
        case Check::ImporterIndex: {
            const unsigned char c = s[0];
            return isDigit(c) || isUpper(c) || isLower(c) || c == '-' || c == '_'
                       ? kPass
                       : found(Fault::ImporterIndex, 0, 1);
        }
        case Check::NoZeroPrefix:
            return s.size() > 1 && s[0] == '0' ? found(Fault::ZeroPrefix, 0, 1) : kPass;
        case Check::HasNonDigit:
            return std::all_of(s.begin(), s.end(), [](char c) { return isDigit(static_cast<unsigned char>(c)); })
                       ? found(Fault::AllDigits, 0, s.size())
                       : kPass;
        case Check::PercentEncoded:
            for (std::size_t i = 0; i < s.size(); ++i) {
                if (s[i] != '%') continue;
                if (i + 2 >= s.size() || !isHex(s[i + 1]) || !isHex(s[i + 2]))
                    return found(Fault::PercentEscape, i, std::min<std::size_t>(3, s.size() - i));
                i += 2;
            }
            return kPass;
        case Check::Iban:
            return iban(s);
        case Check::Latitude:
            return s > std::string_view("1800000000") ? found(Fault::Latitude, 0, s.size()) : kPass;
        case Check::Longitude:
            return s > std::string_view("3600000000") ? found(Fault::Longitude, 0, s.size()) : kPass;
        case Check::CompanyPrefix:
            return companyPrefix(s, 0);
        case Check::CompanyPrefixAfterDigit:
            return companyPrefix(s, 1);
        case Check::PackageType:
            return std::binary_search(kPackageTypes.begin(), kPackageTypes.end(), s) ? kPass
                                                                                    : found(Fault::PackageType, 0, s.size());
        case Check::Coupon:
            return coupon(s);
        case Check::PositiveOfferCoupon:
            return positiveOfferCoupon(s);
    }
    return kPass;
}

const AiEntry* findAi(std::string_view ai) {
    if (ai.size() < 2 || ai.size() > 4) return nullptr;
    // Only the row or two of the AI's length and first digits can hold it.
    const int code = aiCode(ai);
    for (std::size_t row = kAiRowStart[static_cast<std::size_t>(aiKey(ai))];
         row < kAiCodes.size() && kAiCodes[row].first <= code; ++row) {
        if (code <= kAiCodes[row].last) return &kAiTable[row];
    }
    return nullptr;
}

int minLength(const AiEntry& e) {
    int n = 0;
    for (int i = 0; i < e.componentCount; ++i) {
        if (!e.components[static_cast<std::size_t>(i)].optional) n += e.components[static_cast<std::size_t>(i)].min;
    }
    return n;
}

int maxLength(const AiEntry& e) {
    int n = 0;
    for (int i = 0; i < e.componentCount; ++i) n += e.components[static_cast<std::size_t>(i)].max;
    return n;
}

}  // namespace bcfont::gs1
