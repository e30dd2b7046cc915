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

constexpr NumberRange kSizes{render::kMinPointSize, render::kMaxPointSize, false};
constexpr NumberRange kResolutions{render::kMinDpi, render::kMaxDpi, true};

struct RenderArgs {
    std::string type;
    std::string data;
    std::string addon;
    bool noCheck = false;
    std::string size;  // empty: the size of the face's table entry
    std::string dpi = std::to_string(render::kDefaultDpi);
    bool halfHeight = false;
    bool highDensity = false;
    bool force = false;
    std::string output;
};

void run(const RenderArgs& args, Mode mode) {
    const TypeSpec spec = parsedSpec(args.type);
    const CodeType type = spec.type;
    const auto format = render::formatOf(args.output);
    if (!format)
        fail(kExitUsage, "cannot tell the format of " + args.output + ": name it .svg, .png or .pdf");
    const double givenSize = args.size.empty() ? 0 : numberOption("--size", args.size, kSizes);
    const int dpi = static_cast<int>(numberOption("--dpi", args.dpi, kResolutions));

    const std::string fontString = encodeArguments(spec, args.data, args.addon, args.noCheck);
    const FontChoice font = fontFor(type, args.halfHeight, args.highDensity);
    const double size = givenSize > 0 ? givenSize : font.pointSize;
    if (mode == Mode::CheckOnly) return;
    std::string error;
    const auto bytes = render::renderToBytes(fontString, font.family, size, dpi, *format, error);
    if (!bytes) fail(kExitUsage, error);
    fileio::Output out;
    openOutput(out, args.output, {}, args.force);
    writeWholeOutput(out, *bytes);
}

}  // namespace

void addRenderCommand(CLI::App& app, Mode mode) {
    auto args = std::make_shared<RenderArgs>();
    CLI::App* cmd = app.add_subcommand("render", "Draw the barcode of DATA into an SVG, PNG or PDF file");
    addTypeOption(*cmd, args->type);
    cmd->add_option("-a,--addon", args->addon, "EAN-13 add-on of 2 or 5 digits");
    cmd->add_flag("--no-check", args->noCheck, "Leave out the optional check character");
    addNumberOption(*cmd, "--size", args->size, "Font size in points (default: the symbology's size)",
                    &kSizes);
    addNumberOption(*cmd, "--dpi", args->dpi, "Resolution of a PNG file", &kResolutions);
    cmd->add_flag("--half-height", args->halfHeight, "Use the reduced-height face");
    cmd->add_flag("--high-density", args->highDensity,
                  "Use the high-density face (Code 39, 2 of 5 Interleaved)");
    cmd->add_option("-o,--output", args->output, "Output file; .svg, .png or .pdf picks the format")
        ->required();
    addForceFlag(*cmd, args->force);
    cmd->add_option("DATA", args->data, "The data to encode, as UTF-8 text")->required();
    cmd->callback([args, mode] { run(*args, mode); });
}

}  // namespace bcfont::cli
