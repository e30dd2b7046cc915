// Prints the text of the one barcode of a given format that a PNG shows, as
// the Calc scan test's decoder. Usage: bcfont_decode_png FORMAT IMAGE.png
// (FORMAT as zxing-cpp names it: EAN-13, Code39, ...). Exit status 0 when a
// barcode was read, 1 when none was, 2 on a bad argument or image.
#include <ZXing/ReadBarcode.h>
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bcfont_decode_png FORMAT IMAGE.png\n");
        return 2;
    }
    const ZXing::BarcodeFormat format = ZXing::BarcodeFormatFromString(argv[1]);
    if (format == ZXing::BarcodeFormat::None) {
        std::fprintf(stderr, "unknown barcode format '%s'\n", argv[1]);
        return 2;
    }
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> png(
        cairo_image_surface_create_from_png(argv[2]), cairo_surface_destroy);
    if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot read '%s' as PNG\n", argv[2]);
        return 2;
    }
    // Draw onto white in a known pixel format, whatever the PNG's.
    const int width = cairo_image_surface_get_width(png.get());
    const int height = cairo_image_surface_get_height(png.get());
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> rgb(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), cairo_surface_destroy);
    cairo_t* cr = cairo_create(rgb.get());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, png.get(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(rgb.get());

    const int stride = cairo_image_surface_get_stride(rgb.get());
    const unsigned char* data = cairo_image_surface_get_data(rgb.get());
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) grey[static_cast<std::size_t>(y) * width + x] = row[x] & 0xFF;
    }

    ZXing::DecodeHints hints;
    // Full ASCII Code 39 reads as the data, its check character kept.
    hints.setFormats(format).setTryRotate(false).setTryCode39ExtendedMode(true);
    const auto result =
        ZXing::ReadBarcode(ZXing::ImageView(grey.data(), width, height, ZXing::ImageFormat::Lum), hints);
    if (!result.isValid()) return 1;
    std::fwrite(result.text().data(), 1, result.text().size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
