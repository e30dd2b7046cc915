// GS1 application identifiers (AIs): the table generated from GS1's Barcode
// Syntax Dictionary, and the checks it names for the parts of a value.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace bcfont::gs1 {

// The character sets of the General Specifications (figure 7.11-1 to -3).
enum class Charset : std::uint8_t {
    Digits,  // N
    Cset82,  // X: the 82 characters of ISO/IEC 646 GS1 uses
    Cset39,  // Y: digits, capitals, '#', '-', '/'
    Cset64,  // Z: base64url, '=' padding
};

// A check the dictionary names for a component ("linter"). None ends a list.
enum class Check : std::uint8_t {
    None,
    CheckDigit,      // csum: the mod-10 check digit of a GS1 key
    CheckPair,       // csumalpha: the two check characters of a GMN
    Date,            // yymmdd
    DateDay00,       // yymmd0: day 00 stands for the month's end
    LongDate,        // yyyymmdd
    HourMinute,      // hhmi
    Hour,            // hh
    Minute,          // mi
    Second,          // ss
    Country,         // iso3166: ISO 3166-1 numeric
    CountryOr999,    // iso3166999
    CountryAlpha2,   // iso3166alpha2
    Currency,        // iso4217: ISO 4217 numeric
    NonZero,         // nonzero
    Zero,            // zero
    YesNo,           // yesno
    Winding,         // winding: 0, 1 or 9
    Hyphen,          // hyphen
    Sex,             // iso5218: 0, 1, 2 or 9
    MediaType,       // mediatype: 01 to 10, 80 to 99
    PieceOfTotal,    // pieceoftotal
    PositionSlash,   // posinseqslash
    ImporterIndex,   // importeridx
    NoZeroPrefix,    // nozeroprefix
    HasNonDigit,     // hasnondigit
    PercentEncoded,  // pcenc
    Iban,            // iban
    Latitude,        // latitude
    Longitude,       // longitude
    CompanyPrefix,            // gcppos1: starts with the 4 digits every GS1 Company Prefix has
    CompanyPrefixAfterDigit,  // gcppos2: the same after an indicator digit
    PackageType,              // packagetype: a code of kPackageTypes
    Coupon,                   // couponcode: the fields of a North American coupon code
    PositiveOfferCoupon,      // couponposoffer: those of a positive offer file coupon
};

struct Component {
    Charset charset;
    std::uint8_t min, max;  // characters; min == max: fixed length
    bool optional;          // may be left out when the data ends before it
    std::array<Check, 3> checks;
};

struct AiEntry {
    std::string_view first, last;  // an AI, or a range of AIs with as many digits
    bool predefined;               // of predefined length: no FNC1 separator after it
    std::uint8_t componentCount;
    std::array<Component, 5> components;
    // Mandatory associations in the dictionary's form: alternatives split by
    // ',', AIs that must all be present joined by '+', 'n' for any digit;
    // several requirements, all to be met, split by '|'.
    std::string_view req;
    std::string_view ex;  // AIs or patterns that must not be present, split by ','
    std::string_view title;
};

// In order of AI length, then AI (ai_table.cpp, generated).
extern const std::span<const AiEntry> kAiTable;

inline constexpr std::size_t kCountryCodeCount = 249;
inline constexpr std::size_t kCountryAlpha2Count = 249;
inline constexpr std::size_t kCurrencyCodeCount = 181;
inline constexpr std::size_t kPackageTypeCount = 431;
extern const std::array<std::uint16_t, kCountryCodeCount> kCountryCodes;          // ascending
extern const std::array<std::string_view, kCountryAlpha2Count> kCountryAlpha2;   // ascending
extern const std::array<std::uint16_t, kCurrencyCodeCount> kCurrencyCodes;        // ascending
extern const std::array<std::string_view, kPackageTypeCount> kPackageTypes;       // ascending

