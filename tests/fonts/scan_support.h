// Drawing font strings in bcfont's fonts and reading the bars back: with a
// real decoder, or as runs of black and white along one row.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <ZXing/BarcodeFormat.h>
#include <ZXing/DecodeHints.h>

#include "render.h"

namespace bcfont::test {

// What the decoder made of a picture.
struct Scan {
    bool found = false;
    std::string text;
    std::string symbologyId;  // "]C1" and so on
    std::string error;        // why nothing was found
};

// Reads one barcode of `format` from `image`; `hints` chooses the decoder's
// optional checks.
Scan decode(const render::GrayImage& image, ZXing::BarcodeFormat format, ZXing::DecodeHints hints = {});

// A run of like pixels along a row: black or white, and how many.
struct PixelRun {
    bool black = false;
    int length = 0;
};

// The runs of row `y`, dark meaning a grey value below the middle.
std::vector<PixelRun> runsOfRow(const render::GrayImage& image, int y);

// The rows from the first to the last that hold a dark pixel; {-1, -1} for a
// blank picture.
std::pair<int, int> inkRows(const render::GrayImage& image);

// Bytes written out as numbers, for failure messages: "60 65 76 ...".
std::string byteList(std::string_view bytes);

// A reproducible source of test data.
class Rng {
  public:
    explicit Rng(std::uint32_t seed) : engine_(seed) {}
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    std::string digits(int count);
    std::string from(std::string_view alphabet, int count);

  private:
    std::mt19937 engine_;
};

// The EAN/UPC modulo-10 check digit of `digits` (weights 3 and 1 from the
// right), as a character.
char gs1CheckDigit(std::string_view digits);

// The UPC-A number a UPC-E number system digit and six digits stand for.
std::string upcEToUpcA(char numberSystem, std::string_view six);

}  // namespace bcfont::test
