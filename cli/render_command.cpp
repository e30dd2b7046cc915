#include "render_command.h"

#include <CLI/CLI.hpp>

namespace bcfont::cli {

// Placeholder until the renderer lands.
void addRenderCommand(CLI::App&) {}

}  // namespace bcfont::cli
