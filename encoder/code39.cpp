// Code 39: Full ASCII with tilde escapes and the optional modulo-43 check
// character.
#include <array>
#include <cstdint>

#include "encoder.h"
#include "encoder_internal.h"
#include "font_bytes.h"

namespace bcfont::internal {
namespace {

// The Code 39 character set with the bar/space pattern of each character
// (1 wide, 0 narrow, bar first), in value order; record 43 is the start/stop
// character. From the fonts' pattern table, as the fonts draw them.
constexpr std::array<c39pat, 44> c39 = [] {
    static_assert(fontbytes::kCode39.size() == 44);
    std::array<c39pat, 44> records{};
    for (std::size_t v = 0; v < records.size(); ++v)
        records[v] = {fontbytes::kCode39[v].elements, fontbytes::kCode39[v].character};
    return records;
}();
constexpr int kC39DataCharacters = 43;

// Code 39 is "3 of 9": every pattern has exactly three wide elements, and no
// two characters share a pattern.
constexpr bool everyPatternHasThreeWideElementsAndIsUnique() {
    for (std::size_t a = 0; a < c39.size(); ++a) {
        int wide = 0;
        for (auto element : c39[a].pat) wide += element;
        if (wide != 3) return false;
        for (std::size_t b = a + 1; b < c39.size(); ++b) {
            if (c39[a].pat == c39[b].pat || c39[a].c39char == c39[b].c39char) return false;
        }
    }
    return true;
}
static_assert(everyPatternHasThreeWideElementsAndIsUnique());

// Full ASCII Code 39, indexed by the character code 0 to 127: the one or two
// Code 39 characters that stand for it. A leading space means "the second
// character alone". As in the Code 39 standard's Full ASCII table.
// clang-format off
constexpr std::array<std::array<unsigned char, 2>, 128> C39Full = {{
    // NUL .. US
    {'%', 'U'}, {'$', 'A'}, {'$', 'B'}, {'$', 'C'}, {'$', 'D'}, {'$', 'E'}, {'$', 'F'}, {'$', 'G'},
    {'$', 'H'}, {'$', 'I'}, {'$', 'J'}, {'$', 'K'}, {'$', 'L'}, {'$', 'M'}, {'$', 'N'}, {'$', 'O'},
    {'$', 'P'}, {'$', 'Q'}, {'$', 'R'}, {'$', 'S'}, {'$', 'T'}, {'$', 'U'}, {'$', 'V'}, {'$', 'W'},
    {'$', 'X'}, {'$', 'Y'}, {'$', 'Z'}, {'%', 'A'}, {'%', 'B'}, {'%', 'C'}, {'%', 'D'}, {'%', 'E'},
    // space ! " # $ % & ' ( ) * + , - . /
    {' ', ' '}, {'/', 'A'}, {'/', 'B'}, {'/', 'C'}, {'/', 'D'}, {'/', 'E'}, {'/', 'F'}, {'/', 'G'},
    {'/', 'H'}, {'/', 'I'}, {'/', 'J'}, {'/', 'K'}, {'/', 'L'}, {' ', '-'}, {' ', '.'}, {'/', 'O'},
    // 0 .. 9 : ; < = > ?
    {' ', '0'}, {' ', '1'}, {' ', '2'}, {' ', '3'}, {' ', '4'}, {' ', '5'}, {' ', '6'}, {' ', '7'},
    {' ', '8'}, {' ', '9'}, {'/', 'Z'}, {'%', 'F'}, {'%', 'G'}, {'%', 'H'}, {'%', 'I'}, {'%', 'J'},
    // @ A .. Z [ \ ] ^ _
    {'%', 'V'}, {' ', 'A'}, {' ', 'B'}, {' ', 'C'}, {' ', 'D'}, {' ', 'E'}, {' ', 'F'}, {' ', 'G'},
    {' ', 'H'}, {' ', 'I'}, {' ', 'J'}, {' ', 'K'}, {' ', 'L'}, {' ', 'M'}, {' ', 'N'}, {' ', 'O'},
    {' ', 'P'}, {' ', 'Q'}, {' ', 'R'}, {' ', 'S'}, {' ', 'T'}, {' ', 'U'}, {' ', 'V'}, {' ', 'W'},
    {' ', 'X'}, {' ', 'Y'}, {' ', 'Z'}, {'%', 'K'}, {'%', 'L'}, {'%', 'M'}, {'%', 'N'}, {'%', 'O'},
    // ` a .. z { | } ~ DEL
    {'%', 'W'}, {'+', 'A'}, {'+', 'B'}, {'+', 'C'}, {'+', 'D'}, {'+', 'E'}, {'+', 'F'}, {'+', 'G'},
    {'+', 'H'}, {'+', 'I'}, {'+', 'J'}, {'+', 'K'}, {'+', 'L'}, {'+', 'M'}, {'+', 'N'}, {'+', 'O'},
    {'+', 'P'}, {'+', 'Q'}, {'+', 'R'}, {'+', 'S'}, {'+', 'T'}, {'+', 'U'}, {'+', 'V'}, {'+', 'W'},
    {'+', 'X'}, {'+', 'Y'}, {'+', 'Z'}, {'%', 'P'}, {'%', 'Q'}, {'%', 'R'}, {'%', 'S'}, {'%', 'T'},
}};
// clang-format on

// Value of each byte in the Code 39 character set, -1 for bytes outside it;
// derived from c39 so that the two cannot disagree.
constexpr std::array<std::int8_t, 256> kC39Values = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int v = kC39DataCharacters - 1; v >= 0; --v) values[c39[v].c39char] = static_cast<std::int8_t>(v);
    return values;
}();

