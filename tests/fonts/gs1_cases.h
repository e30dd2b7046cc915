// Seeded GS1-128 element strings that the AI table accepts, for the scan
// round trips and the width comparison with zint: GTINs with their check
// digit, dates, weights, and batch, serial and free-text values mixing
// digits with text so that every code set change comes up.
#pragma once

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace bcfont::test {

struct Gs1Element {
    std::string ai, value;
    bool predefined;  // no FNC1 separator after it
};

struct Gs1Case {
    std::string data;     // typed, round or square brackets, escapes
    std::string zint;     // square brackets, no escapes, for zint
    std::string scanned;  // what a decoder reads: GS after variable-length elements but the last
};

inline Gs1Case gs1CaseOf(const std::vector<Gs1Element>& elements, bool round) {
    const char open = round ? '(' : '[', close = round ? ')' : ']';
    Gs1Case c;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const Gs1Element& e = elements[i];
        c.data += open + e.ai + close;
        for (const char ch : e.value) {
            if (ch == open || ch == close || ch == '\\') c.data += '\\';
            c.data += ch;
        }
        c.zint += "[" + e.ai + "]" + e.value;
        c.scanned += e.ai + e.value;
        if (!e.predefined && i + 1 < elements.size()) c.scanned += '\x1D';
    }
    return c;
}

inline Gs1Case randomGs1Case(std::mt19937& rng) {
    const auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const auto from = [&](std::string_view alphabet, int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += alphabet[static_cast<std::size_t>(below(static_cast<int>(alphabet.size())))];
        return s;
    };
    const auto digits = [&](int n) { return from("0123456789", n); };
    // Text that is digits, letters, or both in runs, so that sets B and C alternate.
    const auto text = [&](int most) {
        const int n = 1 + below(most);
        switch (below(3)) {
            case 0: return digits(n);
            case 1: return from("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-./()%", n);
            default: {
                std::string s;
                while (static_cast<int>(s.size()) < n) s += below(2) ? digits(1 + below(6)) : from("ABCXYZ-/", 1 + below(3));
                return s.substr(0, static_cast<std::size_t>(n));
            }
        }
    };
    const auto gtin = [&] {
        std::string d = digits(13);
        int sum = 0;
        for (std::size_t i = 0; i < d.size(); ++i) sum += (d[d.size() - 1 - i] - '0') * (i % 2 ? 1 : 3);
        return d + static_cast<char>('0' + (10 - sum % 10) % 10);
    };
    const auto date = [&] {
        return digits(2) + std::to_string(10 + below(3)) + std::to_string(10 + below(19));
    };
    std::vector<Gs1Element> pool = {
        {"17", date(), true},       {"15", date(), true},          {"11", date(), true},
        {"3103", digits(6), true},  {"10", text(20), false},       {"21", text(20), false},
        {"30", digits(1 + below(8)), false}, {"400", text(30), false}, {"90", text(30), false},
    };
    std::shuffle(pool.begin(), pool.end(), rng);
    std::vector<Gs1Element> elements(pool.begin(), pool.begin() + 1 + below(4));
    elements.insert(elements.begin() + below(static_cast<int>(elements.size()) + 1), {"01", gtin(), true});
    // At most 48 data characters: drop elements from the back until they fit.
    const auto characters = [&] {
        std::size_t n = 0;
        for (const auto& e : elements) n += e.ai.size() + e.value.size();
        return n;
    };
    while (characters() > 48) {
        if (elements.back().ai == "01") std::swap(elements.front(), elements.back());
        elements.pop_back();
    }
    return gs1CaseOf(elements, below(2) == 0);
}

}  // namespace bcfont::test
