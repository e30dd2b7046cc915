// The properties the GS1-128 fuzz target holds the element string reader to.
// Shared with the unit tests, which replay the seed corpus.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "encode.h"
#include "encoder_internal.h"
#include "gs1/element_string.h"

namespace bcfont::fuzz {

// The element string written back with `open` brackets and escapes.
inline std::string written(const gs1::ElementString& es, char open) {
    const char close = open == '(' ? ')' : ']';
    std::string text;
    for (int i = 0; i < es.count; ++i) {
        const gs1::Element& e = es.elements[static_cast<std::size_t>(i)];
        text += open;
        text += es.ai(e);
        text += close;
        for (const char c : es.value(e)) {
            if (c == open || c == close || c == '\\') text += '\\';
            text += c;
        }
    }
    return text;
}

// Empty when every property holds, otherwise what went wrong. The input is
// the data, at most kMaxGs1InputLength bytes of it.
inline std::string checkGs1Input(const std::uint8_t* input, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(input),
                                std::min<std::size_t>(size, kMaxGs1InputLength));
    std::array<char, kFontStringCapacity> out{};
    const int result = Calc(GS1128, data.data(), out.data(), "", static_cast<std::int32_t>(data.size()), 1);
    const std::string reason = rejectionReason(GS1128, data, "", true);
    if ((result == 0) == !reason.empty()) return "Calc and rejectionReason disagree: '" + reason + "'";
    if (result != 0) return {};

    gs1::ElementString es;
    if (!gs1::parse(data.data(), static_cast<int>(data.size()), es).accepted()) return "accepted data does not parse";
    if (es.dataCharacters() > gs1::kMaxDataCharacters) return "more than 48 data characters accepted";
    // The same elements written either way encode to the same symbol.
    for (const char open : {'(', '['}) {
        const auto again = encode(GS1128, written(es, open), "", true);
        if (!again || *again != std::string_view(out.data())) return "the elements written again encode otherwise";
    }
    std::array<char, kFontStringCapacity> text{};
    const internal::CalcInput in{data.data(), static_cast<int>(data.size()), "", true};
    if (!internal::gs1128Text(in, text.data()).accepted()) return "no text for accepted data";
    return {};
}

}  // namespace bcfont::fuzz
