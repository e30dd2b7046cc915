// The C++ entry to the encoders for the desktop app and the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "encoder.h"

namespace bcfont {

// Why Calc rejects this request, as one sentence a person can act on
// ("EAN-13 needs 12 or 13 digits, got 11"); empty when Calc accepts it.
// The sentence words what the encoder that refused the request reported.
std::string rejectionReason(CodeType type, std::string_view data, std::string_view addon, bool check);

// The font string Calc produces for the request, or nothing when Calc rejects
// it; then `whyRejected`, when given, receives rejectionReason().
std::optional<std::string> encode(CodeType type, std::string_view data, std::string_view addon, bool check,
                                  std::string* whyRejected = nullptr);

// A request typed as UTF-8 text, read as every text front end (the command
// line, the web module) reads it: the data and the add-on turned into Mac OS
// Roman, then encode(). `fontString` is empty and `reason` says why when the
// text or the request is rejected.
struct TextResult {
    std::optional<std::string> fontString;
    std::string reason;
};
TextResult encodeUtf8(CodeType type, std::string_view dataUtf8, std::string_view addonUtf8, bool check);

}  // namespace bcfont
