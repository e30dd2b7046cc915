// Replays the fuzz seed corpus and every input the fuzzer once failed on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "calc_checks.h"

namespace bcfont::test {
namespace {

TEST(FuzzReplay, CorpusAndRegressionInputsHoldEveryProperty) {
    int replayed = 0;
    for (const char* dir : {BCFONT_FUZZ_DIR "/corpus", BCFONT_FUZZ_DIR "/regressions"}) {
        if (!std::filesystem::exists(dir)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(file), {}};
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(fuzz::checkInput(input.data(), input.size()), "");
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace bcfont::test
