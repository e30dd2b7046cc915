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
};

struct Component {
    Charset charset;
    std::uint8_t min, max;  // characters; min == max: fixed length
    bool optional;          // may be left out when the data ends before it
    std::array<Check, 2> checks;
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
extern const std::array<std::uint16_t, kCountryCodeCount> kCountryCodes;          // ascending
extern const std::array<std::string_view, kCountryAlpha2Count> kCountryAlpha2;   // ascending
extern const std::array<std::uint16_t, kCurrencyCodeCount> kCurrencyCodes;        // ascending

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
    Latitude, Longitude,
    PartCutShort,  // an optional part that the value's end left shorter than its length
};
struct Finding {
    Fault fault = Fault::None;
    std::uint8_t at = 0, len = 0;  // the characters of the component that show it

    constexpr bool passed() const { return fault == Fault::None; }
};

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
