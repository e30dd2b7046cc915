// `bcfont render`: draws a font string in bcfont's fonts to SVG, PNG or PDF.
#pragma once

#include "app.h"

namespace CLI {
class App;
}

namespace bcfont::cli {

// Registers the `render` subcommand on `app`.
void addRenderCommand(CLI::App& app, Mode mode);

}  // namespace bcfont::cli
