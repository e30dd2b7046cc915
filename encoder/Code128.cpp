// Code 128 and Code 128 EAN/UCC: tilde escapes, greedy code set selection,
// the modulo-103 check value and the value-to-font-byte mapping.
#include <algorithm>
#include <array>
#include <cstdint>

#include "encoder.h"
#include "encoder_internal.h"
#include "font_bytes.h"

namespace bcfont::internal {
namespace {

// Code set B characters in value order (ISO/IEC 15417 character table);
// values 0 to 63 are the same characters in code set A.
// clang-format off
constexpr std::array<unsigned char, 96> tcSetA = {
    ' ', '!', '"', '#', '$', '%', '&', '\'', '(', ')', '*', '+', ',', '-', '.', '/',
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', ':', ';', '<', '=', '>', '?',
    '@', 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O',
    'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', '[', '\\', ']', '^', '_',
    '`', 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o',
    'p', 'q', 'r', 's', 't', 'u', 'v', 'w', 'x', 'y', 'z', '{', '|', '}', '~', 127,
};
// clang-format on

// ValueFromSet takes the position in tcSetA by arithmetic; this holds it to the table.
constexpr bool setBIsContiguousFromSpace() {
    for (std::size_t i = 0; i < tcSetA.size(); ++i) {
        if (tcSetA[i] != i + 32) return false;
    }
    return true;
}
static_assert(setBIsContiguousFromSpace());

constexpr unsigned char kCodeC = 99;
constexpr unsigned char kCodeB = 100;
constexpr unsigned char kCodeA = 101;
constexpr unsigned char kFnc1 = 102;
constexpr unsigned char kNotInSet = 106;
constexpr unsigned char kStop = fontbytes::kCode128StopValue;
// The symbol starts with Code C when the data begins with this many digits.
constexpr short kDigitsForStartC = 5;
// A run of this many digits inside the data is worth a change to Code C.
constexpr short kDigitsForCodeC = 4;

// The font byte of every value 0 to 255, for code128_Out: the symbol values
// where the fonts draw them, any other value at value + 32.
constexpr std::array<unsigned char, 256> kFontBytes = [] {
    std::array<unsigned char, 256> bytes{};
    for (int v = 0; v < 256; ++v) bytes[v] = static_cast<unsigned char>(v + 32);
    for (std::size_t v = 0; v < fontbytes::kCode128.size(); ++v) bytes[v] = fontbytes::kCode128[v];
    return bytes;
}();

// A scanner tells the values apart only if each has a byte of its own.
constexpr bool everySymbolValueHasItsOwnByte() {
    for (std::size_t a = 0; a < fontbytes::kCode128.size(); ++a) {
        for (std::size_t b = a + 1; b < fontbytes::kCode128.size(); ++b) {
            if (fontbytes::kCode128[a] == fontbytes::kCode128[b]) return false;
        }
    }
    return true;
}
static_assert(everySymbolValueHasItsOwnByte());

constexpr int kMaxRawWords = 100;
// Start, FNC1 and at most two codewords (code set change and value) per entry.
constexpr int kMaxCodeWords = 2 + 2 * kMaxRawWords;
constexpr int kMaxFontString = static_cast<int>(kFontStringCapacity) - 1;

constexpr bool isDigitEntry(RawWord w) {
    return w >= '0' && w <= '9';
}
// '9' is text as well as a digit; '0' to '8' are not text.
constexpr bool isTextEntry(RawWord w) {
    return (w >= 32 && w <= 47) || (w >= 57 && w <= 127);
}
constexpr bool isControlEntry(RawWord w) {
    return w <= 31;
}

// An int count: short arithmetic would cost a widening at every step.
template <typename InClass>
int runLength(const RawWord* pData, int left, InClass inClass) {
    int n = 0;
    while (n < left && inClass(pData[n])) ++n;
    return n;
}

// The character sequence and codewords of one symbol, before font output.
struct Symbol {
    std::array<unsigned char, kMaxCodeWords> codeWords;
    int count = 0;
    bool wrapped = false;  // an escape above 255 stands for its value modulo 256
};

// The first byte of 128 or above, or iDataLen when there is none. The
// whole data is or-ed first: the common case, all 7-bit, needs no branches.
int firstHighByte(const unsigned char* pIn, std::int32_t iDataLen) {
    unsigned char any = 0;
    for (int i = 0; i < iDataLen; ++i) any |= pIn[i];
    if (any < 128) return iDataLen;
    int i = 0;
    while (pIn[i] < 128) ++i;
    return i;
}

Rejection buildSymbol(const unsigned char* pIn, std::int32_t iDataLen, bool bUCC, Symbol& symbol) {
    if (iDataLen < 0 || (pIn == nullptr && iDataLen > 0)) return {Reject::BadCall};
    // A byte of 128 or above is the first thing wrong with any data that
    // holds one, whatever else is: it is looked for by the copy below, and
    // again before any other rejection.
    const auto highByteOr = [pIn, iDataLen](Rejection other) -> Rejection {
        if (const int high = firstHighByte(pIn, iDataLen); high < iDataLen)
            return {Reject::NotInAlphabet, pIn[high], high + 1, 0};
        return other;
    };

    std::array<RawWord, kMaxRawWords> pRawDataWords;
    int iNumRawDataWords = 0;
    unsigned char plainBytes = 0;  // or-ed together
    for (int i = 0; i < iDataLen;) {
        // Bytes other than '~' are entries as they are: copied in a tight
        // loop, as many as there is room for.
        const int plainEnd = std::min(iDataLen, i + (kMaxRawWords - iNumRawDataWords));
        for (; i < plainEnd && pIn[i] != '~'; ++i) {
            plainBytes |= pIn[i];
            pRawDataWords[iNumRawDataWords++] = pIn[i];
        }
        if (i == iDataLen) break;
        // More entries than any symbol of kFontStringCapacity bytes holds;
        // how many more is not counted.
        if (iNumRawDataWords == kMaxRawWords) return highByteOr({Reject::FontStringTooLong});
        const DataWord word = readDataWord(pIn + i, iDataLen - i);
        RawWord entry = static_cast<RawWord>(word.value);
        if (word.escaped()) {
            entry = word.value == kFnc1Escape ? kFnc1Entry : static_cast<RawWord>(word.value % 256);
            symbol.wrapped |= wrapsAround(word);
            // Values 128 to 255 have no Code 128 character; passing them on
            // would draw bars that read as something else.
            if (entry >= 128 && entry != kFnc1Entry)
                return highByteOr({Reject::EscapeNotAscii, 0, i + 1, static_cast<std::size_t>(word.value)});
        }
        i += word.consumed;
        pRawDataWords[iNumRawDataWords++] = entry;
    }
    // Escapes are ASCII digits and tildes: only plain bytes can be high.
    if (plainBytes >= 128) return highByteOr(kAccepted);

    const short sStartChar =
        runLength(pRawDataWords.data(), iNumRawDataWords, isDigitEntry) >= kDigitsForStartC ? kStartC : kStartB;
    int n = 0;
    symbol.codeWords[n++] = static_cast<unsigned char>(sStartChar);
    if (bUCC) symbol.codeWords[n++] = kFnc1;
    n += DataToCodeWords(symbol.codeWords.data() + n, pRawDataWords.data(), iNumRawDataWords, sStartChar);
    symbol.count = n;
    return kAccepted;
}

int fontLength(const Symbol& symbol, bool bCHECKSUM) {
    return symbol.count + (bCHECKSUM ? 2 : 1);
}

}  // namespace

short ConsecutiveDigits(const RawWord* pData, short sLeft) {
    return static_cast<short>(runLength(pData, sLeft, isDigitEntry));
}
short ConsecutiveText(const RawWord* pData, short sLeft) {
    return static_cast<short>(runLength(pData, sLeft, isTextEntry));
}
short ConsecutiveControl(const RawWord* pData, short sLeft) {
    return static_cast<short>(runLength(pData, sLeft, isControlEntry));
}

unsigned char ValueFromSet(unsigned char bData) {
    if (bData < tcSetA.front() || bData > tcSetA.back()) return kNotInSet;
    return static_cast<unsigned char>(bData - tcSetA.front());
}

int DataToCodeWords(unsigned char* pResult, const RawWord* pData, int iNumAvail, short sStartMode) {
    int iDelivered = 0;
    short iMode = sStartMode;
    int i = 0;
    while (i < iNumAvail) {
        const RawWord* rest = pData + i;
        const int left = iNumAvail - i;

        int run = runLength(rest, left, isDigitEntry);
        if (run >= kDigitsForCodeC) {
            run &= ~1;
            if (iMode != kStartC) {
                pResult[iDelivered++] = kCodeC;
                iMode = kStartC;
            }
            for (int k = 0; k < run; k += 2)
                pResult[iDelivered++] = static_cast<unsigned char>((rest[k] - '0') * 10 + (rest[k + 1] - '0'));
            i += run;
            continue;
        }
        // Digits have the same values in sets A and B, so a short run stays
        // in either; text needs set B.
        const bool textRun = run == 0;
        if (textRun) run = runLength(rest, left, isTextEntry);
        if (run > 0) {
            if (iMode == kStartC || (textRun && iMode == kStartA)) {
                pResult[iDelivered++] = kCodeB;
                iMode = kStartB;
            }
            // Digits and text are all in set B, whose values run on from the space.
            for (int k = 0; k < run; ++k) pResult[iDelivered++] = static_cast<unsigned char>(rest[k] - tcSetA.front());
            i += run;
            continue;
        }

        run = runLength(rest, left, isControlEntry);
        if (run > 0) {
            if (iMode != kStartA) {
                pResult[iDelivered++] = kCodeA;
                iMode = kStartA;
            }
            for (int k = 0; k < run; ++k) pResult[iDelivered++] = static_cast<unsigned char>(rest[k] + 64);
            i += run;
            continue;
        }

        // FNC1, or a byte with no Code 128 character, passes as it is and
        // changes no code set.
        pResult[iDelivered++] = rest[0] == kFnc1Entry ? kFnc1 : static_cast<unsigned char>(rest[0]);
        ++i;
    }
    return iDelivered;
}

unsigned char code128_Checksum(const unsigned char* pData, std::int32_t iDataLen, BOOL /*bUCC*/) {
    if (iDataLen <= 0) return 0;
    std::uint32_t sum = pData[0];
    for (std::int32_t j = 1; j < iDataLen; ++j)
        sum += static_cast<std::uint32_t>(pData[j]) * static_cast<std::uint32_t>(j);
    return static_cast<unsigned char>(sum % 103);
}

void code128_Out(unsigned char* pOut, unsigned char bChar) {
    *pOut = kFontBytes[bChar];
}

Rejection encodeCode128(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen, bool bCHECKSUM,
                        bool bUCC) {
    if (pOut == nullptr) return {Reject::BadCall};
    Symbol symbol;
    const Rejection built = buildSymbol(pIn, iDataLen, bUCC, symbol);
    if (!built.accepted()) return built;
    const int length = fontLength(symbol, bCHECKSUM);
    if (length > kMaxFontString) return {Reject::FontStringTooLong, 0, 0, static_cast<std::size_t>(length)};

    unsigned char* out = pOut;
    for (int i = 0; i < symbol.count; ++i) code128_Out(out++, symbol.codeWords[i]);
    if (bCHECKSUM) code128_Out(out++, code128_Checksum(symbol.codeWords.data(), symbol.count, bUCC));
    code128_Out(out++, kStop);
    // Terminated here as well, so that a caller's buffer that was not
    // zero-filled still holds one string; at most 99 bytes precede it.
    *out = '\0';
    return written(static_cast<std::size_t>(out - pOut), symbol.wrapped);
}

Rejection calcCode128(const CalcInput& in, char* out) {
    const PaddedData data(in);
    return encodeCode128(data.bytes(), reinterpret_cast<unsigned char*>(out), in.len, in.check, false);
}

Rejection calcCode128Ucc(const CalcInput& in, char* out) {
    const PaddedData data(in);
    return encodeCode128(data.bytes(), reinterpret_cast<unsigned char*>(out), in.len, in.check, true);
}

}  // namespace bcfont::internal

BOOL Code128(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen, BOOL bCHECKSUM,
             BOOL bUCC) {
    return bcfont::internal::encodeCode128(pIn, pOut, iDataLen, bCHECKSUM != 0, bUCC != 0).accepted() ? 1 : 0;
}
