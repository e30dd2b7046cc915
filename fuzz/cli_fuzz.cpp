// libFuzzer target over the command line's argument checks: the input is a
// list of arguments separated by NUL bytes, run through every subcommand's
// parsing and validation with nothing read, written or drawn. No exception
// may escape, the exit status is 0, 1 or 2, and a failure always says why.
// A wrong number gets one short line, and blanks around a number change
// nothing.
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

const char* const kNumberOptions[] = {"--skip", "--copies", "--dpi", "--size"};

// Long enough for the longest range and template name, short enough that
// a huge value can never bury the message again.
constexpr std::size_t kLongestNumberMessage = 200;

bool isNumberOption(const std::string& arg) {
    for (const char* option : kNumberOptions)
        if (arg == option) return true;
    return false;
}

std::string shownArguments(const std::vector<std::string>& args) {
    std::string shown;
    for (const std::string& a : args) shown += "'" + a + "' ";
    return shown;
}

bcfont::cli::Outcome checkOnly(const std::vector<std::string>& args) {
    const std::string shown = shownArguments(args);
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
    for (const char* option : kNumberOptions) {
        if (outcome.err.find("bcfont: " + std::string(option) + " must be ") == 0 &&
            outcome.err.find('\n') > kLongestNumberMessage)
            violated("a long message for a number", shown);
    }
    return outcome;
}

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
    const bcfont::cli::Outcome outcome = checkOnly(args);

    // The same arguments with blanks around each value that starts like a
    // number get the same verdict.
    std::vector<std::string> blanked = args;
    bool changed = false;
    for (std::size_t i = 1; i < blanked.size(); ++i) {
        const std::string& value = blanked[i];
        if (!isNumberOption(blanked[i - 1]) || value.empty() || value.find_first_of("0123456789+.") != 0)
            continue;
        blanked[i] = " " + value + "\t";
        changed = true;
    }
    if (changed && checkOnly(blanked).status != outcome.status)
        violated("blanks around a number changed the verdict", shownArguments(args));
    return 0;
}
