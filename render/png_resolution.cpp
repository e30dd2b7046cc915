#include "png_resolution.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include <zlib.h>

namespace bcfont::render {
namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
// Signature, then IHDR: length, type, 13 bytes of data, CRC.
constexpr std::size_t kIhdrEnd = 8 + 4 + 4 + 13 + 4;
constexpr double kMetresPerInch = 0.0254;

void appendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

std::string withResolution(const std::string& png, int dpi) {
    if (png.size() < kIhdrEnd || std::string_view(png).substr(0, 8) != kSignature ||
        std::string_view(png).substr(12, 4) != "IHDR")
        return png;
    const auto pixelsPerMetre = static_cast<std::uint32_t>(std::lround(dpi / kMetresPerInch));
    std::string chunk = "pHYs";
    appendBigEndian(chunk, pixelsPerMetre);
    appendBigEndian(chunk, pixelsPerMetre);
    chunk += '\x01';  // unit: metre
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), static_cast<uInt>(chunk.size())));

    std::string out = png.substr(0, kIhdrEnd);
    appendBigEndian(out, 9);
    out += chunk;
    appendBigEndian(out, crc);
    out.append(png, kIhdrEnd);
    return out;
}

}  // namespace bcfont::render
