#include "PreviewScale.h"

#include <algorithm>
#include <cmath>

namespace bcfont::app {

double devicePixelsPerModule(SymbolExtent symbol, double width, double height) {
    if (symbol.widthModules <= 0 || symbol.heightModules <= 0 || width <= 0 || height <= 0) return 0;
    const double fits = std::min(width / symbol.widthModules, height / symbol.heightModules);
    return fits >= 1 ? std::floor(fits) : fits;
}

}  // namespace bcfont::app
