// The window's one Converter. It has no state and no operations; the
// controller keeps a reference to it, and nothing sends it anything.
#pragma once

namespace bcfont::app {

class Converter {};

}  // namespace bcfont::app
