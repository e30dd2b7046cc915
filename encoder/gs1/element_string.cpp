// Reading and checking a bracketed GS1 element string. Rejections carry where
// the element starts; gs1/reasons.cpp words them.
#include "element_string.h"

#include <algorithm>

namespace bcfont::gs1 {
namespace {

using internal::Reject;
using internal::Rejection;

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

Rejection syntax(Syntax what, int index) {
    return {Reject::Gs1Syntax, static_cast<unsigned char>(what), index + 1, 0};
}

Rejection about(Reject kind, const Element& e, std::size_t count = 0, unsigned char byte = 0) {
    return {kind, byte, e.start + 1, count};
}

// The next AI of a list such as "01+21,03+21" up to `stop`, taken off the
// front. A loop, not find(): the lists are short, a library call costs more.
std::string_view take(std::string_view& list, char stop) {
    std::size_t end = 0;
    while (end < list.size() && list[end] != stop) ++end;
    const std::string_view item = list.substr(0, end);
    list = end == list.size() ? std::string_view{} : list.substr(end + 1);
    return item;
}

const Element* present(const ElementString& es, std::string_view pattern) {
    for (int i = 0; i < es.count; ++i) {
        if (matches(es.ai(es.elements[static_cast<std::size_t>(i)]), pattern))
            return &es.elements[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

// The requirement at the front of `list` ("01+21,03+21|8020": alternatives
// split by ',', AIs that must all be present joined by '+', requirements
// split by '|'), taken off the front in one pass; whether one of its
// alternatives is present in full.
bool takeAndMeet(const ElementString& es, std::string_view& list, std::string_view& requirement) {
    bool met = false, every = true;
    std::size_t from = 0, i = 0;
    for (; i < list.size() && list[i] != '|'; ++i) {
        const char c = list[i];
        if (met || (c != '+' && c != ',')) continue;
        every = every && present(es, list.substr(from, i - from)) != nullptr;
        from = i + 1;
        if (c == ',') {
            met = every;
            every = true;
        }
    }
    if (!met) met = every && present(es, list.substr(from, i - from)) != nullptr;
    requirement = list.substr(0, i);
    list = i < list.size() ? list.substr(i + 1) : std::string_view{};
    return met;
}

// Each element on its own: a known AI, the length, the characters, the checks.
Rejection checkElement(const ElementString& es, const Element& e) {
    if (e.entry == nullptr) return about(Reject::Gs1UnknownAi, e);
    const std::string_view value = es.value(e);
    const auto length = static_cast<int>(value.size());
    if (length < minLength(*e.entry) || length > maxLength(*e.entry))
        return about(Reject::Gs1Length, e, value.size());
    std::array<Part, 5> parts;
    const int count = split(*e.entry, value, parts);
    for (int p = 0; p < count; ++p) {
        const Part& part = parts[static_cast<std::size_t>(p)];
        // A part of fixed length the value's end cuts short: its checks
        // would read past the value.
        if (part.length < part.component->min)
            return about(Reject::Gs1Check, e,
                         std::size_t{part.at} | std::size_t{part.length} << 8 | std::size_t{part.component->min} << 24,
                         static_cast<unsigned char>(Fault::PartCutShort));
        for (int i = part.at; i < part.at + part.length; ++i) {
            const auto c = static_cast<unsigned char>(value[static_cast<std::size_t>(i)]);
            if (!inCharset(part.component->charset, c))
                return about(Reject::Gs1Charset, e, static_cast<std::size_t>(i + 1), c);
        }
    }
    for (int p = 0; p < count; ++p) {
        const Part& part = parts[static_cast<std::size_t>(p)];
        for (const Check check : part.component->checks) {
            const Finding f = runCheck(check, value.substr(part.at, part.length));
            if (!f.passed())
                return about(Reject::Gs1Check, e,
                             static_cast<std::size_t>(part.at + f.at) | std::size_t{f.len} << 8 |
                                 std::size_t{f.field} << 16 | std::size_t{f.need} << 24,
                             static_cast<unsigned char>(f.fault));
        }
    }
    return internal::kAccepted;
}

}  // namespace

bool matches(std::string_view ai, std::string_view pattern) {
    if (ai.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < ai.size(); ++i) {
        if (pattern[i] != ai[i] && !(pattern[i] == 'n' && isDigit(ai[i]))) return false;
    }
    return true;
}

int split(const AiEntry& e, std::string_view value, std::array<Part, 5>& parts) {
    int count = 0, at = 0;
    const auto length = static_cast<int>(value.size());
    for (int i = 0; i < e.componentCount && at < length; ++i) {
        const Component& c = e.components[static_cast<std::size_t>(i)];
        // A part may find fewer characters left than its length: it takes
        // what is there, and checkElement rejects it, never reading past the value.
        const int taken = std::min<int>(c.max, length - at);
        parts[static_cast<std::size_t>(count++)] = {&c, static_cast<std::uint8_t>(at), static_cast<std::uint8_t>(taken)};
        at += taken;
    }
    return count;
}

std::string_view unmetRequirement(const ElementString& es, const AiEntry& e) {
    std::string_view requirements = e.req, requirement;
    while (!requirements.empty()) {
        if (!takeAndMeet(es, requirements, requirement)) return requirement;
    }
    return {};
}

const Element* ElementString::at(int position) const {
    for (int i = 0; i < count; ++i) {
        if (elements[static_cast<std::size_t>(i)].start + 1 == position) return &elements[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

int ElementString::dataCharacters() const {
    int n = 0;
    for (int i = 0; i < count; ++i) n += elements[static_cast<std::size_t>(i)].aiLength + elements[static_cast<std::size_t>(i)].valueLength;
    return n;
}

Rejection parse(const char* data, int len, ElementString& out) {
    out.count = 0;
    // Only data with a space is read again to say where.
    if (containsByte(data, len, ' '))
        return syntax(Syntax::Space, static_cast<int>(std::find(data, data + len, ' ') - data));
    if (len == 0 || (data[0] != '(' && data[0] != '[')) return syntax(Syntax::NoAi, 0);
    const char open = data[0], close = open == '(' ? ')' : ']';
    int stored = 0;
    int i = 0;
    while (i < len) {
        // data[i] is an opening bracket: the AI runs to the closing one.
        const int aiAt = i + 1;
        int end = aiAt;
        while (end < len && end <= aiAt + 4 && data[end] != close) ++end;
        if (end >= len || data[end] != close) return syntax(Syntax::AiNotClosed, i);
        const int aiLength = end - aiAt;
        bool digits = aiLength >= 2 && aiLength <= 4;
        for (int k = aiAt; k < end; ++k) digits = digits && isDigit(data[k]);
        if (!digits) return syntax(Syntax::AiNotDigits, i);

        Element& e = out.elements[static_cast<std::size_t>(out.count++)];
        e.start = static_cast<std::uint8_t>(i);
        e.aiLength = static_cast<std::uint8_t>(aiLength);
        e.ai = {};
        std::copy(data + aiAt, data + end, e.ai.begin());
        e.entry = findAi(out.ai(e));
        e.valueAt = static_cast<std::uint8_t>(stored);
        i = end + 1;
        while (i < len && data[i] != open) {
            char c = data[i];
            if (c == close) return syntax(Syntax::StrayBracket, i);
            if (c == '\\') {
                if (i + 1 >= len || (data[i + 1] != open && data[i + 1] != close && data[i + 1] != '\\'))
                    return syntax(Syntax::BadEscape, i);
                c = data[++i];
            }
            out.values[static_cast<std::size_t>(stored++)] = c;
            ++i;
        }
        e.valueLength = static_cast<std::uint8_t>(stored - e.valueAt);
        if (e.valueLength == 0) return syntax(Syntax::EmptyValue, e.start);
    }
    return internal::kAccepted;
}

Rejection validate(const ElementString& es) {
    for (int i = 0; i < es.count; ++i) {
        if (const Rejection r = checkElement(es, es.elements[static_cast<std::size_t>(i)]); !r.accepted()) return r;
    }
    for (int i = 0; i < es.count; ++i) {
        const Element& e = es.elements[static_cast<std::size_t>(i)];
        for (int j = 0; j < i; ++j) {
            const Element& earlier = es.elements[static_cast<std::size_t>(j)];
            if (earlier.ai == e.ai && es.value(earlier) != es.value(e))
                return about(Reject::Gs1Repeated, e, std::size_t{earlier.start} + 1);
        }
    }
    for (int i = 0; i < es.count; ++i) {
        const Element& e = es.elements[static_cast<std::size_t>(i)];
        std::string_view ex = e.entry->ex;
        while (!ex.empty()) {
            const std::string_view pattern = take(ex, ',');
            for (int j = 0; j < es.count; ++j) {
                const Element& other = es.elements[static_cast<std::size_t>(j)];
                // An AI does not exclude itself, even where a pattern matches it.
                if (other.ai != e.ai && matches(es.ai(other), pattern))
                    return about(Reject::Gs1Excludes, e, std::size_t{other.start} + 1);
            }
        }
    }
    for (int i = 0; i < es.count; ++i) {
        const Element& e = es.elements[static_cast<std::size_t>(i)];
        if (!unmetRequirement(es, *e.entry).empty()) return about(Reject::Gs1Requires, e);
    }
    if (const int n = es.dataCharacters(); n > kMaxDataCharacters)
        return {Reject::Gs1TooLong, 0, 0, static_cast<std::size_t>(n)};
    return internal::kAccepted;
}

}  // namespace bcfont::gs1
