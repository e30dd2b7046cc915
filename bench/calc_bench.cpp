// Calc per CodeType on typical data, as the window calls it on each keystroke.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <string_view>

#include "encode.h"
#include "encoder.h"

namespace {

struct Typical {
    CodeType type;
    std::string_view data;
    const char* addon;
    bool check;
};

void runCalc(benchmark::State& state, Typical request) {
    std::array<char, kFontStringCapacity> data{};
    std::array<char, kFontStringCapacity> out{};
    std::memcpy(data.data(), request.data.data(), request.data.size());
    const auto len = static_cast<std::int32_t>(request.data.size());
    for (auto _ : state) {
        int result = Calc(request.type, data.data(), out.data(), request.addon, len, request.check ? 1 : 0);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    if (Calc(request.type, data.data(), out.data(), request.addon, len, request.check ? 1 : 0) != 0) {
        state.SkipWithError("the typical data was rejected");
    }
}

BENCHMARK_CAPTURE(runCalc, ean8, Typical{EAN8, "5512345", "", false});
BENCHMARK_CAPTURE(runCalc, ean13, Typical{EAN13, "400638133393", "", false});
BENCHMARK_CAPTURE(runCalc, ean13_addon5, Typical{EAN13, "400638133393", "52495", false});
BENCHMARK_CAPTURE(runCalc, upca, Typical{UPCA, "03600029145", "", false});
BENCHMARK_CAPTURE(runCalc, upce, Typical{UPCE, "0425261", "", false});
BENCHMARK_CAPTURE(runCalc, code39, Typical{C39, "CODE39-1234 abc", "", true});
BENCHMARK_CAPTURE(runCalc, code128_mixed20, Typical{C128, "AB-1234567890-xyz~009", "", true});
BENCHMARK_CAPTURE(runCalc, code128_ean, Typical{C128EAN, "0101234567890128", "", true});
BENCHMARK_CAPTURE(runCalc, interleaved, Typical{TOFIL, "1234567890123", "", true});
BENCHMARK_CAPTURE(runCalc, industrial, Typical{TOFIND, "1234567890", "", true});
BENCHMARK_CAPTURE(runCalc, codabar, Typical{CODABAR, "123456", "", false});
BENCHMARK_CAPTURE(runCalc, postnet, Typical{POSTNET, "12345678901", "", false});
BENCHMARK_CAPTURE(runCalc, imb, Typical{IMB, "01234567094987654321-01234567891", "", false});

// The C++ entry as the command line and the app use it, with its strings.
void encodeEan13(benchmark::State& state) {
    for (auto _ : state) {
        auto result = bcfont::encode(EAN13, "400638133393", "", false);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(encodeEan13);

}  // namespace
