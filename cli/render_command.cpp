#include "render_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "encode.h"
#include "macroman.h"
#include "render.h"
#include "symbology.h"

namespace bcfont::cli {
namespace {

// Same statuses as the other subcommands: rejected data, then everything
// else that stops the command (usage, missing font, unwritable file).
constexpr int kRenderRejected = 1;
constexpr int kRenderFailed = 2;

struct RenderArgs {
    std::string type;
    std::string data;
    std::string addon;
    bool noCheck = false;
    double size = 0;  // 0: the size of the face's table entry
    int dpi = render::kDefaultDpi;
    bool halfHeight = false;
    bool highDensity = false;
    std::string output;
};

std::string typeNames() {
    std::string names;
    for (int t = 0; t < kCodeTypeCount; ++t) {
        if (!names.empty()) names += ", ";
        names += std::to_string(t) + " " + std::string(symbology(static_cast<CodeType>(t)).name);
    }
    return names;
}

[[noreturn]] void fail(int status, const std::string& message) {
    std::cerr << "bcfont render: " << message << "\n";
    throw CLI::RuntimeError(status);
}

std::string toMacRoman(const std::string& utf8, const char* what) {
    auto bytes = macroman::fromUtf8(utf8);
    if (!bytes) fail(kRenderRejected, std::string(what) + " holds a character that Mac OS Roman cannot hold");
    return *bytes;
}

void run(const RenderArgs& args) {
    const auto type = codeTypeFromString(args.type);
    if (!type) fail(kRenderFailed, "unknown type \"" + args.type + "\"; use one of " + typeNames());
    if (!args.addon.empty() && *type != EAN13) fail(kRenderFailed, "--addon is only for EAN-13");
    if (!render::formatOf(args.output))
        fail(kRenderFailed, "cannot tell the format of " + args.output + ": name it .svg, .png or .pdf");

    const std::string data = toMacRoman(args.data, "the data");
    const std::string addon = toMacRoman(args.addon, "the add-on");
    std::string why;
    const auto fontString = encode(*type, data, addon, !args.noCheck, &why);
    if (!fontString) fail(kRenderRejected, why);

    // The check character is part of every Code 128 symbol; scanners refuse one without it.
    if (args.noCheck && (*type == C128 || *type == C128EAN))
        std::cerr
            << "bcfont render: warning: without its check character no scanner reads a Code 128 symbol\n";

    const FontChoice font = fontFor(*type, args.halfHeight, args.highDensity);
    const double size = args.size > 0 ? args.size : font.pointSize;
    const std::string error = render::renderToFile(*fontString, font.family, size, args.dpi, args.output);
    if (!error.empty()) fail(kRenderFailed, error);
}

}  // namespace

void addRenderCommand(CLI::App& app) {
    auto args = std::make_shared<RenderArgs>();
    CLI::App* cmd = app.add_subcommand("render", "Draw the barcode of DATA into an SVG, PNG or PDF file");
    cmd->add_option("--type,-t", args->type, "Symbology: a number or name (" + typeNames() + ")")->required();
    cmd->add_option("--addon", args->addon, "2- or 5-digit add-on (EAN-13 only)");
    cmd->add_flag("--no-check", args->noCheck, "Leave out the optional check character");
    cmd->add_option("--size", args->size, "Font size in points (default: the symbology's size)")
        ->check(CLI::Range(render::kMinPointSize, render::kMaxPointSize));
    cmd->add_option("--dpi", args->dpi, "Resolution of a PNG file")
        ->check(CLI::Range(render::kMinDpi, render::kMaxDpi))
        ->capture_default_str();
    cmd->add_flag("--half-height", args->halfHeight, "Use the reduced-height face");
    cmd->add_flag("--high-density", args->highDensity,
                  "Use the high-density face (Code 39, 2 of 5 Interleaved)");
    cmd->add_option("-o,--output", args->output, "Output file; .svg, .png or .pdf picks the format")
        ->required();
    cmd->add_option("data", args->data, "The data to encode")->required();
    cmd->callback([args] { run(*args); });
}

}  // namespace bcfont::cli
