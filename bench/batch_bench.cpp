// The batch engine in memory, without the file I/O: one thread against two,
// over 100,000 random EAN-13 lines in the command line's blocks,
// to a sink that is called per line and to one written in place.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstring>
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

// A sink with room, as the command line's output buffer: lines are written
// into it in place; it starts over when full, as a write would empty it.
class InPlace {
  public:
    char* room(std::size_t n) {
        if (buffer_.size() - used_ < n) used_ = 0;
        return buffer_.data() + used_;
    }
    void commit(std::size_t n) {
        used_ += n;
        bytes += n;
    }
    // Whole pieces of output come in one call, larger than the buffer.
    void operator()(const char* data, std::size_t n) {
        while (n > 0) {
            const std::size_t take = std::min(n, buffer_.size());
            std::memcpy(room(take), data, take);
            commit(take);
            data += take;
            n -= take;
        }
    }
    std::size_t bytes = 0;

  private:
    std::array<char, 64 * 1024> buffer_{};
    std::size_t used_ = 0;
};

template <typename Engine>
void convertInPlace(benchmark::State& state) {
    const std::string text = randomEan13Lines(100000);
    bcfont::BatchOptions options;
    options.type = EAN13;
    constexpr std::size_t kBlock = bcfont::TwoThreadBatchEngine::kBlock;
    InPlace sink;
    for (auto _ : state) {
        Engine engine(options);
        for (std::size_t at = 0; at < text.size(); at += kBlock)
            engine.feed(std::string_view(text).substr(at, kBlock), sink);
        engine.finish(sink);
        benchmark::DoNotOptimize(sink.bytes);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

template <typename Engine>
void convertInBlocks(benchmark::State& state) {
    const std::string text = randomEan13Lines(100000);
    bcfont::BatchOptions options;
    options.type = EAN13;
    constexpr std::size_t kBlock = bcfont::TwoThreadBatchEngine::kBlock;
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
BENCHMARK_TEMPLATE(convertInPlace, bcfont::BatchEngine)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(convertInPlace, bcfont::TwoThreadBatchEngine)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
