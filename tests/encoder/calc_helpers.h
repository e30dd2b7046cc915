// Calls Calc the way the window does and captures what it left behind.
#pragma once

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encoder.h"

namespace bcfont::test {

// Font strings compared as decimal codes, so that failures print bytes.
using Codes = std::vector<int>;

inline Codes codes(std::string_view text) {
    Codes out;
    for (char c : text) out.push_back(static_cast<unsigned char>(c));
    return out;
}

inline Codes concat(std::initializer_list<Codes> parts) {
    Codes out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

struct CalcOutcome {
    int result = 0;
    std::array<unsigned char, kFontStringCapacity> buffer{};
    std::array<unsigned char, kFontStringCapacity> passed{};

    bool asPassed() const { return buffer == passed; }
    bool empty() const { return buffer[0] == 0; }
    bool terminated() const { return std::find(buffer.begin(), buffer.end(), 0) != buffer.end(); }
    // The font string up to its terminator (the whole buffer when there is none).
    Codes string() const {
        Codes out;
        for (unsigned char c : buffer) {
            if (c == 0) break;
            out.push_back(c);
        }
        return out;
    }
};

struct CalcCall {
    CodeType type = EAN13;
    std::string data;
    const char* addon = "";
    bool check = false;
    std::optional<int> len;  // defaults to data.size()
    unsigned char fill = 0;  // what the output buffer holds before the call
};

inline CalcOutcome runCalc(const CalcCall& call) {
    std::array<char, kFontStringCapacity> data{};
    std::copy_n(call.data.begin(), std::min(call.data.size(), data.size()), data.begin());
    CalcOutcome outcome;
    outcome.passed.fill(call.fill);
    outcome.buffer = outcome.passed;
    outcome.result = Calc(call.type, data.data(), reinterpret_cast<char*>(outcome.buffer.data()), call.addon,
                          call.len.value_or(static_cast<int>(call.data.size())), call.check ? 1 : 0);
    return outcome;
}

inline CalcOutcome runCalc(CodeType type, std::string data, const char* addon = "", bool check = false) {
    return runCalc(CalcCall{type, std::move(data), addon, check, std::nullopt, 0});
}

// Rows that expect a rejection name what the buffer holds afterwards.
enum class After { Written, Empty, AsPassed };

}  // namespace bcfont::test
