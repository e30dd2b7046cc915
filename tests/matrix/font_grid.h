// A 2D font string read back into modules, as the face draws it: each
// letter 'A' + v a column of four modules, bit 3 the top one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bcfont::test {

struct FontGrid {
    bool wellFormed = false;  // lines of one length, letters 'A'..'P' only
    int lines = 0, columns = 0;
    std::vector<std::string_view> text;

    bool dark(int x, int y) const {
        const int v = text[static_cast<std::size_t>(y / 4)][static_cast<std::size_t>(x)] - 'A';
        return ((v >> (3 - y % 4)) & 1) != 0;
    }
};

inline FontGrid gridOf(std::string_view fontString) {
    FontGrid grid;
    for (std::size_t start = 0;;) {
        const std::size_t end = fontString.find('\n', start);
        grid.text.push_back(fontString.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    grid.lines = static_cast<int>(grid.text.size());
    grid.columns = static_cast<int>(grid.text[0].size());
    grid.wellFormed = grid.columns > 0;
    for (std::string_view line : grid.text) {
        if (static_cast<int>(line.size()) != grid.columns) grid.wellFormed = false;
        for (const char c : line)
            if (c < 'A' || c > 'P') grid.wellFormed = false;
    }
    return grid;
}

}  // namespace bcfont::test