// The AIs grouped by length and first three digits (two for two-digit
// AIs), as findAi looks them up: key 0 to 990 for two digits, 1000 to 1999
// for three, 2000 to 2999 for four.
inline constexpr int kAiKeys = 3000;
constexpr int aiKey(std::string_view ai) {
    const int third = ai.size() > 2 ? ai[2] - '0' : 0;
    return static_cast<int>(ai.size() - 2) * 1000 + (ai[0] - '0') * 100 + (ai[1] - '0') * 10 + third;
}
// An AI as one number, its length first: in the order of the rows.
constexpr int aiCode(std::string_view ai) {
    int n = 0;
    for (const char c : ai) n = n * 10 + (c - '0');
    return static_cast<int>(ai.size() - 2) * 10000 + n;
}
// The first and last AI of each row as codes: findAi reads these few bytes,
// not the rows.
struct AiCodes {
    std::uint16_t first, last;
};
// Entry k: the first row whose last AI has a key of at least k (rows are in
// key order and do not overlap), or the row count.
extern const std::array<std::uint8_t, kAiKeys + 1> kAiRowStart;
extern const std::span<const AiCodes> kAiCodes;
template <std::size_t N>
constexpr std::array<std::uint8_t, kAiKeys + 1> rowStarts(const std::array<AiEntry, N>& rows) {
    static_assert(N < 256, "row numbers are bytes");
    std::array<std::uint8_t, kAiKeys + 1> start{};
    std::size_t row = 0;
    for (int k = 0; k <= kAiKeys; ++k) {
        while (row < N && aiKey(rows[row].last) < k) ++row;
        start[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(row);
    }
    return start;
}
template <std::size_t N>
constexpr std::array<AiCodes, N> codesOf(const std::array<AiEntry, N>& rows) {
    std::array<AiCodes, N> codes{};
    for (std::size_t i = 0; i < N; ++i)
        codes[i] = {static_cast<std::uint16_t>(aiCode(rows[i].first)), static_cast<std::uint16_t>(aiCode(rows[i].last))};
    return codes;
}

// The entry of an AI of 2 to 4 digits, or null when GS1 has none.
const AiEntry* findAi(std::string_view ai);

// The fewest and most characters a value of the AI holds.
int minLength(const AiEntry& e);
int maxLength(const AiEntry& e);

// What a failed check found, and where in the component.
enum class Fault : std::uint8_t {
    None,
    CheckDigit, CheckPair, Month, Day, Hour, Minute, Second, Country, CountryOr999, CountryAlpha2,
    Currency, NonZero, Zero, YesNo, Winding, Hyphen, Sex, MediaType, Piece, PieceOverTotal,
    PositionSlash, ImporterIndex, ZeroPrefix, AllDigits, PercentEscape, IbanForm, IbanCheck,
    Latitude, Longitude, PartCutShort, PrefixNotDigit, PrefixTooShort, PackageType, CouponNotDigit,
    // A coupon field (Finding::field): missing, its length digit out of
    // range, cut short by the value's end, a code not allowed; the dates;
    // digits after the last field.
    CouponMissing, CouponLength, CouponCutShort, CouponCode, CouponDates, CouponExcess,
};
struct Finding {
    Fault fault = Fault::None;
    std::uint8_t at = 0, len = 0;  // the characters of the component that show it
    std::uint8_t field = 0;        // the CouponField of a coupon fault
    std::uint8_t need = 0;         // the characters a part or coupon field cut short needs

    constexpr bool passed() const { return fault == Fault::None; }
};

// The fields of the coupon codes of AIs (8110) and (8112) (GS1 US North
// American coupon application guideline), in the order they come.
enum class CouponField : std::uint8_t {
    CompanyPrefix, OfferCode, SaveValue, Requirement1, RequirementCode1, FamilyCode1,
    AdditionalRules, Requirement2, RequirementCode2, FamilyCode2, CompanyPrefix2,
    Requirement3, RequirementCode3, FamilyCode3, CompanyPrefix3,
    ExpirationDate, StartDate, SerialNumber, RetailerId,
    SaveValueCode, AppliesToItem, StoreCouponFlag, DontMultiply,
    FormatCode, FunderId,
};
struct CouponFieldFacts {
    std::string_view name;
    // The digits its length digit or its one-digit code may be, and as text;
    // empty for fields of fixed length.
    std::string_view digits, allowed;
};
// clang-format off
inline constexpr std::array<CouponFieldFacts, 25> kCouponFields = {{
    {"GS1 Company Prefix", "0123456", "0 to 6"},
    {"offer code", "", ""},
    {"save value", "12345", "1 to 5"},
    {"primary purchase requirement", "12345", "1 to 5"},
    {"primary purchase requirement code", "012349", "0 to 4 or 9"},
    {"primary purchase family code", "", ""},
    {"additional purchase rules code", "0123", "0 to 3"},
    {"second purchase requirement", "12345", "1 to 5"},
    {"second purchase requirement code", "012349", "0 to 4 or 9"},
    {"second purchase family code", "", ""},
    {"second purchase GS1 Company Prefix", "01234569", "0 to 6, or 9 for none"},
    {"third purchase requirement", "12345", "1 to 5"},
    {"third purchase requirement code", "012349", "0 to 4 or 9"},
    {"third purchase family code", "", ""},
    {"third purchase GS1 Company Prefix", "01234569", "0 to 6, or 9 for none"},
    {"expiration date", "", ""},
    {"start date", "", ""},
    {"serial number", "0123456789", "0 to 9"},
    {"retailer GS1 Company Prefix or GLN", "1234567", "1 to 7"},
    {"save value code", "01256", "0, 1, 2, 5 or 6"},
    {"save value applies to item", "012", "0 to 2"},
    {"store coupon flag", "0123456789", "0 to 9"},
    {"don't multiply flag", "01", "0 or 1"},
    {"format code", "01", "0 or 1"},
    {"funder ID", "0123456", "0 to 6"},
}};
// clang-format on
static_assert(kCouponFields.size() == static_cast<std::size_t>(CouponField::FunderId) + 1);

Finding runCheck(Check check, std::string_view part);

// The check digit a GS1 key's digits before it call for ('0' to '9').
char keyCheckDigit(std::string_view digitsBeforeCheck);
// The two check characters of a GMN's characters before them.
std::array<char, 2> checkPair(std::string_view charactersBeforePair);

// CSET 82 in the order whose indexes the GMN check pair weighs (General
// Specifications figure 7.11-1).
inline constexpr std::string_view kCset82 =
    "!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
static_assert(kCset82.size() == 82);

// Bit `set` of a byte's entry: whether that character set holds the byte.
inline constexpr std::array<std::uint8_t, 256> kCharsets = [] {
    std::array<std::uint8_t, 256> sets{};
    const auto add = [&sets](Charset set, unsigned c) { sets[c] |= static_cast<std::uint8_t>(1u << static_cast<int>(set)); };
    for (const char c : kCset82) add(Charset::Cset82, static_cast<unsigned char>(c));
    for (unsigned c = 0; c < 256; ++c) {
        const bool digit = c >= '0' && c <= '9', upper = c >= 'A' && c <= 'Z', lower = c >= 'a' && c <= 'z';
        if (digit) add(Charset::Digits, c);
        if (digit || upper || c == '#' || c == '-' || c == '/') add(Charset::Cset39, c);
        if (digit || upper || lower || c == '-' || c == '_' || c == '=') add(Charset::Cset64, c);
    }
    return sets;
}();

// Inline: it runs once per data character.
constexpr bool inCharset(Charset set, unsigned char c) {
    return ((kCharsets[c] >> static_cast<int>(set)) & 1) != 0;
}

}  // namespace bcfont::gs1
