// libFuzzer target: every CodeType, data lengths 0-60, both check settings,
// random add-ons, and Code39/Code128 on inputs of any length.
#include <cstdio>
#include <cstdlib>

#include "calc_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string failure = bcfont::fuzz::checkInput(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "property violated: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
