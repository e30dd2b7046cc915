// Helpers shared by the encoders, the sentences of encode.cpp and the unit
// tests. Not part of the library's public interface.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "encoder.h"
#include "symbology.h"
#include "wording.h"

namespace bcfont::internal {

// ---------------------------------------------------------------------------
// Requests and rejections

// What Calc was asked: `len` characters of `data`, read up to the first NUL
// (the positions behind it read as NUL); `addon` NUL-terminated or null.
// `wholeData`: all `len` bytes lie in the caller's memory and are the data,
// NUL or not, so that the encoders may read them many at a time and a NUL
// is data where the alphabet takes it (as "~000"). Calc's own callers only
// promise the bytes up to a NUL, and their data ends there.
struct CalcInput {
    const char* data;
    int len;
    const char* addon;
    bool check;
    bool wholeData = false;
};

// Why an encoder refused a request, in the order the encoders look.
enum class Reject : std::uint8_t {
    None,
    BadCall,             // a null buffer, or a negative length
    DataTooLong,         // count: characters, more than kMaxDataLength
    WrongLength,         // count: characters, not one of the symbology's lengths
    NotInAlphabet,       // byte at position: not in the symbology's alphabet
    NumberSystem,        // byte: UPC-E's first digit is neither 0 nor 1
    AddonNotDigits,      // byte at position of the add-on
    InterleavedTooLong,  // count: an even number of digits that, with the check digit, would not fit
    EscapeNotAscii,      // count: the value of the "~ddd" escape at position
    FontStringTooLong,   // count: the bytes the font string needs, 0 when not counted
    PartLength,          // count: digits of the data part `part`, not one of its lengths
    DigitOutOfRange,     // byte at position: the digit `part` names lies outside its range
    // GS1-128 (gs1/element_string.h). Position: where the element's opening
    // bracket is, or the syntax fault is.
    Gs1Syntax,    // byte: the gs1::Syntax
    Gs1UnknownAi,
    Gs1Length,    // count: characters of the value
    Gs1Charset,   // byte: the character; count: its position in the value
    Gs1Check,     // byte: the gs1::Fault; count: where in the value, and length << 8
    Gs1Repeated,  // count: position of the same AI with other data
    Gs1Excludes,  // count: position of the element it cannot be with
    Gs1Requires,
    Gs1TooLong,   // count: data characters
    Gs1TooWide,   // count: modules, quiet zones included
    NeedsMatrix,  // a 2D symbology: the matrix module makes it, not Calc
};
inline constexpr int kRejectKinds = static_cast<int>(Reject::NeedsMatrix) + 1;

// A part of the data with rules of its own, such as Intelligent Mail's
// tracking and routing codes, which the reason of a rejection names.
struct DataPart {
    const Wording* name;  // text::kRoutingCode
    Lengths lengths;   // the digit counts it takes
    char low, high;    // the digits it takes
};

struct Rejection {
    Reject kind = Reject::None;
    // On a success: nonzero when the encoder took some of the data other
    // than as typed (a replaced check digit, an escape above 255). Kept in
    // this byte so that a success still fits two registers.
    unsigned char byte = 0;
    int position = 0;  // 1-based
    std::size_t count = 0;
    const DataPart* part = nullptr;  // for PartLength and DigitOutOfRange

    constexpr bool accepted() const { return kind == Reject::None; }
    constexpr bool changedData() const { return kind == Reject::None && byte != 0; }
};

inline constexpr Rejection kAccepted{};

// A success that carries the length of the font string written (terminator
// not counted), so that a caller who needs it does not scan the buffer, and
// whether the data was taken other than as typed (changesMade() says how).
constexpr Rejection written(std::size_t length, bool changed = false) {
    return {Reject::None, static_cast<unsigned char>(changed ? 1 : 0), 0, length};
}

// The one table of symbologies (symbology.cpp), read by Calc's dispatch.
extern const std::array<Symbology, kCodeTypeCount> kSymbologies;

// Calc's checks and dispatch without its C contract: the reason of a
// rejection instead of 0/-1, and no emptying of the buffer.
Rejection calc(CodeType type, const CalcInput& in, char* out);

// The encoders of the symbology table.
Rejection calcEan8(const CalcInput& in, char* out);
Rejection calcEan13(const CalcInput& in, char* out);
Rejection calcUpcA(const CalcInput& in, char* out);
Rejection calcUpcE(const CalcInput& in, char* out);
Rejection calcCode39(const CalcInput& in, char* out);
Rejection calcCode128(const CalcInput& in, char* out);
Rejection calcCode128Ucc(const CalcInput& in, char* out);
Rejection calcInterleaved(const CalcInput& in, char* out);
Rejection calcIndustrial(const CalcInput& in, char* out);
Rejection calcCodabar(const CalcInput& in, char* out);
Rejection calcPostnet(const CalcInput& in, char* out);
Rejection calcImb(const CalcInput& in, char* out);

// The human-readable text of an Intelligent Mail request: its tracking and
// routing digits, NUL-terminated, in a kFontStringCapacity buffer.
Rejection imbText(const CalcInput& in, char* out);

// The text writers of the symbology table (hri.cpp), for requests Calc accepts.
Rejection textEan8(const CalcInput& in, char* out);
Rejection textEan13(const CalcInput& in, char* out);
Rejection textUpcA(const CalcInput& in, char* out);
Rejection textUpcE(const CalcInput& in, char* out);
Rejection textDigits(const CalcInput& in, char* out);
Rejection textEscapedData(const CalcInput& in, char* out);

// The human-readable text of a request into a kFontStringCapacity buffer:
// Calc's checks first, then the row's text writer; the rejection Calc
// reports when it refuses the request.
Rejection humanReadableText(CodeType type, const CalcInput& in, char* out);

Rejection calcGs1128(const CalcInput& in, char* out);

// The human-readable text of GS1-128 data: every AI in round brackets, the
// values without escapes, NUL-terminated into kFontStringCapacity bytes.
Rejection gs1128Text(const CalcInput& in, char* out);

// The data of a request for a symbology that takes NUL as data, with the
// positions behind the first NUL set to NUL as Calc reads them: the
// caller's bytes where they hold no NUL or are whole data, else a padded copy.
class PaddedData {
  public:
    explicit PaddedData(const CalcInput& in);
    PaddedData(const PaddedData&) = delete;
    PaddedData& operator=(const PaddedData&) = delete;
    const unsigned char* bytes() const { return bytes_; }

