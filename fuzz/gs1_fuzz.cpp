// libFuzzer target over GS1-128 element strings: brackets, escapes, the AI
// table's rules and the encodation, against the properties of gs1_checks.h.
#include <cstdio>
#include <cstdlib>

#include "gs1_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const std::string failure = bcfont::fuzz::checkGs1Input(data, size); !failure.empty()) {
        std::fprintf(stderr, "property violated: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
