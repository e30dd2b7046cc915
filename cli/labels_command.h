// `bcfont labels`: a list of data onto sheets of labels, as a PDF.
#pragma once

#include "app.h"

namespace CLI {
class App;
}  // namespace CLI

namespace bcfont::cli {

void addLabelsCommand(CLI::App& app, Mode mode);

}  // namespace bcfont::cli
