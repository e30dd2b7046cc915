// A 100-character QR Code through the front door, beside libzint making the
// same matrix alone: the font string must add little to libzint's time.
// Run them together (--benchmark_filter=qr100) so that both see the same load.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <string>

#include "matrix.h"

namespace {

// A URL of 100 characters, as a QR Code on an invoice or label carries.
const std::string kData =
    "https://example.com/invoice/2026/12/INV-0042137?customer=ACME-Industries&amount=1234.56&currency=EUR";
static_assert(sizeof("https://example.com/invoice/2026/12/INV-0042137?customer=ACME-Industries&amount=1234.56&currency=EUR") == 101);

void qr100ZintMatrixAlone(benchmark::State& state) {
    for (auto _ : state) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_QRCODE;
        symbol->input_mode = UNICODE_MODE;
        symbol->option_1 = 2;
        const int result =
            ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(kData.data()), static_cast<int>(kData.size()));
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(symbol->encoded_data[0][0]);
        ZBarcode_Delete(symbol);
    }
}
BENCHMARK(qr100ZintMatrixAlone);

void qr100FrontDoor(benchmark::State& state) {
    for (auto _ : state) {
        bcfont::Encoded encoded = bcfont::encodeRequest("qr", kData, "", true);
        benchmark::DoNotOptimize(encoded.text.data());
    }
    if (!bcfont::encodeRequest("qr", kData, "", true).ok()) state.SkipWithError("the data was rejected");
}
BENCHMARK(qr100FrontDoor);

// A short batch line, as `bcfont batch --type qr` takes them.
void qrShortLineFrontDoor(benchmark::State& state) {
    for (auto _ : state) {
        bcfont::Encoded encoded = bcfont::encodeRequest("qr", "ITEM-000001-hbpy0q6u", "", true);
        benchmark::DoNotOptimize(encoded.text.data());
    }
}
BENCHMARK(qrShortLineFrontDoor);

}  // namespace
