// Requests given as UTF-8 text, as the command line and the C library take
// them: the data and add-on are read through the Mac OS Roman table first.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "encoder.h"
#include "wording.h"

namespace bcfont {

// The font string (Mac OS Roman bytes) of a request in UTF-8 text, or
// nothing; then `whyRejected`, when given, receives a sentence: the data or
// add-on is not valid UTF-8 or holds a character Mac OS Roman lacks, there
// is no data, or encode() refused it.
std::optional<std::string> encodeText(CodeType type, std::string_view dataUtf8, std::string_view addonUtf8,
                                      bool check, std::string* whyRejected = nullptr,
                                      Language language = Language::English);

}  // namespace bcfont
