#include "NoticeTexts.h"

namespace bcfont::app::notice {

std::string filled(std::string_view pattern, std::initializer_list<std::string> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const bool placeholder =
            c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9';
        if (!placeholder) {
            out += c;
            continue;
        }
        const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
        if (index < args.size()) out += *(args.begin() + index);
        ++i;
    }
    return out;
}

}  // namespace bcfont::app::notice
