// `bcfont render`: draws a font string in bcfont's fonts to SVG, PNG or PDF.
#pragma once

namespace CLI {
class App;
}

namespace bcfont::cli {

// Registers the `render` subcommand on `app`.
void addRenderCommand(CLI::App& app);

}  // namespace bcfont::cli
