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

}  // namespace bcfont
