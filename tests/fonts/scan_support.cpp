#include "scan_support.h"

#include <ZXing/ReadBarcode.h>

namespace bcfont::test {

Scan decode(const render::GrayImage& image, ZXing::BarcodeFormat format, ZXing::DecodeHints hints) {
    hints.setFormats(format).setTryRotate(false).setTryDownscale(false);
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    Scan scan;
    scan.found = result.isValid();
    if (!scan.found) {
        scan.error = result.error() ? result.error().msg() : "no barcode found";
        return scan;
    }
    scan.text = result.text();
    scan.symbologyId = result.symbologyIdentifier();
    return scan;
}

std::vector<PixelRun> runsOfRow(const render::GrayImage& image, int y) {
    std::vector<PixelRun> runs;
    for (int x = 0; x < image.width; ++x) {
        const bool black = image.at(x, y) < 128;
        if (runs.empty() || runs.back().black != black) runs.push_back({black, 0});
        ++runs.back().length;
    }
    return runs;
}

std::pair<int, int> inkRows(const render::GrayImage& image) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y) >= 128) continue;
            if (first < 0) first = y;
            last = y;
            break;
        }
    }
    return {first, last};
}

std::string byteList(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (!out.empty()) out += ' ';
        out += std::to_string(static_cast<unsigned char>(c));
    }
    return out;
}

std::string Rng::digits(int count) {
    return from("0123456789", count);
}

std::string Rng::from(std::string_view alphabet, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += alphabet[static_cast<std::size_t>(below(static_cast<int>(alphabet.size())))];
    return out;
}

char gs1CheckDigit(std::string_view digits) {
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string upcEToUpcA(char numberSystem, std::string_view six) {
    const std::string d(six);
    std::string body;
    switch (d[5]) {
        case '0':
        case '1':
        case '2':
            body = d.substr(0, 2) + d[5] + "0000" + d.substr(2, 3);
            break;
        case '3':
            body = d.substr(0, 3) + "00000" + d.substr(3, 2);
            break;
        case '4':
            body = d.substr(0, 4) + "00000" + d[4];
            break;
        default:
            body = d.substr(0, 5) + "0000" + d[5];
            break;
    }
    return numberSystem + body;
}

}  // namespace bcfont::test
