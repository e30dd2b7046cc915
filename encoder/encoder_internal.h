// Helpers shared by the encoders, the validation pass and the unit tests.
// Not part of the library's public interface.
#pragma once

#include <array>
#include <cstdint>

#include "encoder.h"

namespace bcfont::internal {

// ---------------------------------------------------------------------------
// EAN/UPC

// Check digit (0-9) over `count` digit characters: weights 3 and 1 from the
// rightmost digit (rightmost weight 3), completed to the next multiple of ten.
// Serves EAN-8, EAN-13, UPC-A, UPC-E and both 2 of 5 symbologies. Inline so
// that the fixed counts of EAN/UPC unroll at their call sites.
constexpr int checkDigitMod10(const char* digits, int count) {
    int sum = 0;
    for (int i = 0; i < count; ++i) {
        const bool weighs3 = (count - 1 - i) % 2 == 0;
        sum += (weighs3 ? 3 : 1) * (digits[i] - '0');
    }
    return (10 - sum % 10) % 10;
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

// ---------------------------------------------------------------------------
// Code 39

struct c39pat {
    std::array<std::uint8_t, 9> pat;  // 1 wide, 0 narrow, bar first
    unsigned char c39char;
};

unsigned char Code39_Checksum(const unsigned char* pData, std::int32_t iDataLen);
void Code39_Out(unsigned char* pOut, unsigned char bChar);

// Why Code39 took or refused the data; Calc empties its buffer only for a
// symbol that would not fit.
enum class EncodeResult { Written, BadByte, BadEscape, TooLong };
EncodeResult encodeCode39(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen,
                          bool bCHECKSUM);

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

EncodeResult encodeCode128(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen,
                           bool bCHECKSUM, bool bUCC);

// Bytes of the Code 128 font string for data that passed the byte and escape
// checks (terminator not counted).
int code128FontLength(const unsigned char* pIn, std::int32_t iDataLen, bool bCHECKSUM, bool bUCC);

}  // namespace bcfont::internal
