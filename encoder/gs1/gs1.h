// GS1-128 for the front ends: reasons for rejected data, the titles of the
// AIs typed, and the hint for Code 128 EAN/UCC data typed as GS1-128.
#pragma once

#include <string>
#include <string_view>

#include "catalogue.h"

namespace bcfont {
namespace internal {
struct Rejection;
}

namespace gs1 {

// Why GS1-128 `data` was refused with `r` (a Reject::Gs1... kind), as one
// sentence naming the AI: "(17) 251301: 13 is not a month".
std::string sentence(const internal::Rejection& r, std::string_view data, Language language);

// The titles of the AIs in `data`, as far as its brackets can be read:
// "(01) GTIN · (17) USE BY or EXPIRY · (10) BATCH/LOT". UTF-8; empty when none.
std::string titles(std::string_view data);

// Whether Code 128 EAN/UCC data starts like bracketed GS1 data: '(' or '['
// followed by 2 to 4 digits and the closing bracket. Such data is encoded
// as typed, brackets and all, which is seldom what was meant.
bool looksLikeBracketedGs1(std::string_view data);

// The hint the front ends give for such data, in English.
inline constexpr std::string_view kGs1128Hint = text::kGs1128Hint.in(Language::English);

}  // namespace gs1
}  // namespace bcfont
