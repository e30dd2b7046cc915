#include "render_command.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "cli_support.h"
#include "render.h"
#include "symbology.h"
#include "type_option.h"

namespace bcfont::cli {
namespace {

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

void run(const RenderArgs& args, Mode mode) {
    const CodeType type = parsedType(args.type);
    if (!render::formatOf(args.output))
        fail(kExitUsage, "cannot tell the format of " + args.output + ": name it .svg, .png or .pdf");

    const std::string fontString = encodeArguments(type, args.data, args.addon, args.noCheck);
    const FontChoice font = fontFor(type, args.halfHeight, args.highDensity);
    const double size = args.size > 0 ? args.size : font.pointSize;
    if (mode == Mode::CheckOnly) return;
    const std::string error = render::renderToFile(fontString, font.family, size, args.dpi, args.output);
    if (!error.empty()) fail(kExitUsage, error);
}

}  // namespace

void addRenderCommand(CLI::App& app, Mode mode) {
    auto args = std::make_shared<RenderArgs>();
    CLI::App* cmd = app.add_subcommand("render", "Draw the barcode of DATA into an SVG, PNG or PDF file");
    addTypeOption(*cmd, args->type);
    cmd->add_option("-a,--addon", args->addon, "EAN-13 add-on of 2 or 5 digits");
    cmd->add_flag("--no-check", args->noCheck, "Leave out the optional check character");
    cmd->add_option("--size", args->size, "Font size in points (default: the symbology's size)")
        ->check(numberBetween(render::kMinPointSize, render::kMaxPointSize));
    cmd->add_option("--dpi", args->dpi, "Resolution of a PNG file")
        ->check(numberBetween(render::kMinDpi, render::kMaxDpi))
        ->capture_default_str();
    cmd->add_flag("--half-height", args->halfHeight, "Use the reduced-height face");
    cmd->add_flag("--high-density", args->highDensity,
                  "Use the high-density face (Code 39, 2 of 5 Interleaved)");
    cmd->add_option("-o,--output", args->output, "Output file; .svg, .png or .pdf picks the format")
        ->required();
    cmd->add_option("DATA", args->data, "The data to encode, as UTF-8 text")->required();
    cmd->callback([args, mode] { run(*args, mode); });
}

}  // namespace bcfont::cli
