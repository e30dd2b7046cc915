// libFuzzer target over the command line's argument checks: the input is a
// list of arguments separated by NUL bytes, run through every subcommand's
// parsing and validation with nothing read, written or drawn. No exception
// may escape, the exit status is 0, 1 or 2, and a failure always says why.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "app.h"

namespace {

[[noreturn]] void violated(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property violated: %s: %s\n", what, detail.c_str());
    std::abort();
}

// At most this many arguments: enough for every option of `render`.
constexpr std::size_t kMaxArguments = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] != 0) {
            args.back() += static_cast<char>(data[i]);
        } else if (args.size() == kMaxArguments) {
            break;
        } else {
            args.emplace_back();
        }
    }
    std::string shown;
    for (const std::string& a : args) shown += "'" + a + "' ";

    bcfont::cli::Outcome outcome;
    try {
        outcome = bcfont::cli::runCommandLine(args, bcfont::cli::Mode::CheckOnly);
    } catch (const std::exception& e) {
        violated("exception escaped", shown + e.what());
    } catch (...) {
        violated("unknown exception escaped", shown);
    }
    if (outcome.status < 0 || outcome.status > 2) violated("exit status out of range", shown);
    if (outcome.status != 0 && outcome.err.find("bcfont: ") != 0)
        violated("failure without a message", shown);
    if (outcome.status == 0 && !outcome.err.empty()) violated("success with an error message", shown);
    return 0;
}
