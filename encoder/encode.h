// The C++ entry to the encoders for the desktop app and the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encoder.h"
#include "wording.h"

namespace bcfont {

// Why Calc rejects this request, as one sentence a person can act on
// ("EAN-13 needs 12 or 13 digits, got 11"); empty when Calc accepts it.
// The sentence words what the encoder that refused the request reported.
// In `language`, as every sentence here.
std::string rejectionReason(CodeType type, std::string_view data, std::string_view addon, bool check,
                            Language language = Language::English);

// The font string Calc produces for the request, or nothing when Calc rejects
// it; then `whyRejected`, when given, receives rejectionReason().
std::optional<std::string> encode(CodeType type, std::string_view data, std::string_view addon, bool check,
                                  std::string* whyRejected = nullptr, Language language = Language::English);

// The text a label prints under the bars for the request, in the same bytes
// as the data (Mac OS Roman): the digits with their check digit for EAN/UPC
// (EAN-13's add-on after a space), the characters the data stands for
// otherwise. Nothing when Calc rejects the request; then `whyRejected`,
// when given, receives rejectionReason().
std::optional<std::string> humanReadable(CodeType type, std::string_view data, std::string_view addon, bool check,
                                         std::string* whyRejected = nullptr, Language language = Language::English);

// What the elements of the data mean, for the window's line under the
// human-readable text, as UTF-8 text like the reasons ("(01) GTIN · (10)
// BATCH/LOT"); empty for symbologies whose data has no elements.
std::string elementTitles(CodeType type, std::string_view data);

// Something the encoder took other than as typed, in data it accepts.
struct DataChange {
    enum class Kind : std::uint8_t {
        CheckDigitReplaced,  // a full-length EAN/UPC number with a wrong check digit
        EscapeWrapped,       // "~ddd" above 255 stands for ddd modulo 256
    };
    Kind kind;
    int typed;  // the check digit typed (0-9), or the escape's number
    int taken;  // the check digit computed, or the byte the escape stands for
    friend bool operator==(const DataChange&, const DataChange&) = default;
};

// Every change of `data` (which Calc accepts), in the order of the data.
std::vector<DataChange> changesMade(CodeType type, std::string_view data);

// "check digit 7 replaced by 1", "~300 is taken as ~044 (',')".
std::string changeSentence(const DataChange& change, Language language = Language::English);

// A byte as the person typed it, in Mac OS Roman: "','", "a space", "NUL", "byte 10".
std::string describeByte(unsigned char c, Language language = Language::English);

}  // namespace bcfont
