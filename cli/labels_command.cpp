#include "labels_command.h"

#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "output.h"
#include "cli_support.h"
#include "labels.h"
#include "output_buffer.h"
#include "templates.h"
#include "type_option.h"

namespace bcfont::cli {
namespace {

// The list is read this much at a time; only the page being filled is kept.
constexpr std::size_t kReadBlock = 64 * 1024;

struct LabelsArgs {
    std::string type;
    std::string templateName;
    bool noCheck = false;
    bool utf8 = false;
    std::string skip = "0";
    std::string copies = "1";
    bool outline = false;
    bool listTemplates = false;
    bool force = false;
    std::string input;
    std::string output;
};

void listTemplates() {
    for (const render::LabelTemplate& t : render::allTemplates()) {
        std::printf("%-28s %s%s%s\n", t.name.c_str(), render::templateSummary(t, messageLanguage()).c_str(),
                    t.description.empty() ? "" : ": ", t.description.c_str());
    }
}

bool isStandardStream(const std::string& name) {
    return name.empty() || name == "-";
}

// Closes a descriptor the command opened, never standard input.
struct InputFile {
    int fd = STDIN_FILENO;
    std::string name = "standard input";
    ~InputFile() {
        if (fd != STDIN_FILENO) ::close(fd);
    }
};

void openInput(const std::string& path, InputFile& in) {
    if (isStandardStream(path)) return;
    in.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in.fd < 0) fail(kExitUsage, "cannot open '" + path + "': " + std::strerror(errno));
    in.name = path;
}

constexpr NumberRange kCopies{1, render::kMaxCopies, true};

// Opens -o before anything is read: standard output for "-", refused when
// it is the list itself or write-protected.
void openSheetsOutput(fileio::Output& out, const LabelsArgs& args) {
    openOutput(out, args.output, {args.input}, args.force);
}

// Reads the list a block at a time into the sheets, which go to `out` page by page.
void streamLabels(const InputFile& in, render::LabelPdfStream& sheets, OutputBuffer& out) {
    ::posix_fadvise(in.fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const auto block = std::make_unique_for_overwrite<char[]>(kReadBlock);
    for (;;) {
        const ssize_t n = ::read(in.fd, block.get(), kReadBlock);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(kExitUsage, "cannot read '" + in.name + "': " + std::strerror(errno));
        if (n == 0) break;
        sheets.feed({block.get(), static_cast<std::size_t>(n)});
        if (out.failed()) return;
    }
}

void run(const LabelsArgs& args, Mode mode) {
    if (args.listTemplates) return mode == Mode::Run ? listTemplates() : void();
    if (args.type.empty()) fail(kExitUsage, "--type is required; valid types: " + validTypes());
    if (args.templateName.empty())
        fail(kExitUsage, "--template is required; 'bcfont labels --list-templates' lists them");
    if (args.output.empty()) fail(kExitUsage, "-o OUT.pdf is required");
    const auto sheet = render::findTemplate(args.templateName, render::allTemplates());
    if (!sheet)
        fail(kExitUsage, "no label template is called '" + args.templateName +
                             "'; 'bcfont labels --list-templates' lists them");

    render::LabelJob job;
    job.options = parsedSpec(args.type);
    job.type = job.options.type;
    job.check = !args.noCheck;
    job.utf8 = args.utf8;
    const NumberRange skips{0, std::max(render::labelsPerSheet(*sheet) - 1, 0) * 1.0, true};
    job.skip = static_cast<int>(numberOption("--skip", args.skip, skips, " for " + sheet->name));
    job.copies = static_cast<int>(numberOption("--copies", args.copies, kCopies));
    job.outline = args.outline;
    job.language = messageLanguage();
    warnIfCode128WithoutCheck(job.type, args.noCheck);
    if (mode == Mode::CheckOnly) return;

    fileio::Output outFile;
    openSheetsOutput(outFile, args);
    InputFile in;
    openInput(args.input, in);
    const auto out = std::make_unique<OutputBuffer>(outFile.fd());
    std::string error;
    render::LabelPdfStream sheets(
        *sheet, job,
        [&out](std::string_view bytes) {
            out->append(bytes.data(), bytes.size());
            return !out->failed();
        },
        error);
    if (!error.empty()) fail(kExitUsage, error);
    streamLabels(in, sheets, *out);
    error = sheets.finish();
    const render::LabelReport& report = sheets.report();
    for (const render::LabelProblem& p : report.listed)
        std::fprintf(stderr, "bcfont: %s\n", lineSays(p.line, p.reason).c_str());
    if (!out->flush()) fail(kExitUsage, "cannot write " + outFile.shown() + ": " + std::strerror(out->error()));
    if (!error.empty()) fail(kExitUsage, error);
    if (report.printed == 0) {
        std::fprintf(stderr, "%s\n", render::labelSummary(report, 0, job.language).c_str());
        fail(kExitRejected, "nothing to print: no line gave a label; " + outFile.shown() + " was not written");
    }
    if (const std::string why = outFile.commit(); !why.empty()) fail(kExitUsage, why);
    std::fprintf(stderr, "%s\n", render::labelSummary(report, sheets.pages(), job.language).c_str());
    if (report.rejected + report.notFitting > 0) throw CLI::RuntimeError(kExitRejected);
}

}  // namespace

void addLabelsCommand(CLI::App& app, Mode mode) {
    auto args = std::make_shared<LabelsArgs>();
    CLI::App* cmd =
        app.add_subcommand("labels", "Print every line of a text file on a sheet of labels (PDF)");
    addTypeOption(*cmd, args->type)->required(false);
    cmd->add_option("--template", args->templateName,
                    "The label sheet, by brand and part, e.g. 'Avery L7160'")
        ->type_name("NAME");
    cmd->add_flag("--no-check", args->noCheck, "Leave out the optional check character");
    cmd->add_flag("--utf8", args->utf8, "Read the lines as UTF-8 text instead of Mac OS Roman bytes");
    addNumberOption(*cmd, "--skip", args->skip, "Labels already used on the first sheet, fewer than it holds",
                    nullptr);
    addNumberOption(*cmd, "--copies", args->copies, "Labels per line", &kCopies);
    cmd->add_flag("--outline", args->outline,
                  "Draw the outline of every label, for a test print on plain paper");
    cmd->add_flag("--list-templates", args->listTemplates, "List the label sheets --template accepts");
    cmd->add_option("INPUT", args->input,
                    "Lines to print, 'data' or 'data<TAB>caption'; '-' or none for standard input");
    cmd->add_option("-o,--output", args->output, "The PDF file to write; '-' for standard output")
        ->type_name("FILE");
    addForceFlag(*cmd, args->force);
    cmd->footer(
        "Lines are read as by 'bcfont batch'. Each barcode is as large as its label allows, never\n"
        "below the symbology's minimum size; a line whose barcode does not fit is reported like a\n"
        "rejected line. The PDF is written in full or not at all; '-o -' writes it to standard\n"
        "output. An output that is the input, or a write-protected file without --force, is refused.\n"
        "Exit status: 0 every non-empty line printed, 1 some line rejected or too large for the\n"
        "label, 2 usage or I/O error.\n");
    cmd->callback([args, mode] { run(*args, mode); });
}

}  // namespace bcfont::cli
