// How large the window draws the preview's symbol: the zoom is the screen's
// alone, the font table's point sizes stay what copy, print and export use.
#pragma once

namespace bcfont::app {

// A symbol measured in modules, quiet zones included.
struct SymbolExtent {
    double widthModules = 0;
    double heightModules = 0;
};

// Device pixels a module takes across and down. Across it is always a whole
// number, at least 1: a fraction would smear bars into grey and no scanner
// reads the screen. Where the symbol is wider than the area even at one
// pixel a module, it is drawn at one and `scrolls`.
struct PreviewZoom {
    double across = 0;  // 0: nothing to draw
    double down = 0;
    bool scrolls = false;
};

// The zoom for `symbol` in an area of `width` by `height` device pixels: the
// largest whole number of pixels per module that fits. `stretchBars` (faces
// with nothing under their bars) gives the bars the area's whole height, so a
// long symbol is no thin strip; faces with digits keep their proportions.
PreviewZoom previewZoom(SymbolExtent symbol, double width, double height, bool stretchBars);

// Device pixels a module of a 2D symbol takes, across and down alike (its
// modules are square): the largest whole number that fits both ways, at
// least 1; 0 when there is nothing to draw.
int matrixModulePixels(SymbolExtent symbol, double width, double height);

}  // namespace bcfont::app
