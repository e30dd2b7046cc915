#include "PreviewScale.h"

#include <algorithm>
#include <cmath>

namespace bcfont::app {

PreviewZoom previewZoom(SymbolExtent symbol, double width, double height, bool stretchBars) {
    if (symbol.widthModules <= 0 || symbol.heightModules <= 0 || width <= 0 || height <= 0) return {};
    const double acrossFits = width / symbol.widthModules;
    const double downFits = height / symbol.heightModules;
    const double fits = stretchBars ? acrossFits : std::min(acrossFits, downFits);
    const double across = std::max(1.0, std::floor(fits));
    const double down = stretchBars ? downFits : std::min(across, downFits);
    return {across, down, acrossFits < 1};
}

int matrixModulePixels(SymbolExtent symbol, double width, double height) {
    if (symbol.widthModules <= 0 || symbol.heightModules <= 0 || width <= 0 || height <= 0) return 0;
    const double fits = std::min(width / symbol.widthModules, height / symbol.heightModules);
    return std::max(1, static_cast<int>(std::floor(fits)));
}

}  // namespace bcfont::app
