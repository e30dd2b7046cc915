// The whole command line: every subcommand on one CLI11 app, and a list of
// arguments run through it.
#pragma once

#include <string>
#include <vector>

namespace bcfont::cli {

// Run: each subcommand does its work. CheckOnly: the arguments are parsed
// and judged as a run judges them (options, ranges, UTF-8, the data against
// its symbology, the output's format) but nothing is read, written or drawn.
enum class Mode { Run, CheckOnly };

struct Outcome {
    int status = 0;   // the exit status: 0, kExitRejected or kExitUsage
    std::string out;  // for standard output: help or version text
    std::string err;  // for standard error: the reason a run failed, in whole lines
};

// `args` without the program's name. In Run mode the subcommands write their
// output, warnings and batch diagnostics themselves as they go; what the
// Outcome holds comes after them.
Outcome runCommandLine(const std::vector<std::string>& args, Mode mode);

}  // namespace bcfont::cli