constexpr bool fullAsciiEntryUsesOnlyDataCharacters() {
    for (const auto& entry : C39Full) {
        if (entry[0] != ' ' && kC39Values[entry[0]] < 0) return false;
        if (kC39Values[entry[1]] < 0) return false;
    }
    return true;
}
static_assert(fullAsciiEntryUsesOnlyDataCharacters());

// The last record is the start/stop character.
constexpr unsigned char kStartStop = c39.back().c39char;
constexpr unsigned char kFontSpace = fontbytes::kCode39Space;
constexpr int kMaxFontString = static_cast<int>(kFontStringCapacity) - 1;

}  // namespace

unsigned char Code39_Checksum(const unsigned char* pData, std::int32_t iDataLen) {
    int sum = 0;
    for (int i = 0; i < iDataLen; ++i) sum += kC39Values[pData[i]];
    return c39[sum % kC39DataCharacters].c39char;
}

void Code39_Out(unsigned char* pOut, unsigned char bChar) {
    *pOut = bChar == ' ' ? kFontSpace : bChar;
}

Rejection encodeCode39(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen, bool bCHECKSUM) {
    if (iDataLen < 0 || pOut == nullptr || (pIn == nullptr && iDataLen > 0)) return {Reject::BadCall};
    for (int i = 0; i < iDataLen; ++i) {
        if (pIn[i] >= 128) return {Reject::NotInAlphabet, pIn[i], i + 1, 0};
    }

    // The symbol is built here in full before anything reaches pOut, so that
    // a rejection leaves the caller's buffer as it was. Words past the room
    // are counted, not kept, to say how long the font string would be.
    const int frame = bCHECKSUM ? 3 : 2;
    const int maxDataWords = kMaxFontString - frame;
    std::array<unsigned char, kFontStringCapacity> pDataWords;
    std::int64_t iNumDataWords = 0;  // counts on past the room, for data of any length
    bool wrapped = false;
    for (int i = 0; i < iDataLen;) {
        const DataWord word = readDataWord(pIn + i, iDataLen - i);
        const int raw = word.value % 256;
        // No Full ASCII entry exists for these; writing anything would draw
        // a symbol that does not read as the data.
        if (raw >= 128) return {Reject::EscapeNotAscii, 0, i + 1, static_cast<std::size_t>(word.value)};
        wrapped |= wrapsAround(word);
        i += word.consumed;
        const auto& entry = C39Full[raw];
        const int needed = entry[0] == ' ' ? 1 : 2;
        if (iNumDataWords + needed <= maxDataWords) {
            if (entry[0] != ' ') pDataWords[iNumDataWords] = entry[0];
            pDataWords[iNumDataWords + needed - 1] = entry[1];
        }
        iNumDataWords += needed;
    }
    if (iNumDataWords > maxDataWords)
        return {Reject::FontStringTooLong, 0, 0, static_cast<std::size_t>(iNumDataWords + frame)};

    unsigned char* out = pOut;
    Code39_Out(out++, kStartStop);
    for (int i = 0; i < iNumDataWords; ++i) Code39_Out(out++, pDataWords[i]);
    if (bCHECKSUM)
        Code39_Out(out++, Code39_Checksum(pDataWords.data(), static_cast<std::int32_t>(iNumDataWords)));
    Code39_Out(out++, kStartStop);
    // Terminated here as well, so that a caller's buffer that was not
    // zero-filled still holds one string; at most 99 bytes precede it.
    *out = '\0';
    return written(static_cast<std::size_t>(out - pOut), wrapped);
}

Rejection calcCode39(const CalcInput& in, char* out) {
    const PaddedData data(in);
    return encodeCode39(data.bytes(), reinterpret_cast<unsigned char*>(out), in.len, in.check);
}

}  // namespace bcfont::internal

BOOL Code39(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen, BOOL bCHECKSUM) {
    return bcfont::internal::encodeCode39(pIn, pOut, iDataLen, bCHECKSUM != 0).accepted() ? 1 : 0;
}
