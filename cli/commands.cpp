#include "commands.h"

#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "batch_stream.h"
#include "catalogue.h"
#include "gs1/gs1.h"
#include "cli_support.h"
#include "macroman.h"
#include "matrix_batch.h"
#include "symbology.h"
#include "type_option.h"

namespace bcfont::cli {
namespace {

void writeOut(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fputc('\n', stdout);
    if (std::fflush(stdout) != 0)
        fail(kExitUsage, std::string("cannot write the output: ") + std::strerror(errno));
}

struct EncodeArgs {
    std::string type;
    std::string addon;
    std::string data;
    bool noCheck = false;
    bool raw = false;
    bool hri = false;
};

void runEncode(const EncodeArgs& args, Mode mode) {
    const std::string printed = encodeArguments(parsedSpec(args.type), args.data, args.addon, args.noCheck,
                                                args.hri ? Printed::HumanReadable : Printed::FontString);
    if (mode == Mode::CheckOnly) return;
    writeOut(args.raw ? printed : macroman::toUtf8(printed));
}

struct BatchArgs {
    std::string type;
    std::string input = "-";
    std::string output = "-";
    bool noCheck = false;
    bool utf8 = false;
    bool align = false;
    bool force = false;
};

bool isStandardStream(const std::string& name) {
    return name.empty() || name == "-";
}

// Closes a descriptor the command opened, never standard input.
struct InputFile {
    int fd = STDIN_FILENO;
    ~InputFile() {
        if (fd != STDIN_FILENO) ::close(fd);
    }
};

void runBatch(const BatchArgs& args) {
    BatchOptions options;
    options.type = parsedType(args.type);
    options.check = !args.noCheck;
    options.utf8 = args.utf8;
    options.align = args.align;
    options.language = messageLanguage();
    const std::string inName = isStandardStream(args.input) ? "standard input" : args.input;

    InputFile in;
    if (!isStandardStream(args.input)) {
        in.fd = ::open(args.input.c_str(), O_RDONLY | O_CLOEXEC);
        if (in.fd < 0) fail(kExitUsage, "cannot open '" + args.input + "': " + std::strerror(errno));
    }
    fileio::Output outFile;
    openOutput(outFile, args.output, {args.input}, args.force);
    warnIfCode128WithoutCheck(options.type, args.noCheck);

    // Heap, not stack: the buffer is 64 KiB.
    const auto out = std::make_unique<OutputBuffer>(outFile.fd());
    const TypeSpec spec = parsedSpec(args.type);
    if (symbology(spec.type).matrix.isMatrix()) {
        BatchReport report;
        if (!convertMatrixStream(in.fd, inName, spec, options, *out, report, stderr)) {
            if (out->failed())
                fail(kExitUsage, "cannot write " + outFile.shown() + ": " + std::strerror(out->error()));
            throw CLI::RuntimeError(kExitUsage);
        }
        if (const std::string why = outFile.commit(); !why.empty()) fail(kExitUsage, why);
        std::fprintf(stderr, "%s\n", batchSummary(report).c_str());
        if (report.rejected > 0) throw CLI::RuntimeError(kExitRejected);
        return;
    }
    TwoThreadBatchEngine engine(options);
    if (!convertStream(in.fd, inName, engine, *out, stderr)) {
        if (out->failed())
            fail(kExitUsage, "cannot write " + outFile.shown() + ": " + std::strerror(out->error()));
        throw CLI::RuntimeError(kExitUsage);
    }
    if (const std::string why = outFile.commit(); !why.empty()) fail(kExitUsage, why);
    if (const std::uint64_t n = engine.report().bracketedGs1; n > 0)
        warn(say(options.language, n == 1 ? text::kOneLineHint : text::kLinesHint,
                 {std::to_string(n), text::kGs1128Hint.in(options.language)}));
    std::fprintf(stderr, "%s\n", batchSummary(engine.report(), options.language).c_str());
    if (engine.report().rejected > 0) throw CLI::RuntimeError(kExitRejected);
}

void printTypes() {
    std::size_t nameWidth = 0;
    for (int t = 0; t < kCodeTypeCount; ++t)
        nameWidth = std::max(nameWidth, symbology(static_cast<CodeType>(t)).name.size());
    for (int t = 0; t < kCodeTypeCount; ++t) {
        const Symbology& s = symbology(static_cast<CodeType>(t));
        const std::string options = s.options == 0 ? std::string() : "  (" + std::string(s.name) + ":" + optionSyntax(s.type) + ")";
        std::printf("%2d  %-*.*s  %.*s%s\n", t, static_cast<int>(nameWidth), static_cast<int>(s.name.size()),
                    s.name.data(), static_cast<int>(s.fullName.size()), s.fullName.data(), options.c_str());
    }
}

}  // namespace

void addEncodeCommand(CLI::App& app, Mode mode) {
    auto args = std::make_shared<EncodeArgs>();
    CLI::App* cmd = app.add_subcommand("encode", "Print the font string of DATA");
    addTypeOption(*cmd, args->type);
    cmd->add_option("-a,--addon", args->addon, "EAN-13 add-on of 2 or 5 digits");
    cmd->add_flag("--no-check", args->noCheck, "Leave out the optional check character");
    cmd->add_flag("--raw", args->raw, "Print the font string's bytes as they are, not as UTF-8 text");
    cmd->add_flag("--hri", args->hri,
                  "Print the human-readable text a label shows under the bars instead of the font string");
    cmd->add_option("DATA", args->data, "The data to encode, as UTF-8 text")->required();
    cmd->footer(
        "The font string is printed as UTF-8 text, each byte read as Mac OS Roman.\n"
        "--hri prints the digits with their check digit for EAN/UPC (an EAN-13 add-on after a space)\n"
        "and the characters the data stands for otherwise (\"~065\" as 'A', FNC1 as nothing).\n"
        "Exit status: 0 printed, 1 data rejected (the reason on standard error), 2 usage error.\n");
    cmd->callback([args, mode] { runEncode(*args, mode); });
}

void addBatchCommand(CLI::App& app, Mode mode) {
    auto args = std::make_shared<BatchArgs>();
    CLI::App* cmd = app.add_subcommand("batch", "Convert every line of a text file into a font string");
    addTypeOption(*cmd, args->type);
    cmd->add_flag("--no-check", args->noCheck, "Leave out the optional check character");
    cmd->add_flag("--utf8", args->utf8,
                  "Read the lines and write the font strings as UTF-8 text, not Mac OS Roman bytes");
    cmd->add_flag("--align", args->align, "Write one line per input line, empty for empty or rejected lines");
    cmd->add_option("INPUT", args->input, "Lines to convert; '-' or none for standard input");
    cmd->add_option("OUTPUT", args->output, "Where the font strings go; '-' or none for standard output");
    addForceFlag(*cmd, args->force);
    cmd->footer(
        "Lines end with LF, CR or CR LF. Without --align, empty and rejected lines give no output\n"
        "line and each font string is followed by an LF. The output file is written in full or\n"
        "not at all; '-', /dev/stdout and /dev/fd/N are written in place. An output that is the\n"
        "input, or a write-protected file without --force, is refused with status 2.\n"
        "A 2D type writes each symbol's lines and one empty line after them (a block); with\n"
        "--align an empty or rejected line gives an empty block.\n"
        "Standard error ends with a summary: converted lines out of the non-empty\n"
        "ones, and the numbers of the first 20 rejected lines, counted as an editor does.\n"
        "Exit status: 0 every non-empty line converted, 1 some line rejected, 2 usage or I/O error.\n");
    cmd->callback([args, mode] {
        if (mode == Mode::Run) runBatch(*args);
    });
}

void addTypesCommand(CLI::App& app, Mode mode) {
    CLI::App* cmd = app.add_subcommand("types", "List the symbologies that --type accepts");
    cmd->callback([mode] {
        if (mode == Mode::Run) printTypes();
    });
}

}  // namespace bcfont::cli
