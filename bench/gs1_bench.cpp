// GS1-128: reading, validating and encoding a typical four-element string
// (GTIN, expiry date, net weight, batch), as Calc runs it for each line.
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "encoder.h"

namespace {

constexpr std::string_view kTypical = "(01)09501101530003(17)251231(3103)001250(10)ABC123";

void gs1128TypicalFourElements(benchmark::State& state) {
    std::array<char, kFontStringCapacity> out{};
    const auto len = static_cast<std::int32_t>(kTypical.size());
    for (auto _ : state) {
        int result = Calc(GS1128, kTypical.data(), out.data(), "", len, 1);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    if (Calc(GS1128, kTypical.data(), out.data(), "", len, 1) != 0) state.SkipWithError("the typical data was rejected");
}
BENCHMARK(gs1128TypicalFourElements);

}  // namespace
