#include "pdf_pages.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "run_bcfont.h"

namespace bcfont::test {
namespace {

std::optional<std::string> inflated(std::string_view deflated) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return std::nullopt;
    std::string out;
    char chunk[65536];
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
    z.avail_in = static_cast<uInt>(deflated.size());
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(chunk);
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - z.avail_out);
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) return std::nullopt;
    return out;
}

}  // namespace

std::vector<std::string> pageContents(const std::string& pdf) {
    std::vector<std::string> pages;
    std::size_t at = 0;
    while ((at = pdf.find("stream", at)) != std::string::npos) {
        std::size_t begin = at + 6;
        if (pdf.compare(begin, 2, "\r\n") == 0)
            begin += 2;
        else if (pdf[begin] == '\n')
            begin += 1;
        else {
            at = begin;  // "endstream"
            continue;
        }
        const std::size_t end = pdf.find("endstream", begin);
        if (end == std::string::npos) break;
        const auto text = inflated(std::string_view(pdf).substr(begin, end - begin));
        if (text && flipHeight(*text)) pages.push_back(*text);
        at = end + 9;
    }
    return pages;
}

std::optional<std::pair<double, double>> mediaBox(const std::string& pdf) {
    static const std::regex box(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])");
    std::smatch m;
    if (!std::regex_search(pdf, m, box)) return std::nullopt;
    return std::pair{std::stod(m[1]), std::stod(m[2])};
}

std::optional<double> flipHeight(const std::string& content) {
    static const std::regex flip(R"(^1 0 0 -1 0 ([0-9.]+) cm)");
    std::smatch m;
    if (!std::regex_search(content, m, flip)) return std::nullopt;
    return std::stod(m[1]);
}

std::vector<render::Rect> strokedRects(const std::string& content) {
    std::istringstream in(content);
    std::vector<std::string> tokens;
    for (std::string t; in >> t;) tokens.push_back(t);
    std::vector<render::Rect> rects;
    for (std::size_t i = 4; i + 1 < tokens.size(); ++i) {
        if (tokens[i] != "re" || tokens[i + 1] != "S") continue;
        rects.push_back({std::stod(tokens[i - 4]), std::stod(tokens[i - 3]), std::stod(tokens[i - 2]),
                         std::stod(tokens[i - 1])});
    }
    return rects;
}

std::optional<render::GrayImage> readPgm(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    if (magic != "P5" || maxValue != 255 || width <= 0 || height <= 0) return std::nullopt;
    in.get();
    render::GrayImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    in.read(reinterpret_cast<char*>(image.pixels.data()), static_cast<std::streamsize>(image.pixels.size()));
    if (!in) return std::nullopt;
    return image;
}

std::optional<std::vector<render::GrayImage>> rasterise(const std::filesystem::path& pdf, int dpi) {
    const std::filesystem::path prefix = pdf.parent_path() / "page";
    const std::string command =
        "pdftoppm -gray -r " + std::to_string(dpi) + " '" + pdf.string() + "' '" + prefix.string() + "'";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(pdf.parent_path()))
        if (e.path().extension() == ".pgm") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::vector<render::GrayImage> pages;
    for (const auto& f : files) {
        auto image = readPgm(f);
        if (!image) return std::nullopt;
        pages.push_back(std::move(*image));
    }
    return pages;
}

}  // namespace bcfont::test
