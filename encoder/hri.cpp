// The human-readable text a label prints under the bars: one writer per
// row of the symbology table, run only on requests Calc accepts.
#include <array>
#include <cstring>

#include "encoder_internal.h"

namespace bcfont::internal {
namespace {

// Bytes a person cannot read under the bars (ASCII control characters)
// print as a space, so that the text keeps its length and shape.
constexpr bool isControl(int byte) {
    return byte < 32 || byte == 127;
}

constexpr char digitChar(int value) {
    return static_cast<char>('0' + value);
}

// The first `count` digits of the data followed by `check`, terminated.
Rejection digitsWithCheck(const CalcInput& in, int count, int check, char* out) {
    std::memcpy(out, in.data, static_cast<std::size_t>(count));
    out[count] = digitChar(check);
    out[count + 1] = '\0';
    return written(static_cast<std::size_t>(count) + 1);
}

}  // namespace

// EAN/UPC print every digit, the computed check digit in place of a typed one.
Rejection textEan8(const CalcInput& in, char* out) {
    return digitsWithCheck(in, 7, checkDigitMod10(in.data, 7), out);
}

Rejection textUpcA(const CalcInput& in, char* out) {
    return digitsWithCheck(in, 11, checkDigitMod10(in.data, 11), out);
}

// The add-on's digits follow after a space, as they stand apart above their
// own bars; an add-on Calc leaves out (not 2 or 5 digits) is not printed.
Rejection textEan13(const CalcInput& in, char* out) {
    const Rejection main = digitsWithCheck(in, 12, checkDigitMod10(in.data, 12), out);
    const int addonLen = addonLength(in.addon);
    if (addonLen == 0) return main;
    out[13] = ' ';
    std::memcpy(out + 14, in.addon, static_cast<std::size_t>(addonLen));
    out[14 + addonLen] = '\0';
    return written(14 + static_cast<std::size_t>(addonLen));
}

// UPC-E prints its eight digits: number system, six data digits and the
// check digit of the UPC-A number they stand for.
Rejection textUpcE(const CalcInput& in, char* out) {
    return digitsWithCheck(in, 7, checkDigitMod10(upcAFromUpcE(in.data).data(), 11), out);
}

// The digit symbologies print the data as typed; an optional check digit,
// Interleaved's leading zero and Codabar's start and stop are bars only.
Rejection textDigits(const CalcInput& in, char* out) {
    std::memcpy(out, in.data, static_cast<std::size_t>(in.len));
    out[in.len] = '\0';
    return written(static_cast<std::size_t>(in.len));
}

// Code 39 and Code 128 print the characters the data stands for: "~ddd" as
// the character of that byte, "~~" as one tilde, FNC1 ("~999") as nothing.
// Symbol check characters are never printed.
Rejection textEscapedData(const CalcInput& in, char* out) {
    const PaddedData data(in);
    std::size_t n = 0;
    for (int i = 0; i < in.len;) {
        const DataWord word = readDataWord(data.bytes() + i, in.len - i);
        i += word.consumed;
        if (word.escaped() && word.value == kFnc1Escape) continue;
        // Calc takes an escape's value modulo 256, and accepts only ASCII.
        const int byte = word.value % 256;
        out[n++] = isControl(byte) ? ' ' : static_cast<char>(byte);
    }
    out[n] = '\0';
    return written(n);
}

Rejection humanReadableText(CodeType type, const CalcInput& in, char* out) {
    std::array<char, kFontStringCapacity> fontString{};
    if (const Rejection r = calc(type, in, fontString.data()); !r.accepted()) return r;
    if (kSymbologies[static_cast<std::size_t>(type)].text == nullptr) return {Reject::NeedsMatrix};
    return kSymbologies[static_cast<std::size_t>(type)].text(in, out);
}

}  // namespace bcfont::internal
