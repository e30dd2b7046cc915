// The batch engine in memory, without the file I/O: one thread against two,
// over 100,000 random EAN-13 lines in the command line's 128 KiB blocks.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "batch.h"

namespace {

std::string randomEan13Lines(std::size_t lines) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> digit(0, 9);
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) {
        for (int d = 0; d < 12; ++d) text += static_cast<char>('0' + digit(random));
        text += '\n';
    }
    return text;
}

template <typename Engine>
void convertInBlocks(benchmark::State& state) {
    const std::string text = randomEan13Lines(100000);
    bcfont::BatchOptions options;
    options.type = EAN13;
    constexpr std::size_t kBlock = 128 * 1024;
    for (auto _ : state) {
        Engine engine(options);
        std::size_t bytes = 0;
        auto sink = [&bytes](const char*, std::size_t n) { bytes += n; };
        for (std::size_t at = 0; at < text.size(); at += kBlock)
            engine.feed(std::string_view(text).substr(at, kBlock), sink);
        engine.finish(sink);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK_TEMPLATE(convertInBlocks, bcfont::BatchEngine)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(convertInBlocks, bcfont::TwoThreadBatchEngine)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
