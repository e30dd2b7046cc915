// bcfont encoders: turn data into font strings for the barcode fonts.
//
// Plain functions over caller-owned byte buffers and constant tables. No
// allocation, no global mutable state; every function is reentrant.
#pragma once

#include <cstddef>
#include <cstdint>

// A signed 8-bit truth value: 0 is false, anything else true.
using BOOL = std::int8_t;

// The symbology selector. The values are the indexes of the window's
// symbology selector and are stable: stored batch jobs and scripts use them.
enum CodeType : std::int32_t {
    EAN8 = 0,
    EAN13 = 1,
    UPCA = 2,
    UPCE = 3,
    C39 = 4,
    C128 = 5,
    C128EAN = 6,
    TOFIL = 7,   // 2 of 5 Interleaved
    TOFIND = 8,  // 2 of 5 Industrial
    CODABAR = 9,
    POSTNET = 10,
    IMB = 11,     // Intelligent Mail
    GS1128 = 12,  // GS1-128: AIs in brackets with their values
    // 2D codes: their font strings come from the matrix module (matrix/),
    // not from Calc, which rejects them.
    QR = 13,             // QR Code, model 2
    DATAMATRIX = 14,     // Data Matrix ECC 200
    PDF417 = 15,
    GS1QR = 16,          // QR Code with FNC1 first and GS1 data
    GS1DATAMATRIX = 17,  // Data Matrix with FNC1 first and GS1 data
};

inline constexpr int kCodeTypeCount = GS1DATAMATRIX + 1;

// Size of every font string buffer handed to the encoders, terminator
// included. A font string is at most kFontStringCapacity - 1 bytes long.
inline constexpr std::size_t kFontStringCapacity = 100;

// Most data characters Calc accepts; 2 of 5 Interleaved with an even number
// of digits and the check digit takes two fewer.
inline constexpr int kMaxDataLength = 48;
inline constexpr int kMaxInterleavedEvenWithCheck = 46;
// GS1-128 is typed with brackets and escapes around its 48 data characters:
// Calc takes that much of it.
inline constexpr int kMaxGs1InputLength = 99;
// The longest data Calc takes for any symbology.
inline constexpr int kMaxInputLength = kMaxGs1InputLength;

// Encodes `len` characters of `Nutzziffer` for symbology `code` into the
// caller's buffer `Gesamt` (kFontStringCapacity bytes, zero-filled by the
// caller) as a NUL-terminated font string. `len` is at most kMaxDataLength,
// kMaxGs1InputLength for GS1-128.
//
// `Addon` is a NUL-terminated string (nullptr reads as empty); only EAN-13
// uses it, as a 2- or 5-digit add-on. `bCHECK` asks for the optional check
// character of the symbologies that have one.
//
// Returns 0 on success and -1 when the data is rejected. After a rejection
// `Gesamt` holds either an empty string or exactly what the caller passed.
// A value that is not a CodeType (0 to kCodeTypeCount - 1) writes nothing
// and returns 0.
int Calc(std::int32_t code, const char* Nutzziffer, char* Gesamt, const char* Addon, std::int32_t len,
         BOOL bCHECK);

// Full ASCII Code 39 with tilde escapes and the optional modulo-43 check
// character. `pOut` holds kFontStringCapacity bytes and receives the
// NUL-terminated font string; data whose font string would not fit in it is
// rejected. Returns 1 when written, 0 when the data is rejected (`pOut`
// untouched).
BOOL Code39(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen, BOOL bCHECKSUM);

// Code 128 (`bUCC` 0) and Code 128 EAN/UCC (`bUCC` 1) with tilde escapes,
// greedy code set selection and the modulo-103 check character. Same buffer
// contract and results as Code39.
BOOL Code128(const unsigned char* pIn, unsigned char* pOut, std::int32_t iDataLen, BOOL bCHECKSUM, BOOL bUCC);