  private:
    const unsigned char* bytes_;
    std::array<unsigned char, kMaxDataLength> padded_;  // written only for data with a NUL
};

// ---------------------------------------------------------------------------
// EAN/UPC

// Check digit (0-9) over `count` digit characters: weights 3 and 1 from the
// rightmost digit (rightmost weight 3), completed to the next multiple of ten.
// Serves EAN-8, EAN-13, UPC-A, UPC-E and both 2 of 5 symbologies. Inline so
// that the fixed counts of EAN/UPC unroll at their call sites.
constexpr int checkDigitMod10(const char* digits, int count) {
    int weighs3 = 0, weighs1 = 0;
    for (int i = count - 1; i >= 0; i -= 2) weighs3 += digits[i] - '0';
    for (int i = count - 2; i >= 0; i -= 2) weighs1 += digits[i] - '0';
    return (10 - (3 * weighs3 + weighs1) % 10) % 10;
}

// The eleven digits of the UPC-A number that the seven UPC-E digits (number
// system and six data digits) stand for, by zero suppression.
std::array<char, 11> upcAFromUpcE(const char* sevenDigits);

// "Code EAN" add-on character of digit value `val`: number set A when `AB`
// is 0, number set B otherwise.
std::int32_t GetCode(std::int32_t AB, std::int32_t val);

// "Code UPC" number set B character of the digit character `val`; `AB` is 0.
std::int32_t GetUPC(std::int32_t AB, std::int32_t val);

// The add-on kind of a NUL-terminated add-on text: 2, 5, or 0 for any other
// length. Reads at most six characters; nullptr reads as empty.
int addonLength(const char* addon);

// ---------------------------------------------------------------------------
// Tilde escapes of Code 39 and Code 128

// The escape "~999": Code 128's FNC1, which stands for no character.
inline constexpr int kFnc1Escape = 999;

// One data word read from the front of the data: "~~" is one tilde, "~ddd"
// the decimal number ddd (0-999), anything else the byte itself.
struct DataWord {
    int consumed;  // bytes of input taken: 1, 2, or 4 for a "~ddd" escape
    int value;     // the byte, or the escape's number

    constexpr bool escaped() const { return consumed == 4; }
};

// Inline: it runs once per data character of every Code 39 and Code 128 call.
constexpr DataWord readDataWord(const unsigned char* p, int remaining) {
    if (p[0] != '~') return {1, p[0]};
    if (remaining >= 2 && p[1] == '~') return {2, '~'};
    const auto isDigit = [](unsigned char c) { return c >= '0' && c <= '9'; };
    if (remaining >= 4 && isDigit(p[1]) && isDigit(p[2]) && isDigit(p[3])) {
        return {4, (p[1] - '0') * 100 + (p[2] - '0') * 10 + (p[3] - '0')};
    }
    return {1, '~'};
}

// Every escape above 255 but FNC1 stands for its value modulo 256 (a rule
// stored lists may rely on).
constexpr bool wrapsAround(const DataWord& word) {
    return word.escaped() && word.value >= 256 && word.value != kFnc1Escape;
}

// ---------------------------------------------------------------------------
// Code 39

struct c39pat {
    std::array<std::uint8_t, 9> pat;  // 1 wide, 0 narrow, bar first
    unsigned char c39char;
};

unsigned char Code39_Checksum(const unsigned char* pData, std::int32_t iDataLen);
void Code39_Out(unsigned char* pOut, unsigned char bChar);

Rejection encodeCode39(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen, bool bCHECKSUM);

// ---------------------------------------------------------------------------
// Code 128

// An entry of the Code 128 character sequence: a byte value, or kFnc1Entry.
using RawWord = std::uint16_t;
inline constexpr RawWord kFnc1Entry = 256;

inline constexpr short kStartA = 103;
inline constexpr short kStartB = 104;
inline constexpr short kStartC = 105;

short ConsecutiveDigits(const RawWord* pData, short sLeft);
short ConsecutiveText(const RawWord* pData, short sLeft);
short ConsecutiveControl(const RawWord* pData, short sLeft);
unsigned char ValueFromSet(unsigned char bData);
int DataToCodeWords(unsigned char* pResult, const RawWord* pData, int iNumAvail, short sStartMode);
unsigned char code128_Checksum(const unsigned char* pData, std::int32_t iDataLen, BOOL bUCC);
void code128_Out(unsigned char* pOut, unsigned char bChar);

Rejection encodeCode128(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen, bool bCHECKSUM,
                        bool bUCC);

}  // namespace bcfont::internal
